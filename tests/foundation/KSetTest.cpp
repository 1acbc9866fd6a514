// KSet and KFlagSet: bit numbering, sizes, copies.
#include "foundation/KFlagSet.h"
#include "foundation/KSet.h"

#include <gtest/gtest.h>

namespace {

TEST(KSet, NewSetHas32ClearBits)
{
    KSet set;
    EXPECT_EQ(set.getSize(), 32u);
    for (uint32 bit = 0; bit < 32; ++bit)
        EXPECT_FALSE(set.isSet(bit));
    set.set(31);
    EXPECT_TRUE(set.isSet(31));
    set.set(32);
    EXPECT_FALSE(set.isSet(32));
    set.set(0);
    set.clear(31);
    EXPECT_TRUE(set.isSet(0));
    EXPECT_FALSE(set.isSet(31));
    // A negative bit number is a very large unsigned one.
    set.set(static_cast<uint32>(-1));
    EXPECT_FALSE(set.isSet(static_cast<uint32>(-1)));
    set.clearAll();
    EXPECT_FALSE(set.isSet(0));
}

TEST(KSet, ResizingClearsEveryBit)
{
    KSet set;
    set.set(5);
    set.setSize(33);
    EXPECT_EQ(set.getSize(), 33u);
    EXPECT_FALSE(set.isSet(5));
    set.set(32);
    EXPECT_TRUE(set.isSet(32));
    set.setSize(0);
    set.set(0);
    EXPECT_FALSE(set.isSet(0));

    KSet big;
    big.setSize(1000);
    big.set(999);
    big.set(500);
    EXPECT_TRUE(big.isSet(999));
    EXPECT_TRUE(big.isSet(500));
    EXPECT_FALSE(big.isSet(998));
}

TEST(KSet, AssignmentAndCopyTakeSizeAndBits)
{
    KSet source;
    source.setSize(70);
    source.set(3);
    source.set(69);

    KSet target;
    target.set(7);
    target = source;
    EXPECT_EQ(target.getSize(), 70u);
    EXPECT_TRUE(target.isSet(3));
    EXPECT_TRUE(target.isSet(69));
    EXPECT_FALSE(target.isSet(7));

    KSet copy(source);
    EXPECT_EQ(copy.getSize(), 70u);
    EXPECT_TRUE(copy.isSet(69));
    // The copy has its own bits.
    copy.clear(69);
    EXPECT_TRUE(source.isSet(69));

    target = target;
    EXPECT_TRUE(target.isSet(3));
}

TEST(KFlagSet, MasksCombine)
{
    KFlagSet flags;
    EXPECT_EQ(flags.getFlags(), 0u);
    flags.set(0x5);
    flags.set(0x80000000u);
    EXPECT_EQ(flags.getFlags(), 0x80000005u);
    flags.clear(0x2);
    EXPECT_EQ(flags.getFlags(), 0x80000005u);
    flags.clear(0x4);
    EXPECT_EQ(flags.getFlags(), 0x80000001u);

    KFlagSet copy(flags);
    EXPECT_TRUE(copy == flags);
    KFlagSet other(0x10);
    EXPECT_EQ(other = flags, 0x80000001u);
    EXPECT_TRUE(other == flags);
    other.clearAll();
    EXPECT_EQ(other.getFlags(), 0u);
}

} // namespace
