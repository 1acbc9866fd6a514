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

TEST_F(ObjectModel, HeapMarkerAndTheLastPointerThatDestroys)
{
    {
        KThing onStack;
        EXPECT_FALSE(onStack.isOnHeap());
        EXPECT_EQ(onStack.getReferenceCount(), 1);
    }
    // An object living inside a heap object is not itself on the heap.
    KThingPtr* holder = new KThingPtr;
    EXPECT_TRUE(holder->isOnHeap());
    delete holder;

    Probe* probe = new Probe;
    EXPECT_TRUE(probe->isOnHeap());
    probe->setFlags(KThing::Busy);
    probe->clearFlags(KThing::Busy);
    EXPECT_TRUE(probe->isOnHeap());
    {
        KThingPtr a(*probe);
        KThingPtr b(*probe);
        EXPECT_EQ(probe->getReferenceCount(), 3);
        a.reset();
        EXPECT_TRUE(s_destroyed.empty());
        b.reset();
        EXPECT_EQ(s_destroyed, std::vector<std::string>{"probe"});
    }
    EXPECT_EQ(KThing::getHeapBlockCount(), m_heapBlocks);
    EXPECT_EQ(KThing::getLiveObjectCount(), m_liveObjects);
}

TEST_F(ObjectModel, AssignmentReleasesTheOldObjectAndCopiesEachHoldACount)
{
    ProbePtr pointer(new Probe("old"));
    Probe& old = pointer.getObject();
    pointer = old;
    EXPECT_EQ(old.getReferenceCount(), 2);

    Probe* fresh = new Probe("new");
    pointer = fresh;
    EXPECT_EQ(s_destroyed, std::vector<std::string>{"old"});
    ProbePtr second(pointer);
    ProbePtr third;
    third = second;
    EXPECT_EQ(fresh->getReferenceCount(), 4);
    EXPECT_TRUE(fresh->isPointedBy(third));

    pointer = nullptr;
    second.reset();
    third.reset();
    EXPECT_EQ(s_destroyed, (std::vector<std::string>{"old", "new"}));
    KThing* out = reinterpret_cast<KThing*>(0x1234);
    EXPECT_FALSE(pointer.hasObject(&out));
    EXPECT_EQ(out, nullptr);
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

TEST_F(ObjectModel, MisuseIsReported)
{
    ReportCatcher catcher;
    (void)&KThingPtr().getObject();
    (void)&ProbePtr().getObject();
    (void)&KNativePtr().getNativePtr();
    EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
    EXPECT_TRUE(catcher.caught(18, "KThing& KNativePtr::getNativePtr() const"));

    // Deleting a referenced object runs the destructors but keeps the block.
    KThing* referenced = new KThing;
    referenced->incReferenceCount();
    delete referenced;
    EXPECT_EQ(KThing::getHeapBlockCount(), m_heapBlocks + 1);

    KThing* unheld = new KThing;
    unheld->decReferenceCount();
    EXPECT_EQ(unheld->getReferenceCount(), 0);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{18, 18, 18, 17, 16}));
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
}

} // namespace
