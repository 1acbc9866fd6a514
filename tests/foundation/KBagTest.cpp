// KBag: growth and shrinking, insertion and removal, reference counts across copies.
#include "foundation/KBag.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

class KBagTest : public testing::Test {
protected:
    void SetUp() override { m_heapBlocks = KThing::getHeapBlockCount(); }
    void TearDown() override { EXPECT_EQ(KThing::getHeapBlockCount(), m_heapBlocks) << "leaked objects"; }
    long m_heapBlocks = 0;
};

void addStrings(KBag& Bag, std::initializer_list<const char*> Texts)
{
    for (const char* text : Texts)
        Bag.add(heapString(text));
}

TEST_F(KBagTest, CapacityGrowsAndShrinksInStepsOfTheGrowSize)
{
    KBag single;
    std::vector<long> capacities;
    for (long value = 0; value < 3; ++value) {
        single.add(heapString("x"));
        capacities.push_back(single.getCapacity());
    }
    single.removeAt(0);
    capacities.push_back(single.getCapacity());
    EXPECT_EQ(capacities, (std::vector<long>{1, 2, 3, 2}));

    KBag stepped;
    stepped.setIsDirect(true);
    stepped.setGrowSize(4);
    capacities.clear();
    for (long value = 0; value < 9; ++value) {
        stepped.addDirectData(value);
        capacities.push_back(stepped.getCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<long>{4, 4, 4, 4, 8, 8, 8, 8, 12}));
    // 9 used of 12: removals give 4 slots back only once 4 are spare.
    capacities.clear();
    for (long value = 0; value < 6; ++value) {
        stepped.removeAt(0);
        capacities.push_back(stepped.getCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<long>{8, 8, 8, 8, 4, 4}));
    EXPECT_EQ(valuesOf(stepped), (std::vector<long>{6, 7, 8}));

    KBag floor;
    floor.setIsDirect(true);
    floor.setGrowSize(4);
    floor.setMinSize(6);
    EXPECT_EQ(floor.getCapacity(), 6);
    for (long value = 0; value < 7; ++value)
        floor.addDirectData(value);
    EXPECT_EQ(floor.getCapacity(), 10);
    for (long value = 0; value < 7; ++value)
        floor.removeAt(0);
    EXPECT_EQ(floor.getCapacity(), 6);
}

TEST_F(KBagTest, InsertionAndRemovalShiftElementsWithoutTouchingTheirCounts)
{
    KStringPtr a(heapString("a"));
    KStringPtr c(heapString("c"));
    KBag bag;
    bag.add(*a);
    bag.add(*c);
    bag.insertAt(heapString("b"), 1);
    bag.insertAt(heapString("d"), 3);
    bag.insertAt(heapString("0"), 0);
    EXPECT_EQ(textsOf(bag), (std::vector<std::string>{"0", "a", "b", "c", "d"}));
    EXPECT_EQ(a->getReferenceCount(), 3);
    EXPECT_EQ(c->getReferenceCount(), 3);

    bag.removeAt(1);
    EXPECT_EQ(a->getReferenceCount(), 2);
    bag.removeAt(3);
    EXPECT_EQ(textsOf(bag), (std::vector<std::string>{"0", "b", "c"}));
    EXPECT_EQ(c->getReferenceCount(), 3);
    bag.remove(*c);
    bag.remove(*a);
    EXPECT_EQ(textsOf(bag), (std::vector<std::string>{"0", "b"}));
    EXPECT_EQ(c->getReferenceCount(), 2);
    EXPECT_EQ(bag.getCapacity(), 2);

    // Through the array's interface a bag answers its used slots.
    const KArray& asArray = bag;
    EXPECT_EQ(asArray.getSize(), 2);
    bag.clear();
    EXPECT_TRUE(asArray.isEmpty());
    EXPECT_EQ(bag.getCapacity(), 0);
}

