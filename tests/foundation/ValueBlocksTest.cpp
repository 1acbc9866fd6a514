// The class blocks of the value classes: exact bytes, round trips, and stored lengths
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

std::string text(const KString& S)
{
    return std::string(S.getText(), S.getLength());
}

TEST_F(ValueBlocks, StringBlockBytes)
{
    KString ab("ab");
    EXPECT_EQ(blocks.written(ab), ByteList().append(BlockFile::header("KString", 17)).shorts({1}).longs({2}).text(std::string("ab", 3)).bytes());
    KString empty;
    EXPECT_EQ(blocks.written(empty), ByteList().append(BlockFile::header("KString", 14)).shorts({1}).longs({0}).bytes());
}

TEST_F(ValueBlocks, StringFromAMacIsConvertedWhenRead)
{
    KString stored;
    const Bytes mac = ByteList().append(BlockFile::header("KString", 19)).shorts({0}).longs({4}).text(std::string("caf\x8E", 5));
    EXPECT_EQ(blocks.read(stored, mac), 0);
    EXPECT_EQ(text(stored), "caf\xE9");
    EXPECT_EQ(stored.getCharacterSet(), 1);
    EXPECT_EQ(blocks.written(stored), ByteList().append(BlockFile::header("KString", 19)).shorts({1}).longs({4}).text(std::string("caf\xE9", 5)).bytes());

    // Both directions of the tables: a Windows text read on this platform is kept.
    KString windows;
    EXPECT_EQ(blocks.read(windows, blocks.written(stored)), 0);
    EXPECT_EQ(text(windows), "caf\xE9");

    // The stored NUL is not trusted either.
    KString unterminated;
    EXPECT_EQ(blocks.read(unterminated, ByteList().append(BlockFile::header("KString", 17)).shorts({1}).longs({2}).text("abc")), 0);
    EXPECT_EQ(text(unterminated), "ab");
    EXPECT_EQ(unterminated.getBuffer()[2], '\0');
}

TEST_F(ValueBlocks, MacTextRoundTripsExceptWhereTheTablesAreOneWay)
{
    // Every byte from 1 to 255, stored by a Mac.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    KString stored;
    const long length = static_cast<long>(all.size());
    EXPECT_EQ(blocks.read(stored, ByteList().append(BlockFile::header("KString", 8 + 6 + length + 1)).shorts({0}).longs({length}).text(all + '\0')), 0);
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
    const Bytes huge = ByteList().append(BlockFile::header("KString", 17)).shorts({1}).longs({0x7FFFFFF0}).text(std::string("ab", 3));
    EXPECT_EQ(blocks.read(s, huge), KClassReader::kDamagedDataError);
    EXPECT_EQ(s.getLength(), 0);
    EXPECT_EQ(s.getBuffer(), nullptr);

    // One byte short: the NUL would lie outside the section.
    const Bytes tight = ByteList().append(BlockFile::header("KString", 16)).shorts({1}).longs({2}).text("ab");
    EXPECT_EQ(blocks.read(s, tight), KClassReader::kDamagedDataError);
    EXPECT_EQ(s.getLength(), 0);

    // A negative length is an empty string.
    const Bytes negative = ByteList().append(BlockFile::header("KString", 14)).shorts({1}).longs({-5});
    EXPECT_EQ(blocks.read(s, negative), 0);
    EXPECT_EQ(s.getLength(), 0);
}

TEST_F(ValueBlocks, MemoryBlockBytesAndLimits)
{
    KMemoryBlock block;
    const Bytes empty = ByteList().append(BlockFile::header("KMemoryBlock", 12)).longs({0});
    EXPECT_EQ(blocks.written(block), empty);
    EXPECT_EQ(blocks.read(block, empty), 0);
    EXPECT_EQ(block.getSize(), 0);
    EXPECT_EQ(block.getData(), nullptr);

    const Bytes three = ByteList().append(BlockFile::header("KMemoryBlock", 15)).longs({3}).raw({0xDE, 0xAD, 0x00});
    EXPECT_EQ(blocks.read(block, three), 0);
    ASSERT_EQ(block.getSize(), 3);
    EXPECT_EQ(block.getData()[1], 0xAD);
    EXPECT_EQ(blocks.written(block), three);

    const Bytes huge = ByteList().append(BlockFile::header("KMemoryBlock", 15)).longs({0x7FFFFFF0}).raw({1, 2, 3});
    EXPECT_EQ(blocks.read(block, huge), KClassReader::kDamagedDataError);
    EXPECT_EQ(block.getSize(), 0);
    EXPECT_EQ(block.getData(), nullptr);
}

