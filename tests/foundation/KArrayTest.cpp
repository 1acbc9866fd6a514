// KArray: slots and their reference counts, direct mode, shifting, search, copies and sort.
#include "foundation/KArray.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using KArrayTest = LeakChecked;

KArray& directArray(const std::vector<long>& Values)
{
    auto* array = new KArray;
    array->setIsDirect(true);
    array->setSize(static_cast<long>(Values.size()));
    for (std::size_t pos = 0; pos < Values.size(); ++pos)
        array->putDirectDataAt(Values[pos], static_cast<long>(pos));
    return *array;
}

KArray& stringArray(std::initializer_list<const char*> Texts)
{
    auto* array = new KArray;
    array->setSize(static_cast<long>(Texts.size()));
    long pos = 0;
    for (const char* text : Texts)
        array->putAt(heapString(text), pos++);
    return *array;
}

TEST_F(KArrayTest, EachSlotHoldsOneCountAndSearchesGoByIdentity)
{
    KStringPtr a(heapString("a"));
    KStringPtr b(heapString("b"));
    KArrayPtr array(new KArray);
    array->setSize(4);
    array->putAt(*a, 0);
    array->putAt(*a, 1);
    array->putAt(*b, 3);
    EXPECT_EQ(a->getReferenceCount(), 4);
    // Storing the object already there changes nothing; storing another releases it.
    array->putAt(*a, 0);
    array->putAt(*b, 0);
    EXPECT_EQ(a->getReferenceCount(), 3);
    EXPECT_EQ(b->getReferenceCount(), 4);

    long pos = -1;
    EXPECT_TRUE(array->has(*b, &pos));
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(array->findIndexOf(KStringPtr(a)), 1);
    EXPECT_EQ(array->findIndexOf(KString("a")), -1);
    EXPECT_TRUE(array->has(nullptr, &pos)); // the null object finds an empty slot
    EXPECT_EQ(pos, 2);

    array->setSize(2);
    EXPECT_EQ(b->getReferenceCount(), 3);
    array->setSize(5);
    EXPECT_EQ(textsOf(*array), (std::vector<std::string>{"b", "a", "-", "-", "-"}));
    array->clear();
    EXPECT_EQ(array->getSize(), 5);
    EXPECT_EQ(a->getReferenceCount() + b->getReferenceCount(), 4);
    array->putAt(*a, 4);
    array->setSize(0);
    EXPECT_EQ(a->getReferenceCount(), 2);
}

TEST_F(KArrayTest, MisuseIsReportedAndLeavesTheArrayUnchanged)
{
    KArrayPtr objects(stringArray({"x"}));
    KArrayPtr direct(directArray({7}));
    KString onStack("stack");
    KStringPtr late(heapString("late"));
    ReportCatcher catcher;

    EXPECT_TRUE(kIsNullReference(&objects->getObjectAt(1)));
    EXPECT_TRUE(kIsNullReference(&(*direct)[0]));
    objects->resetAt(0);
    EXPECT_TRUE(kIsNullReference(&objects->getObjectAt(0)));
    EXPECT_EQ(objects->getDirectDataAt(0), 0);
    EXPECT_EQ(direct->getDirectDataAt(-1), 0);
    objects->putAt(onStack, 0);
    objects->putAt(*late, 1);
    direct->putAt(onStack, 0);
    objects->putDirectDataAt(1, 0);
    direct->putDirectDataAt(1, 3);
    objects->resetAt(-1);
    objects->setIsDirect(true);
    EXPECT_FALSE(direct->has(onStack));
    EXPECT_EQ(direct->findIndexOf(onStack), -1);

    EXPECT_EQ(catcher.codes(), (std::vector<int>{7, 23, 2, 24, 7, 3, 7, 23, 24, 7, 7, 21, 23, 23}));
    EXPECT_TRUE(catcher.caught(3, "KArray::putAt(const KThing& Obj,long Pos)"));
    EXPECT_TRUE(catcher.caught(24, "KArray::putDirectDataAt(void* Val,long Pos)"));
    EXPECT_TRUE(catcher.caught(21, "KArray::setIsDirect"));
    EXPECT_EQ(valuesOf(*direct), std::vector<long>{7});
    EXPECT_FALSE(objects->isDirect());
    EXPECT_EQ(onStack.getReferenceCount(), 1);
    EXPECT_EQ(late->getReferenceCount(), 2);
}

