// The containers: arrays and bags with their reference counts, growth, shifting, copies
// and sort; named, string and indexed bags; the search tree and its rebalance.
#include "foundation/KIndexedBag.h"
#include "foundation/KNamedBag.h"
#include "foundation/KStringBag.h"
#include "foundation/KTree.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using Containers = LeakChecked;

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

void addStrings(KBag& Bag, std::initializer_list<const char*> Texts)
{
    for (const char* text : Texts)
        Bag.add(heapString(text));
}

TEST_F(Containers, EachSlotHoldsOneCountAndSearchesGoByIdentity)
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
}

TEST_F(Containers, ArrayMisuseIsReportedAndLeavesTheArrayUnchanged)
{
    KArrayPtr objects(stringArray({"x"}));
    objects->setSize(2);
    KArrayPtr direct(directArray({7, 8}));
    KString onStack("stack");
    ReportCatcher catcher;
    EXPECT_TRUE(kIsNullReference(&objects->getObjectAt(1)));
    EXPECT_TRUE(kIsNullReference(&(*direct)[0]));
    EXPECT_EQ(objects->getDirectDataAt(0), 0);
    objects->putAt(onStack, 0);
    objects->resetAt(-1);
    objects->setIsDirect(true);
    direct->move(0, 1, 2);
    direct->swap(0, 2);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{2, 23, 24, 3, 7, 21, 7, 7}));
    EXPECT_TRUE(catcher.caught(3, "KArray::putAt(const KThing& Obj,long Pos)"));
    EXPECT_TRUE(catcher.caught(7, "KArray::move(long From, long To, long MoveSize)"));
    EXPECT_EQ(text(objects->getObjectAt(0)), "x");
    EXPECT_EQ(valuesOf(*direct), (std::vector<long>{7, 8}));
    EXPECT_EQ(onStack.getReferenceCount(), 1);

    // Moves shift raw words in either direction.
    KArrayPtr words(directArray({1, 2, 3, 4, 5}));
    words->move(0, 1, 4);
    EXPECT_EQ(valuesOf(*words), (std::vector<long>{1, 1, 2, 3, 4}));
    words->move(2, 0, 3);
    words->swap(0, 4);
    EXPECT_EQ(valuesOf(*words), (std::vector<long>{4, 3, 4, 3, 2}));
}

short byLengthThenReversed(const KArray& Array, long A, long B)
{
    const auto& a = static_cast<const KString&>(Array.getObjectAt(A));
    const auto& b = static_cast<const KString&>(Array.getObjectAt(B));
    if (a.getLength() != b.getLength())
        return static_cast<short>(a.getLength() - b.getLength());
    return static_cast<short>(b > a ? 1 : (a > b ? -1 : 0));
}

TEST_F(Containers, SortsDistinctKeysInBothOrders)
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

TEST_F(Containers, SortsLargeRangesDuplicatesHolesAndUncomparableElements)
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

    // Empty slots gather behind the elements; only a bag's used slots take part.
    KArrayPtr holes(stringArray({"b", "a"}));
    holes->setSize(4);
    holes->swap(0, 3);
    holes->sort();
    EXPECT_EQ(textsOf(*holes), (std::vector<std::string>{"a", "b", "-", "-"}));
    KBag bag;
    bag.setGrowSize(8);
    addStrings(bag, {"y", "x"});
    bag.sort();
    EXPECT_EQ(textsOf(bag), (std::vector<std::string>{"x", "y"}));

    ReportCatcher catcher;
    holes->putAt(*new KThing, 2);
    holes->sort();
    EXPECT_EQ(catcher.codes(), std::vector<int>{25});
}

TEST_F(Containers, CopiesShareElementsAndDeepCopiesMakeNewOnes)
{
    KStringPtr a(heapString("a"));
    KArrayPtr array(new KArray);
    array->setSize(3);
    array->putAt(*a, 0);
    array->putAt(heapString("c"), 2);
    array->setSortOrder(KArray::Descending);
    KArrayPtr shared(new KArray);
    shared->copyElementsFrom(*array);
    KArrayPtr arrayCopy(static_cast<KArray*>(&array->deepCopy()));
    for (KArray* copy : {shared.get(), arrayCopy.get()}) {
        EXPECT_EQ(textsOf(*copy), (std::vector<std::string>{"a", "-", "c"}));
        EXPECT_EQ(copy->getSortOrder(), KArray::Descending);
    }
    EXPECT_NE(&arrayCopy->getObjectAt(0), a.get());
    EXPECT_EQ(a->getReferenceCount(), 4);
    array = nullptr;
    shared = nullptr;

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
    EXPECT_EQ(copy.getCapacity() + deep->getCapacity(), 4);
    EXPECT_NE(&deep->getObjectAt(0), a.get());
    EXPECT_EQ(a->getReferenceCount(), 5);
    copy.clear();
    assigned.clear();
    EXPECT_EQ(a->getReferenceCount(), 3);
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

TEST_F(Containers, BagCapacityGrowsAndShrinksInStepsOfTheGrowSize)
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

    ReportCatcher catcher;
    floor.setGrowSize(0);
    floor.setMinSize(-1);
    floor.addDirectData(1);
    floor.setGrowSize(2);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{6, 6, 26}));
    EXPECT_TRUE(catcher.caught(26, "KBag::setGrowSize"));
    EXPECT_EQ(floor.getGrowSize(), 4);
}