TEST_F(ValueBlocks, NumberKeepsAll64Bits)
{
    for (double value : {1.5, 0.1, -0.0, std::numeric_limits<double>::denorm_min(), 1e308}) {
        KNumber number(value);
        const Bytes bytes = blocks.written(number);
        ASSERT_EQ(bytes.size(), 16u + 8u + 8u);
        EXPECT_EQ(bytes[24], value == 1.5 ? 0x3F : bytes[24]);
        KNumber back;
        EXPECT_EQ(blocks.read(back, bytes), 0);
        const double got = back.getValue();
        EXPECT_EQ(std::memcmp(&got, &value, sizeof value), 0) << value;
    }
}

TEST_F(ValueBlocks, SetStoresOnlyItsBitCount)
{
    KSet set;
    set.set(3);
    const Bytes bytes = ByteList().append(BlockFile::header("KSet", 12)).longs({32});
    EXPECT_EQ(blocks.written(set), bytes);

    // A larger stored count gets words to match; the bits are not stored.
    KSet target;
    target.set(1);
    EXPECT_EQ(blocks.read(target, ByteList().append(BlockFile::header("KSet", 12)).longs({100})), 0);
    EXPECT_EQ(target.getSize(), 100u);
    EXPECT_FALSE(target.isSet(1));
    target.set(99);
    EXPECT_TRUE(target.isSet(99));

    // A smaller one keeps the words and the bits below it.
    KSet smaller;
    smaller.set(2);
    smaller.set(20);
    EXPECT_EQ(blocks.read(smaller, ByteList().append(BlockFile::header("KSet", 12)).longs({16})), 0);
    EXPECT_EQ(smaller.getSize(), 16u);
    EXPECT_TRUE(smaller.isSet(2));
    EXPECT_FALSE(smaller.isSet(20));

    KSet damaged;
    EXPECT_EQ(blocks.read(damaged, ByteList().append(BlockFile::header("KSet", 12)).longs({-1})), KClassReader::kDamagedDataError);
    EXPECT_EQ(damaged.getSize(), 32u);
}

TEST_F(ValueBlocks, FlagSetDateAndTime)
{
    KFlagSet flags(0x80000001u);
    const Bytes flagBytes = ByteList().append(BlockFile::header("KFlagSet", 12)).raw({0x80, 0x00, 0x00, 0x01});
    EXPECT_EQ(blocks.written(flags), flagBytes);
    KFlagSet flagsBack;
    EXPECT_EQ(blocks.read(flagsBack, flagBytes), 0);
    EXPECT_EQ(flagsBack.getFlags(), 0x80000001u);

    KDate date(1999, 12, 31);
    const Bytes dateBytes = ByteList().append(BlockFile::header("KDate", 14)).raw({0x07, 0xCF, 0x00, 0x0C, 0x00, 0x1F});
    EXPECT_EQ(blocks.written(date), dateBytes);
    KDate dateBack;
    EXPECT_EQ(blocks.read(dateBack, dateBytes), 0);
    EXPECT_TRUE(dateBack == date);

    KTime time(23, -1, 59);
    KTime timeBack;
    EXPECT_EQ(blocks.read(timeBack, blocks.written(time)), 0);
    EXPECT_TRUE(timeBack == time);
    EXPECT_EQ(timeBack.getMinute(), -1);
}

TEST(KNumber, ComparesAsIEEEDoubles)
{
    KNumber small(1.5), large(2.0), nan(std::nan(""));
    EXPECT_TRUE(small < large);
    EXPECT_TRUE(large >= small);
    EXPECT_FALSE(small == large);
    EXPECT_TRUE(small == KNumber(1.5));
    EXPECT_FALSE(nan == nan);
    EXPECT_TRUE(nan != nan);
    EXPECT_FALSE(nan < small);
    EXPECT_FALSE(nan >= small);

    // The comparisons inherited through KComparable are the base's.
    ReportCatcher catcher;
    const KComparable& asComparable = small;
    EXPECT_TRUE(asComparable < large);
    EXPECT_EQ(catcher.codes(), std::vector<int>{11});
    EXPECT_TRUE(catcher.caught(11, "KComparable::operator<"));
}

} // namespace
