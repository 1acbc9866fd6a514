// KNamedBag, KStringBag and KIndexedBag: look-up rules, replacement and keys.
#include "foundation/KIndexedBag.h"
#include "foundation/KNamedBag.h"
#include "foundation/KStringBag.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

using AssociativeBags = LeakChecked;

class LabelString : public KString {
public:
    using KString::KString;
};

TEST_F(AssociativeBags, NamedLookUpIsExactOrOnUpperCaseCopies)
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
}

TEST_F(AssociativeBags, NamedReplacementMovesTheEntryToTheEnd)
{
    KStringPtr heapName(heapString("width"));
    KNamedBag bag;
    bag.addNamedObject(*heapName, heapString("10"));
    bag.addNamedObject(KString("height"), heapString("20"));
    // A heap name is held itself, a stack name as a copy.
    EXPECT_EQ(&bag.getNames().getObjectAt(0), heapName.get());
    EXPECT_TRUE(bag.getNames().getObjectAt(1).isOnHeap());

    bag.addNamedObject(KString("width"), heapString("11"), true);
    EXPECT_EQ(textsOf(bag.getNames()), (std::vector<std::string>{"height", "width"}));
    EXPECT_EQ(textsOf(bag.getObjects()), (std::vector<std::string>{"20", "11"}));
    EXPECT_EQ(heapName->getReferenceCount(), 2);

    bag.removeNamedObject(KString("height"));
    bag.removeNamedObject(KString("depth"));
    EXPECT_EQ(textsOf(bag.getObjects()), std::vector<std::string>{"11"});
}

TEST_F(AssociativeBags, StringBagsHoldCopiesAndMatchOnlyPlainStrings)
{
    KStringPtr heapFace(heapString("Arial"));
    KStringBag faces;
    faces.add(*heapFace);
    faces.add(KString("Times"));
    EXPECT_NE(&faces.getObjectAt(0), heapFace.get());
    EXPECT_EQ(heapFace->getReferenceCount(), 2);

    EXPECT_FALSE(faces.contains(KString("times")));
    faces.setCaseSensitive(false);
    EXPECT_TRUE(faces.contains(KString("TIMES")));

    // A string of a derived class is never a match, whatever its text.
    KStringPtr label(new LabelString("Symbol"));
    faces.KBag::add(*label);
    EXPECT_FALSE(faces.contains(KString("Symbol")));

    ReportCatcher catcher;
    EXPECT_TRUE(kIsNullReference(&faces.getClass()));
    EXPECT_TRUE(catcher.caught(18, "getClass()"));
}

TEST_F(AssociativeBags, IndexedBagsKeepTheFirstObjectUnderEachKey)
{
    KIndexedBag items;
    items.add(-5, heapString("minus five"));
    items.add(0, heapString("zero"));
    KStringPtr refused(heapString("again"));
    items.add(-5, *refused);
    items.add(-2147483647L - 1, heapString("lowest"));
    EXPECT_EQ(items.getCount(), 3);
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

} // namespace