TEST_F(Containers, BagInsertionAndRemovalShiftElementsWithoutTouchingTheirCounts)
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
    EXPECT_EQ(static_cast<const KArray&>(bag).getSize(), 2);

    ReportCatcher catcher;
    bag.removeAt(2);
    bag.insertAt(*a, 3);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{7, 7}));
    EXPECT_TRUE(catcher.caught(7, "KBag::insertAt(const KThing& Obj,long Pos)"));
    EXPECT_EQ(a->getReferenceCount(), 2);

    // addAll takes the used slots of a container of the same mode only.
    KBag direct;
    direct.setIsDirect(true);
    direct.addDirectData(1);
    bag.addAll(direct);
    direct.addAll(bag);
    KBag more;
    addStrings(more, {"x"});
    bag.addAll(more);
    EXPECT_EQ(textsOf(bag), (std::vector<std::string>{"0", "b", "x"}));
    EXPECT_EQ(valuesOf(direct), std::vector<long>{1});
    bag.clear();
    EXPECT_EQ(bag.getCapacity(), 0);
}

class LabelString : public KString {
public:
    using KString::KString;
};

TEST_F(Containers, NamedLookUpIsExactOrOnUpperCaseCopies)
{
    KNamedBag exact;
    exact.addNamedObject(KString("Tape"), heapString("first"));
    exact.addNamedObject(KString("TAPE"), heapString("second"));
    EXPECT_EQ(text(exact.getNamedObject(KString("TAPE"))), "second");
    EXPECT_FALSE(exact.findName(KString("tape")));

    KNamedBag loose;
    loose.setCaseSensitive(false);
    loose.addNamedObject(KString("Tape"), heapString("first"));
    KStringPtr refused(heapString("second"));
    loose.addNamedObject(KString("TAPE"), *refused);
    EXPECT_EQ(loose.getCount(), 1);
    EXPECT_EQ(refused->getReferenceCount(), 2);
    EXPECT_EQ(text(loose.getNamedObject(KString("tApE"))), "first");
    // Accented capitals have their small letters too.
    loose.addNamedObject(KString("\xC9t\xE9"), heapString("summer"));
    EXPECT_TRUE(loose.findName(KString("\xE9T\xC9")));
    EXPECT_FALSE(loose.findNameFrom(KString("tape"), 1));
    ReportCatcher catcher;
    EXPECT_TRUE(kIsNullReference(&loose.getNamedObject(KString("missing"))));
    EXPECT_TRUE(catcher.caught(18, "const KThing& KNamedBag::getNamedObject(const KString& S) const"));

    // Replacing moves the entry to the end; a heap name is held itself, a stack name copied.
    KStringPtr heapName(heapString("width"));
    KNamedBag bag;
    bag.addNamedObject(*heapName, heapString("10"));
    bag.addNamedObject(KString("height"), heapString("20"));
    EXPECT_EQ(&bag.getNames().getObjectAt(0), heapName.get());
    bag.addNamedObject(KString("width"), heapString("11"), true);
    EXPECT_EQ(textsOf(bag.getNames()), (std::vector<std::string>{"height", "width"}));
    EXPECT_EQ(textsOf(bag.getObjects()), (std::vector<std::string>{"20", "11"}));
    EXPECT_EQ(heapName->getReferenceCount(), 2);
    bag.removeNamedObject(KString("height"));
    bag.removeNamedObject(KString("depth"));
    EXPECT_EQ(textsOf(bag.getObjects()), std::vector<std::string>{"11"});
}