TEST_F(KBagTest, MisuseIsReportedWithTheOperationThatFailed)
{
    KBag bag;
    KStringPtr late(heapString("late"));
    ReportCatcher catcher;
    bag.removeAt(0);
    EXPECT_TRUE(catcher.caught(7, "KBag::removeAt(long Pos)"));
    catcher.clear();

    bag.setGrowSize(4);
    addStrings(bag, {"a"});
    bag.removeAt(2);
    bag.removeAt(4);
    bag.insertAt(*late, 2);
    bag.setGrowSize(2);
    bag.setMinSize(2);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{7, 7, 7, 26, 26}));
    EXPECT_TRUE(catcher.caught(7, "KBag::removeAt(long Pos)"));
    EXPECT_TRUE(catcher.caught(7, "KArray::resetAt(long Pos)"));
    EXPECT_TRUE(catcher.caught(7, "KBag::insertAt(const KThing& Obj,long Pos)"));
    EXPECT_TRUE(catcher.caught(26, "KBag::setGrowSize"));
    EXPECT_TRUE(catcher.caught(26, "KBag::setMinSize"));
    EXPECT_EQ(textsOf(bag), std::vector<std::string>{"a"});
    catcher.clear();

    KBag fresh;
    fresh.setGrowSize(0);
    fresh.setMinSize(-1);
    EXPECT_TRUE(catcher.caught(6, "KBag::setGrowSize"));
    EXPECT_TRUE(catcher.caught(6, "KBag::setMinSize"));
    EXPECT_EQ(fresh.getGrowSize(), 1);
    EXPECT_EQ(fresh.getMinSize(), 0);
}

TEST_F(KBagTest, CopiesShareElementsAndDeepCopiesMakeNewOnes)
{
    KStringPtr a(heapString("a"));
    KBag source;
    source.setGrowSize(4);
    source.add(*a);
    addStrings(source, {"b"});
    ASSERT_EQ(source.getCapacity(), 4);

    KBag copy(source);
    EXPECT_EQ(textsOf(copy), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(copy.getCapacity(), 2);
    EXPECT_EQ(copy.getGrowSize(), 4);
    EXPECT_EQ(a->getReferenceCount(), 4);

    KBag assigned;
    addStrings(assigned, {"old"});
    assigned = source;
    assigned = assigned;
    EXPECT_EQ(textsOf(assigned), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(a->getReferenceCount(), 5);

    KBagPtr deep(static_cast<KBag*>(&source.deepCopy()));
    EXPECT_EQ(textsOf(*deep), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(deep->getCapacity(), 2);
    EXPECT_EQ(deep->getGrowSize(), 4);
    EXPECT_NE(&deep->getObjectAt(0), a.get());
    EXPECT_EQ(deep->getObjectAt(0).getReferenceCount(), 2);
    EXPECT_EQ(a->getReferenceCount(), 5);

    copy.clear();
    assigned.clear();
    EXPECT_EQ(a->getReferenceCount(), 3);
    EXPECT_EQ(copy.getCapacity(), 0);
}

TEST_F(KBagTest, AddAllTakesTheUsedSlotsOfContainersOfTheSameMode)
{
    KBag source;
    source.setGrowSize(8);
    addStrings(source, {"x", "y"});
    KBag target;
    addStrings(target, {"w"});
    target.addAll(source);
    EXPECT_EQ(textsOf(target), (std::vector<std::string>{"w", "x", "y"}));

    KBag direct;
    direct.setIsDirect(true);
    direct.addDirectData(1);
    target.addAll(direct);
    direct.addAll(target);
    EXPECT_EQ(target.getCount(), 3);
    EXPECT_EQ(valuesOf(direct), std::vector<long>{1});

    // Only the used slots take part in a sort.
    source.add(heapString("a"));
    source.sort();
    EXPECT_EQ(textsOf(source), (std::vector<std::string>{"a", "x", "y"}));
}

} // namespace
