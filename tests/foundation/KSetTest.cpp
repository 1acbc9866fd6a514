// KSet and KFlagSet: bit numbering, sizes, copies.
#include "foundation/KFlagSet.h"
#include "foundation/KSet.h"

#include <gtest/gtest.h>

namespace {

TEST(KSet, BitsWithinTheSizeAndResizingClearsThem)
{
    KSet set;
    EXPECT_EQ(set.getSize(), 32u);
    set.set(0);
    set.set(31);
    set.set(32);
    set.set(static_cast<uint32>(-1)); // a negative bit number is a very large one
    set.clear(0);
    EXPECT_FALSE(set.isSet(0));
    EXPECT_TRUE(set.isSet(31));
    EXPECT_FALSE(set.isSet(32));
    EXPECT_FALSE(set.isSet(static_cast<uint32>(-1)));

    set.setSize(1000);
    EXPECT_FALSE(set.isSet(31));
    set.set(999);
    EXPECT_TRUE(set.isSet(999));
    EXPECT_FALSE(set.isSet(998));
    set.clearAll();
    EXPECT_FALSE(set.isSet(999));
    set.setSize(0);
    set.set(0);
    EXPECT_FALSE(set.isSet(0));
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
    target = target;
    EXPECT_EQ(target.getSize(), 70u);
    EXPECT_TRUE(target.isSet(3) && target.isSet(69));
    EXPECT_FALSE(target.isSet(7));

    KSet copy(source);
    copy.clear(69);
    EXPECT_EQ(copy.getSize(), 70u);
    EXPECT_TRUE(copy.isSet(3));
    EXPECT_TRUE(source.isSet(69));
}

TEST(KFlagSet, MasksCombine)
{
    KFlagSet flags;
    flags.set(0x5);
    flags.set(0x80000000u);
    flags.clear(0x4);
    EXPECT_EQ(flags.getFlags(), 0x80000001u);
    KFlagSet other(0x10);
    EXPECT_EQ(other = flags, 0x80000001u);
    EXPECT_TRUE(other == flags);
    other.clearAll();
    EXPECT_EQ(other.getFlags(), 0u);
}

} // namespace