TEST_F(KArrayTest, MoveShiftsRawWordsInEitherDirection)
{
    KArrayPtr array(directArray({1, 2, 3, 4, 5}));
    array->move(0, 1, 4);
    EXPECT_EQ(valuesOf(*array), (std::vector<long>{1, 1, 2, 3, 4}));
    array->move(2, 0, 3);
    array->swap(0, 4);
    EXPECT_EQ(valuesOf(*array), (std::vector<long>{4, 3, 4, 3, 2}));

    ReportCatcher catcher;
    array->move(0, 1, 5);
    array->move(5, 0, 1);
    array->move(0, 1, 0);
    array->swap(0, 5);
    EXPECT_EQ(catcher.codes(), (std::vector<int>(4, 7)));
    EXPECT_EQ(valuesOf(*array), (std::vector<long>{4, 3, 4, 3, 2}));
}

TEST_F(KArrayTest, SharedElementsGainACountAndDeepCopiesAreNewObjects)
{
    KStringPtr a(heapString("a"));
    KArrayPtr source(new KArray);
    source->setSize(3);
    source->putAt(*a, 0);
    source->putAt(heapString("c"), 2);
    source->setSortOrder(KArray::Descending);

    KArrayPtr shared(new KArray);
    shared->copyElementsFrom(*source);
    KArrayPtr copy(static_cast<KArray*>(&source->deepCopy()));
    for (KArray* array : {shared.get(), copy.get()}) {
        EXPECT_EQ(textsOf(*array), (std::vector<std::string>{"a", "-", "c"}));
        EXPECT_EQ(array->getSortOrder(), KArray::Descending);
    }
    EXPECT_EQ(&shared->getObjectAt(0), a.get());
    EXPECT_NE(&copy->getObjectAt(0), a.get());
    EXPECT_EQ(a->getReferenceCount(), 4);

    KArrayPtr directCopy(static_cast<KArray*>(&KArrayPtr(directArray({-1, 9}))->deepCopy()));
    EXPECT_TRUE(directCopy->isDirect());
    EXPECT_EQ(valuesOf(*directCopy), (std::vector<long>{-1, 9}));
}

short byLengthThenReversed(const KArray& Array, long A, long B)
{
    const auto& a = static_cast<const KString&>(Array.getObjectAt(A));
    const auto& b = static_cast<const KString&>(Array.getObjectAt(B));
    if (a.getLength() != b.getLength())
        return static_cast<short>(a.getLength() - b.getLength());
    return static_cast<short>(b > a ? 1 : (a > b ? -1 : 0));
}

TEST_F(KArrayTest, SortsDistinctKeysInBothOrders)
{
    KArrayPtr strings(stringArray({"pear", "apple", "fig", "kiwi", "banana"}));
    strings->sort();
    EXPECT_EQ(textsOf(*strings), (std::vector<std::string>{"apple", "banana", "fig", "kiwi", "pear"}));
    strings->setSortOrder(KArray::Descending);
    strings->sort();
    EXPECT_EQ(textsOf(*strings), (std::vector<std::string>{"pear", "kiwi", "fig", "banana", "apple"}));

    KArrayPtr values(directArray({3, -7, 12, 0, -1}));
    values->sort();
    EXPECT_EQ(valuesOf(*values), (std::vector<long>{-7, -1, 0, 3, 12}));
    values->setSortOrder(KArray::Descending);
    values->sort();
    EXPECT_EQ(valuesOf(*values), (std::vector<long>{12, 3, 0, -1, -7}));

    // A compare procedure's result is used as it is: the order byte does not reverse it.
    KArrayPtr procedure(stringArray({"ccc", "a", "bb", "b", "aaa"}));
    procedure->setSortOrder(KArray::Descending);
    procedure->setCompareProcedure(&byLengthThenReversed);
    procedure->sort();
    EXPECT_EQ(textsOf(*procedure), (std::vector<std::string>{"b", "a", "bb", "ccc", "aaa"}));
}

TEST_F(KArrayTest, SortsLargeRangesDuplicatesHolesAndUncomparableElements)
{
    // Above 24 elements the pivot is a median of three; duplicates stop both scans.
    std::mt19937 generator(1234);
    std::vector<long> random;
    for (int i = 0; i < 2000; ++i)
        random.push_back(static_cast<long>(generator() % 300) - 150);
    for (const std::vector<long>& values : {random, std::vector<long>(27, 5), std::vector<long>{42}}) {
        KArrayPtr array(directArray(values));
        array->sort();
        std::vector<long> expected = values;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(valuesOf(*array), expected);
    }

    // Empty slots gather behind the elements.
    KArrayPtr holes(stringArray({"b", "a"}));
    holes->setSize(4);
    holes->swap(0, 3);
    holes->sort();
    EXPECT_EQ(textsOf(*holes), (std::vector<std::string>{"a", "b", "-", "-"}));

    ReportCatcher catcher;
    holes->putAt(*new KThing, 2);
    holes->sort();
    EXPECT_EQ(catcher.codes(), std::vector<int>{25});
}

} // namespace
