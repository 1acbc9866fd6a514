// The value classes and their class blocks: sets, typed values, numbers, dates and times,
// strings and memory blocks; exact bytes, and stored lengths the reader must not trust.
#include "foundation/KClassReader.h"
#include "foundation/KDate.h"
#include "foundation/KFlagSet.h"
#include "foundation/KMemoryBlock.h"
#include "foundation/KNumber.h"
#include "foundation/KSet.h"
#include "foundation/KTime.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

class Values : public testing::Test {
protected:
    TemporaryFolder folder;
    BlockFile blocks{folder.file("value.bin")};
};

Bytes setBlock(long BitCount)
{
    return ByteList().append(BlockFile::header("KSet", 12)).longs({BitCount});
}

TEST_F(Values, SetBitsSizesCopiesAndTheirBlock)
{
    KSet set;
    set.set(0);
    set.set(31);
    set.set(32);
    set.set(static_cast<uint32>(-1)); // a negative bit number is a very large one
    set.clear(0);
    EXPECT_FALSE(set.isSet(0) || set.isSet(32) || set.isSet(static_cast<uint32>(-1)));
    EXPECT_TRUE(set.isSet(31));
    // The block stores only the bit count.
    EXPECT_EQ(blocks.written(set), setBlock(32));

    // Assignment and copies take the size and the bits.
    KSet source;
    source.setSize(70);
    source.set(3);
    source.set(69);
    set = source;
    set = set;
    EXPECT_EQ(set.getSize(), 70u);
    EXPECT_TRUE(set.isSet(3) && set.isSet(69) && !set.isSet(31));
    KSet copy(source);
    copy.clear(69);
    EXPECT_TRUE(copy.isSet(3) && source.isSet(69));
    set.setSize(1000); // resizing clears every bit
    EXPECT_FALSE(set.isSet(3));

    // A larger stored count gets words to match; a smaller one keeps the bits below it.
    KSet larger;
    larger.set(1);
    EXPECT_EQ(blocks.read(larger, setBlock(100)), 0);
    EXPECT_EQ(larger.getSize(), 100u);
    EXPECT_FALSE(larger.isSet(1));
    larger.set(99);
    EXPECT_TRUE(larger.isSet(99));
    KSet smaller;
    smaller.set(2);
    smaller.set(20);
    EXPECT_EQ(blocks.read(smaller, setBlock(16)), 0);
    EXPECT_EQ(smaller.getSize(), 16u);
    EXPECT_TRUE(smaller.isSet(2) && !smaller.isSet(20));
    KSet damaged;
    EXPECT_EQ(blocks.read(damaged, setBlock(-1)), KClassReader::kDamagedDataError);
    EXPECT_EQ(damaged.getSize(), 32u);

    KFlagSet flags(0x5);
    flags.set(0x80000000u);
    flags.clear(0x4);
    EXPECT_EQ(blocks.written(flags), ByteList().append(BlockFile::header("KFlagSet", 12)).raw({0x80, 0, 0, 1}).bytes());
    KFlagSet flagsBack;
    EXPECT_EQ(blocks.readBack(flagsBack), 0);
    EXPECT_TRUE(flagsBack == flags);
}

TEST_F(Values, VariablesShareTheirStorageAndHoldObjectsByCount)
{
    // A setter writes only its own width: the rest of the long survives.
    KVariable value;
    value.setLong(0x11223344);
    value.setShort(-2);
    EXPECT_EQ(value.getType(), KVariable::Short);
    EXPECT_EQ(value.getLong(), 0x1122FFFE);

    // Strings are shared from the heap and copied from the stack.
    KString onStack("stack");
    KVariable copied(onStack);
    onStack = "changed";
    EXPECT_STREQ(copied.getString().getText(), "stack");
    KStringPtr onHeap(new KString("heap"));
    KVariable shared;
    shared.setString(*onHeap);
    *onHeap += "!";
    EXPECT_STREQ(shared.getString().getText(), "heap!");
    // A scalar setter keeps the reference; the getters look at the type.
    shared.setLong(5);
    EXPECT_TRUE(shared.hasPointer());
    EXPECT_EQ(shared.getString().getLength(), 0);
    // Assignment takes the other's object, or none.
    KVariable target;
    target = copied;
    EXPECT_EQ(&target.getPointer(), &copied.getPointer());
    target = KVariable(3L);
    EXPECT_FALSE(target.hasPointer());

    // Objects must live on the heap.
    KThingPtr object(new KThing);
    target.setObject(*object);
    KThing stackObject;
    ReportCatcher catcher;
    target.setObject(stackObject);
    EXPECT_TRUE(catcher.caught(3, "Object not on heap!"));
    EXPECT_EQ(target.getObject(), object.get());
    EXPECT_TRUE(kIsNullReference(&KVariable().getPointer()));
    EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
}

