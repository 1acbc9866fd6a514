// The value classes and their class blocks: exact bytes, round trips, and stored lengths
// that the reader must not trust.
#include "foundation/KClassReader.h"
#include "foundation/KDate.h"
#include "foundation/KFlagSet.h"
#include "foundation/KMemoryBlock.h"
#include "foundation/KNumber.h"
#include "foundation/KSet.h"
#include "foundation/KString.h"
#include "foundation/KTime.h"
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

class ValueBlocks : public testing::Test {
protected:
    TemporaryFolder folder;
    BlockFile blocks{folder.file("value.bin")};
};

Bytes storedString(short CharacterSet, long Length, const std::string& Stored)
{
    const long section = 14 + static_cast<long>(Stored.size());
    return ByteList().append(BlockFile::header("KString", section)).shorts({CharacterSet}).longs({Length}).text(Stored);
}

TEST_F(ValueBlocks, StringBlocksAndTheirCharacterSets)
{
    KString ab("ab");
    EXPECT_EQ(blocks.written(ab), storedString(1, 2, std::string("ab", 3)));
    KString empty;
    EXPECT_EQ(blocks.written(empty), writtenStringBlock(""));

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

TEST_F(ValueBlocks, MacTextRoundTripsExceptWhereTheTablesAreOneWay)
{
    // Every byte from 1 to 255, stored by a Mac.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    KString stored;
    const long length = static_cast<long>(all.size());
    EXPECT_EQ(blocks.read(stored, storedString(0, length, all + '\0')), 0);
    ASSERT_EQ(stored.getLength(), length);

    // Look-alikes that the Mac table folds onto another character do not come back, nor
    // does the division sign, which the Windows table leaves out.
    const std::string oneWay = "\xD6\xD7\xDA\xDC\xDD\xFA\xFB";
    std::string back(stored.getText(), stored.getLength());
    knsConvertText(&back[0], length, 1, 0);
    for (int i = 0; i < length; ++i) {
        const char original = all[i];
        if (stored.getText()[i] == '\x7F' || oneWay.find(original) != std::string::npos)
            continue;
        EXPECT_EQ(back[i], original) << "byte " << (i + 1);
    }
    EXPECT_EQ(std::string(stored.getText(), 127), all.substr(0, 127));
}

TEST_F(ValueBlocks, StringLengthBeyondItsSectionFailsTheRead)
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
}

TEST_F(ValueBlocks, MemoryBlockBytesAndLimits)
{
    KMemoryBlock block;
    const Bytes empty = ByteList().append(BlockFile::header("KMemoryBlock", 12)).longs({0});
    EXPECT_EQ(blocks.written(block), empty);

    const Bytes three = ByteList().append(BlockFile::header("KMemoryBlock", 15)).longs({3}).raw({0xDE, 0xAD, 0x00});
    EXPECT_EQ(blocks.read(block, three), 0);
    EXPECT_EQ(blocks.written(block), three);

    const Bytes huge = ByteList().append(BlockFile::header("KMemoryBlock", 15)).longs({0x7FFFFFF0}).raw({1, 2, 3});
    EXPECT_EQ(blocks.read(block, huge), KClassReader::kDamagedDataError);
    EXPECT_EQ(block.getSize(), 0);
    EXPECT_EQ(block.getData(), nullptr);
}

TEST_F(ValueBlocks, NumberKeepsAll64Bits)
{
    KNumber one(1.5);
    EXPECT_EQ(blocks.written(one), ByteList().append(BlockFile::header("KNumber", 16)).raw({0x3F, 0xF8, 0, 0, 0, 0, 0, 0}).bytes());
    for (double value : {1.5, 0.1, -0.0, std::numeric_limits<double>::denorm_min(), 1e308}) {
        KNumber number(value);
        KNumber back;
        EXPECT_EQ(blocks.roundTrip(number, back), 0);
        const double got = back.getValue();
        EXPECT_EQ(std::memcmp(&got, &value, sizeof value), 0) << value;
    }

    KNumber small(1.5), large(2.0), nan(std::nan(""));
    EXPECT_TRUE(small < large && large >= small);
    EXPECT_FALSE(nan == nan || nan < small || nan >= small);
    EXPECT_TRUE(nan != nan);
    // The comparisons inherited through KComparable are the base's.
    ReportCatcher catcher;
    EXPECT_TRUE(static_cast<const KComparable&>(small) < large);
    EXPECT_TRUE(catcher.caught(11, "KComparable::operator<"));
}

Bytes setBlock(long BitCount)
{
    return ByteList().append(BlockFile::header("KSet", 12)).longs({BitCount});
}

TEST_F(ValueBlocks, SetStoresOnlyItsBitCount)
{
    KSet set;
    set.set(3);
    EXPECT_EQ(blocks.written(set), setBlock(32));

    // A larger stored count gets words to match; the bits are not stored.
    KSet larger;
    larger.set(1);
    EXPECT_EQ(blocks.read(larger, setBlock(100)), 0);
    EXPECT_EQ(larger.getSize(), 100u);
    EXPECT_FALSE(larger.isSet(1));
    larger.set(99);
    EXPECT_TRUE(larger.isSet(99));

    // A smaller one keeps the words and the bits below it.
    KSet smaller;
    smaller.set(2);
    smaller.set(20);
    EXPECT_EQ(blocks.read(smaller, setBlock(16)), 0);
    EXPECT_EQ(smaller.getSize(), 16u);
    EXPECT_TRUE(smaller.isSet(2));
    EXPECT_FALSE(smaller.isSet(20));

    KSet damaged;
    EXPECT_EQ(blocks.read(damaged, setBlock(-1)), KClassReader::kDamagedDataError);
    EXPECT_EQ(damaged.getSize(), 32u);
}

TEST_F(ValueBlocks, FlagSetDateAndTime)
{
    KFlagSet flags(0x80000001u);
    EXPECT_EQ(blocks.written(flags), ByteList().append(BlockFile::header("KFlagSet", 12)).raw({0x80, 0, 0, 1}).bytes());
    KFlagSet flagsBack;
    EXPECT_EQ(blocks.readBack(flagsBack), 0);
    EXPECT_EQ(flagsBack.getFlags(), 0x80000001u);

    KDate date(1999, 12, 31);
    EXPECT_EQ(blocks.written(date), ByteList().append(BlockFile::header("KDate", 14)).shorts({1999, 12, 31}).bytes());
    KDate dateBack;
    EXPECT_EQ(blocks.readBack(dateBack), 0);
    EXPECT_TRUE(dateBack == date);

    KTime time(23, -1, 59);
    KTime timeBack;
    EXPECT_EQ(blocks.roundTrip(time, timeBack), 0);
    EXPECT_TRUE(timeBack == time);
    EXPECT_EQ(timeBack.getMinute(), -1);

    // Both order their signed components lexicographically.
    EXPECT_TRUE(KDate(1999, 1, 31) < KDate(1999, 2, 1));
    EXPECT_TRUE(KDate(1999, 12, 31) <= KDate(2000, 1, 1));
    EXPECT_FALSE(KDate(1999, 12, 31) >= KDate(2000, 1, 1));
    EXPECT_TRUE(KDate(2000, 5, -1) < KDate(2000, 5, 0));
    EXPECT_TRUE(KDate(-1, 12, 31) < KDate());
    EXPECT_TRUE(KTime(10, 59, 59) < KTime(11, 0, 0));
    EXPECT_FALSE(KTime(10, 59, 59) < KTime(10, 59, 59));
}

} // namespace