TEST_F(Containers, StringBagsHoldCopiesAndIndexedBagsTheFirstObjectUnderAKey)
{
    // A string bag holds copies, even of heap strings.
    KStringPtr heapFace(heapString("Arial"));
    KStringBag faces;
    faces.add(*heapFace);
    faces.add(KString("Times"));
    EXPECT_EQ(heapFace->getReferenceCount(), 2);
    EXPECT_FALSE(faces.contains(KString("times")));
    faces.setCaseSensitive(false);
    EXPECT_TRUE(faces.contains(KString("TIMES")));
    // A string of a derived class is never a match, whatever its text.
    KStringPtr label(new LabelString("Symbol"));
    faces.KBag::add(*label);
    EXPECT_FALSE(faces.contains(KString("Symbol")));

    KIndexedBag items;
    items.add(-5, heapString("minus five"));
    items.add(0, heapString("zero"));
    KStringPtr refused(heapString("again"));
    items.add(-5, *refused);
    items.add(-2147483647L - 1, heapString("lowest"));
    long pos = -1;
    ASSERT_TRUE(items.find(-5, &pos));
    EXPECT_EQ(text(items.getObjects().getObjectAt(pos)), "minus five");
    ASSERT_TRUE(items.find(-2147483647L - 1, &pos));
    EXPECT_EQ(pos, 2);
    EXPECT_FALSE(items.find(5));
    items.remove(-5);
    items.remove(17);
    EXPECT_EQ(valuesOf(items.getKeys()), (std::vector<long>{0, -2147483647L - 1}));
    EXPECT_EQ(textsOf(items.getObjects()), (std::vector<std::string>{"zero", "lowest"}));
}

// "key(left,right)", "-" for an absent child, a leaf as its key alone.
std::string shape(const KTreeNode* Node)
{
    if (!Node)
        return "-";
    const std::string key = text(Node->getObject());
    if (!Node->getLeft() && !Node->getRight())
        return key;
    return key + "(" + shape(Node->getLeft()) + "," + shape(Node->getRight()) + ")";
}

void insert(KTree& Tree, const std::string& Keys)
{
    for (char key : Keys)
        Tree.insert(KStringPtr(new KString(std::string(1, key).c_str())).getObject());
}

std::string inOrder(const KTree& Tree)
{
    std::string keys;
    for (long index = 0; index < Tree.getNodeCount(); ++index)
        keys += text(Tree.getNodeAt(index)->getObject());
    return keys;
}

TEST_F(Containers, TreeKeepsDuplicatesOnTheLeftAndFindsTheUpperOne)
{
    KTree tree;
    insert(tree, "3152");
    KStringPtr three(new KString("3"));
    tree.insert(*three);
    EXPECT_EQ(shape(tree.getRoot()), "3(1(-,2(-,3)),5)");
    KTreeNodePtr found;
    ASSERT_TRUE(tree.find(KString("3"), found));
    EXPECT_EQ(found.get(), tree.getRoot());
    EXPECT_FALSE(tree.find(KString("4"), found));
    EXPECT_FALSE(found.hasObject());
    EXPECT_EQ(inOrder(tree), "12335");
    EXPECT_EQ(tree.getNodeAt(5), nullptr);
    EXPECT_EQ(tree.getNodeAt(-1), nullptr);

    // A key that cannot be counted is refused and leaves the tree as it was.
    ReportCatcher catcher;
    KString onStack("s");
    tree.insert(onStack);
    EXPECT_TRUE(catcher.caught(3, "void KTree::insert(const KComparable& Obj)"));
    EXPECT_EQ(tree.getNodeCount(), 5);
    tree.clear();
    EXPECT_FALSE(tree.find(KString("3"), found));
    EXPECT_EQ(three->getReferenceCount(), 2);
}

TEST_F(Containers, TreeBalancingGivesMinimalHeightWithTheBottomLeavesSpread)
{
    KTree tree;
    tree.balance();
    EXPECT_FALSE(tree.hasRoot());
    insert(tree, "1234567");
    EXPECT_EQ(shape(tree.getRoot()), "1(-,2(-,3(-,4(-,5(-,6(-,7))))))");
    const std::pair<const char*, const char*> cases[] = {
        {"1", "1"},
        {"1234567", "4(2(1,3),6(5,7))"},
        {"54321", "3(2(1,-),5(4,-))"},
        {"1234", "2(1,4(3,-))"}, // one bottom leaf: the spread places it at the end of the chain
        {"ABCDEFGHIJKL", "G(C(B(A,-),E(D,F)),J(H(-,I),L(K,-)))"},
    };
    for (const auto& [keys, balanced] : cases) {
        tree.clear();
        insert(tree, keys);
        tree.balance();
        EXPECT_EQ(shape(tree.getRoot()), balanced) << keys;
        std::string sorted = keys;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(inOrder(tree), sorted);
    }
    tree.clear();
}

} // namespace