TEST_F(Values, NumbersDatesAndTimes)
{
    KNumber one(1.5);
    EXPECT_EQ(blocks.written(one),
              ByteList().append(BlockFile::header("KNumber", 16)).raw({0x3F, 0xF8, 0, 0, 0, 0, 0, 0}).bytes());
    for (double value : {0.1, -0.0, std::numeric_limits<double>::denorm_min(), 1e308}) {
        KNumber number(value), back;
        EXPECT_EQ(blocks.roundTrip(number, back), 0);
        const double got = back.getValue();
        EXPECT_EQ(std::memcmp(&got, &value, sizeof value), 0) << value;
    }
    KNumber nan(std::nan(""));
    EXPECT_FALSE(nan == nan || nan < one || nan >= one);
    // The comparisons inherited through KComparable are the base's.
    ReportCatcher catcher;
    EXPECT_TRUE(static_cast<const KComparable&>(one) < nan);
    EXPECT_TRUE(catcher.caught(11, "KComparable::operator<"));

    KDate date(1999, 12, 31), dateBack;
    EXPECT_EQ(blocks.written(date), ByteList().append(BlockFile::header("KDate", 14)).shorts({1999, 12, 31}).bytes());
    EXPECT_EQ(blocks.readBack(dateBack), 0);
    EXPECT_TRUE(dateBack == date);
    KTime time(23, -1, 59), timeBack;
    EXPECT_EQ(blocks.roundTrip(time, timeBack), 0);
    EXPECT_TRUE(timeBack == time);
    // Both order their signed components lexicographically.
    EXPECT_TRUE(KDate(1999, 1, 31) < KDate(1999, 2, 1));
    EXPECT_FALSE(KDate(1999, 12, 31) >= KDate(2000, 1, 1));
    EXPECT_TRUE(KDate(2000, 5, -1) < KDate(2000, 5, 0));
    EXPECT_TRUE(KDate(-1, 12, 31) < KDate());
    EXPECT_TRUE(KTime(10, 59, 59) < KTime(11, 0, 0));
    EXPECT_FALSE(KTime(10, 59, 59) < KTime(10, 59, 59));
}

Bytes storedString(short CharacterSet, long Length, const std::string& Stored)
{
    const long section = 14 + static_cast<long>(Stored.size());
    return ByteList().append(BlockFile::header("KString", section)).shorts({CharacterSet}).longs({Length}).text(Stored);
}

TEST_F(Values, StringBlocksAndTheirCharacterSets)
{
    KString ab("ab");
    EXPECT_EQ(blocks.written(ab), storedString(1, 2, std::string("ab", 3)));
    KString empty;
    EXPECT_EQ(blocks.written(empty), storedString(1, 0, ""));

    // Text from a Mac is converted when read, and written back as Windows text.
    KString stored;
    EXPECT_EQ(blocks.read(stored, storedString(0, 4, std::string("caf\x8E", 5))), 0);
    EXPECT_EQ(text(stored), "caf\xE9");
    EXPECT_EQ(stored.getCharacterSet(), 1);
    const Bytes windows = storedString(1, 4, std::string("caf\xE9", 5));
    EXPECT_EQ(blocks.written(stored), windows);
    KString again;
    EXPECT_EQ(blocks.read(again, windows), 0);
    EXPECT_EQ(text(again), "caf\xE9");
    // The stored NUL is not trusted either.
    EXPECT_EQ(blocks.read(stored, storedString(1, 2, "abc")), 0);
    EXPECT_EQ(text(stored), "ab");
    EXPECT_EQ(stored.getBuffer()[2], '\0');
}

TEST_F(Values, MacTextRoundTripsExceptWhereTheTablesAreOneWay)
{
    // Every byte from 1 to 255, stored by a Mac.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    KString stored;
    const long length = static_cast<long>(all.size());
    EXPECT_EQ(blocks.read(stored, storedString(0, length, all + '\0')), 0);
    ASSERT_EQ(stored.getLength(), length);
    EXPECT_EQ(std::string(stored.getText(), 127), all.substr(0, 127));

    // Look-alikes that the Mac table folds onto another character do not come back, nor
    // does the division sign, which the Windows table leaves out.
    const std::string oneWay = "\xD6\xD7\xDA\xDC\xDD\xFA\xFB";
    std::string back(stored.getText(), stored.getLength());
    knsConvertText(&back[0], length, 1, 0);
    for (int i = 0; i < length; ++i) {
        if (stored.getText()[i] != '\x7F' && oneWay.find(all[i]) == std::string::npos) {
            EXPECT_EQ(back[i], all[i]) << "byte " << (i + 1);
        }
    }
}

TEST_F(Values, StoredLengthsBeyondTheSectionFailTheRead)
{
    KString s("old");
    // Claims 0x7FFFFFF0 bytes of text; the section holds 3.
    EXPECT_EQ(blocks.read(s, storedString(1, 0x7FFFFFF0, std::string("ab", 3))), KClassReader::kDamagedDataError);
    EXPECT_EQ(s.getBuffer(), nullptr);
    // One byte short: the NUL would lie outside the section.
    EXPECT_EQ(blocks.read(s, storedString(1, 2, "ab")), KClassReader::kDamagedDataError);
    EXPECT_EQ(s.getLength(), 0);
    // A negative length is an empty string.
    s = "old";
    EXPECT_EQ(blocks.read(s, storedString(1, -5, "")), 0);
    EXPECT_EQ(s.getLength(), 0);

    KMemoryBlock block;
    EXPECT_EQ(blocks.written(block), ByteList().append(BlockFile::header("KMemoryBlock", 12)).longs({0}).bytes());
    const Bytes three = ByteList().append(BlockFile::header("KMemoryBlock", 15)).longs({3}).raw({0xDE, 0xAD, 0x00});
    EXPECT_EQ(blocks.read(block, three), 0);
    EXPECT_EQ(blocks.written(block), three);
    const Bytes huge = ByteList().append(BlockFile::header("KMemoryBlock", 15)).longs({0x7FFFFFF0}).raw({1, 2, 3});
    EXPECT_EQ(blocks.read(block, huge), KClassReader::kDamagedDataError);
    EXPECT_EQ(block.getSize(), 0);
    EXPECT_EQ(block.getData(), nullptr);
}

} // namespace
