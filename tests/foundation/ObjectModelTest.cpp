// Reference counting, the heap marker, the counters and the pointer classes.
#include "foundation/KClass.h"
#include "foundation/KNativePtr.h"
#include "foundation/KThingPtr.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> s_destroyed;

class Probe : public KThing {
public:
    explicit Probe(const char* Name = "probe") : m_name(Name) {}
    ~Probe() override { s_destroyed.push_back(m_name); }

private:
    std::string m_name;
};

K_POINTER_CLASS(Probe, KThingPtr);

class ObjectModel : public testing::Test {
protected:
    void SetUp() override
    {
        s_destroyed.clear();
        m_heapBlocks = KThing::getHeapBlockCount();
        m_liveObjects = KThing::getLiveObjectCount();
    }
    long m_heapBlocks = 0;
    long m_liveObjects = 0;
};

TEST_F(ObjectModel, HeapObjectsAreMarkedAndStackObjectsAreNot)
{
    KThing* onHeap = new KThing;
    EXPECT_TRUE(onHeap->isOnHeap());
    EXPECT_EQ(onHeap->getReferenceCount(), 1);
    delete onHeap;

    KThing onStack;
    EXPECT_FALSE(onStack.isOnHeap());
    EXPECT_EQ(onStack.getReferenceCount(), 1);

    // An object living inside a heap object is not itself on the heap.
    KThingPtr* holder = new KThingPtr;
    EXPECT_TRUE(holder->isOnHeap());
    delete holder;
}

TEST_F(ObjectModel, LastPointerToLetGoDestroysTheObjectAndFreesItsBlock)
{
    Probe* probe = new Probe;
    {
        KThingPtr a(*probe);
        EXPECT_EQ(probe->getReferenceCount(), 2);
        KThingPtr b(*probe);
        EXPECT_EQ(probe->getReferenceCount(), 3);
        a.reset();
        EXPECT_EQ(probe->getReferenceCount(), 2);
        EXPECT_TRUE(s_destroyed.empty());
        b.reset();
        EXPECT_EQ(s_destroyed, std::vector<std::string>{"probe"});
    }
    EXPECT_EQ(KThing::getHeapBlockCount(), m_heapBlocks);
    EXPECT_EQ(KThing::getLiveObjectCount(), m_liveObjects);
}

TEST_F(ObjectModel, SettingTheHeldObjectAgainChangesNoCount)
{
    ProbePtr pointer(new Probe);
    Probe& probe = pointer.getObject();
    pointer.setObject(probe);
    pointer = probe;
    EXPECT_EQ(probe.getReferenceCount(), 2);
}

TEST_F(ObjectModel, ReassignmentReleasesTheOldObjectBeforeCountingTheNew)
{
    ProbePtr pointer(new Probe("old"));
    Probe* fresh = new Probe("new");
    pointer = fresh;
    EXPECT_EQ(s_destroyed, std::vector<std::string>{"old"});
    EXPECT_EQ(fresh->getReferenceCount(), 2);
    pointer = nullptr;
    EXPECT_EQ(s_destroyed, (std::vector<std::string>{"old", "new"}));
    EXPECT_FALSE(pointer.hasObject());
}

TEST_F(ObjectModel, CopiedPointersEachHoldAReference)
{
    ProbePtr first(new Probe);
    ProbePtr second(first);
    ProbePtr third;
    third = second;
    EXPECT_EQ(first->getReferenceCount(), 4);
    EXPECT_TRUE(first == second.get());
    EXPECT_TRUE(first.getObject().isPointedBy(third));
}

TEST_F(ObjectModel, HasObjectWritesTheHeldObjectOnlyWhenAsked)
{
    KThingPtr empty;
    KThing* out = reinterpret_cast<KThing*>(0x1234);
    EXPECT_FALSE(empty.hasObject(nullptr));
    EXPECT_FALSE(empty.hasObject(&out));
    EXPECT_EQ(out, nullptr);

    KThingPtr full(new KThing);
    EXPECT_TRUE(full.hasObject(&out));
    EXPECT_EQ(out, full.get());
}

TEST_F(ObjectModel, EmptyPointersReportError18WhenDereferenced)
{
    ReportCatcher catcher;
    KThingPtr empty;
    ProbePtr emptyTyped;
    (void)&empty.getObject();
    (void)&emptyTyped.getObject();
    EXPECT_EQ(catcher.codes(), (std::vector<int>{18, 18}));
    EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));

    KNativePtr native;
    (void)&native.getNativePtr();
    EXPECT_TRUE(catcher.caught(18, "KThing& KNativePtr::getNativePtr() const"));
}

TEST_F(ObjectModel, AnObjectOnTheStackRefusesPointers)
{
    ReportCatcher catcher;
    {
        Probe onStack("stack");
        {
            KThingPtr pointer(onStack);
        }
        // Refused both ways and left alone: destroyed once, by its own scope.
        EXPECT_EQ(onStack.getReferenceCount(), 1);
        EXPECT_TRUE(s_destroyed.empty());
    }
    EXPECT_EQ(s_destroyed, std::vector<std::string>{"stack"});
    EXPECT_TRUE(catcher.caught(3, "KThing::incReferenceCount()"));
    EXPECT_TRUE(catcher.caught(3, "KThing::decReferenceCount()"));
    EXPECT_EQ(KThing::getLiveObjectCount(), m_liveObjects);
}

TEST_F(ObjectModel, DeletingAReferencedObjectReportsError17AndKeepsTheBlock)
{
    ReportCatcher catcher;
    KThing* thing = new KThing;
    thing->incReferenceCount();
    delete thing; // the destructor chain runs, the block stays
    EXPECT_EQ(catcher.codes(), std::vector<int>{17});
    EXPECT_EQ(KThing::getHeapBlockCount(), m_heapBlocks + 1);
}

TEST_F(ObjectModel, ReleasingAnUnheldObjectReportsNegativeCounting)
{
    ReportCatcher catcher;
    KThing* thing = new KThing;
    thing->decReferenceCount();
    EXPECT_EQ(catcher.codes(), std::vector<int>{16});
    EXPECT_EQ(thing->getReferenceCount(), 0);
}

TEST_F(ObjectModel, NativePointerDoesNotCount)
{
    ProbePtr owner(new Probe);
    KNativePtr back(owner.get());
    EXPECT_EQ(owner->getReferenceCount(), 2);
    EXPECT_EQ(&back.getNativePtr(), owner.get());
    // The object may go while the native pointer still names it.
    owner.reset();
    EXPECT_EQ(s_destroyed.size(), 1u);
    back.reset();
    EXPECT_FALSE(back.hasNativePtr());
}

TEST_F(ObjectModel, BusyFlagIsSetAndClearedWithoutTouchingTheHeapBit)
{
    KThingPtr pointer(new KThing);
    pointer->setFlags(KThing::Busy);
    EXPECT_TRUE(pointer->isBusy());
    EXPECT_TRUE(pointer->isOnHeap());
    pointer->clearFlags(KThing::Busy);
    EXPECT_FALSE(pointer->isBusy());
    EXPECT_TRUE(pointer->isOnHeap());
}

} // namespace
