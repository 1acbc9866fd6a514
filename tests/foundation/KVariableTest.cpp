// KVariable: the scalar types over shared storage, strings and objects by count.
#include "foundation/KVariable.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

TEST(KVariable, ScalarsShareTheStorageAndSetTheirType)
{
    KVariable value;
    EXPECT_EQ(value.getType(), KVariable::Long);
    EXPECT_EQ(value.getLong(), 0);

    value.setLong(0x11223344);
    value.setShort(-2);
    EXPECT_EQ(value.getType(), KVariable::Short);
    EXPECT_EQ(value.getShort(), -2);
    // A setter writes only its own width: the upper half of the long survives.
    EXPECT_EQ(value.getLong(), 0x1122FFFE);

    value.setChar('x');
    EXPECT_EQ(value.getLong(), 0x1122FF78);
    EXPECT_EQ(KVariable(true).getType(), KVariable::Bool);
    EXPECT_EQ(KVariable(short(7)).getShort(), 7);
}

TEST(KVariable, StringsAreSharedFromTheHeapAndCopiedFromTheStack)
{
    KString onStack("stack");
    KVariable copied(onStack);
    onStack = "changed";
    EXPECT_STREQ(copied.getString().getText(), "stack");
    EXPECT_EQ(copied.getType(), KVariable::String);

    KStringPtr onHeap(new KString("heap"));
    KVariable shared;
    shared.setString(*onHeap);
    *onHeap += "!";
    EXPECT_STREQ(shared.getString().getText(), "heap!");
    EXPECT_EQ(onHeap->getReferenceCount(), 3);

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
    EXPECT_EQ(target.getLong(), 3);
    shared.resetPointer();
    EXPECT_EQ(onHeap->getReferenceCount(), 2);
}

TEST(KVariable, ObjectsMustLiveOnTheHeap)
{
    KThingPtr object(new KThing);
    KVariable holder;
    holder.setObject(*object);
    EXPECT_EQ(holder.getType(), KVariable::Object);

    KThing onStack;
    ReportCatcher catcher;
    holder.setObject(onStack);
    EXPECT_TRUE(catcher.caught(3, "Object not on heap!"));
    EXPECT_EQ(holder.getObject(), object.get());

    KVariable empty;
    EXPECT_TRUE(kIsNullReference(&empty.getPointer()));
    EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
}

} // namespace
