// KBag: growth and shrinking, insertion and removal, reference counts across copies.
#include "foundation/KBag.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

using KBagTest = LeakChecked;

void addStrings(KBag& Bag, std::initializer_list<const char*> Texts)
{
    for (const char* text : Texts)
        Bag.add(heapString(text));
}

// The capacity after each of Count additions (Add) or removals at the front.
std::vector<long> capacities(KBag& Bag, int Count, bool Add)
{
    std::vector<long> seen;
    for (int i = 0; i < Count; ++i) {
        if (Add)
            Bag.addDirectData(i);
        else
            Bag.removeAt(0);
        seen.push_back(Bag.getCapacity());
    }
    return seen;
}

TEST_F(KBagTest, CapacityGrowsAndShrinksInStepsOfTheGrowSize)
{
    KBag single;
    single.setIsDirect(true);
    EXPECT_EQ(capacities(single, 3, true), (std::vector<long>{1, 2, 3}));
    EXPECT_EQ(capacities(single, 1, false), (std::vector<long>{2}));

    KBag stepped;
    stepped.setIsDirect(true);
    stepped.setGrowSize(4);
    EXPECT_EQ(capacities(stepped, 9, true), (std::vector<long>{4, 4, 4, 4, 8, 8, 8, 8, 12}));
    // 9 used of 12: removals give 4 slots back only once 4 are spare.
    EXPECT_EQ(capacities(stepped, 6, false), (std::vector<long>{8, 8, 8, 8, 4, 4}));
    EXPECT_EQ(valuesOf(stepped), (std::vector<long>{6, 7, 8}));

    KBag floor;
    floor.setIsDirect(true);
    floor.setGrowSize(4);
    floor.setMinSize(6);
    EXPECT_EQ(floor.getCapacity(), 6);
    EXPECT_EQ(capacities(floor, 7, true).back(), 10);
    EXPECT_EQ(capacities(floor, 7, false).back(), 6);
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
    bag.setGrowSize(4);
    addStrings(bag, {"a"});
    bag.removeAt(2);
    bag.removeAt(4);
    bag.insertAt(*late, 2);
    bag.setGrowSize(2);
    bag.setMinSize(2);
    KBag fresh;
    fresh.setGrowSize(0);
    fresh.setMinSize(-1);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{7, 7, 7, 7, 26, 26, 6, 6}));
    EXPECT_TRUE(catcher.caught(7, "KArray::resetAt(long Pos)"));
    EXPECT_TRUE(catcher.caught(7, "KBag::insertAt(const KThing& Obj,long Pos)"));
    EXPECT_TRUE(catcher.caught(26, "KBag::setGrowSize"));
    EXPECT_TRUE(catcher.caught(6, "KBag::setMinSize"));
    EXPECT_EQ(textsOf(bag), std::vector<std::string>{"a"});
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

    KBag copy(source);
    KBag assigned;
    addStrings(assigned, {"old"});
    assigned = source;
    assigned = assigned;
    KBagPtr deep(static_cast<KBag*>(&source.deepCopy()));
    for (KBag* bag : {&copy, &assigned, deep.get()}) {
        EXPECT_EQ(textsOf(*bag), (std::vector<std::string>{"a", "b"}));
        EXPECT_EQ(bag->getGrowSize(), 4);
    }
    EXPECT_EQ(copy.getCapacity(), 2);
    EXPECT_EQ(deep->getCapacity(), 2);
    EXPECT_NE(&deep->getObjectAt(0), a.get());
    EXPECT_EQ(deep->getObjectAt(0).getReferenceCount(), 2);
    EXPECT_EQ(a->getReferenceCount(), 5);
    copy.clear();
    assigned.clear();
    EXPECT_EQ(a->getReferenceCount(), 3);
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
