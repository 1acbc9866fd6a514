// The object model: reference counts and the heap marker, the class registry and its IDs,
// the error table and the report modes (the fatal path, which asks the application first,
// is tested with the application).
#include "foundation/ErrorTable.h"
#include "foundation/KClass.h"
#include "foundation/KMemory.h"
#include "foundation/KNativePtr.h"
#include "foundation/KThingPtr.h"
#include "foundation/KernelFunctions.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

class Animal : public KThing {
    K_DECLARE_CLASS(Animal)
};
class Dog : public Animal {
    K_DECLARE_CLASS(Dog)
};
class Stone : public KThing {
    K_DECLARE_CLASS(Stone)
};
class Unregistered : public KThing {
    K_DECLARE_CLASS(Unregistered)
};

K_DEFINE_CLASS(Animal, KThing, 1)
K_DEFINE_CLASS(Dog, Animal, 3)
K_DEFINE_CLASS(Stone, KThing, 1)
K_DEFINE_CLASS(Unregistered, KThing, 1)

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

TEST_F(ObjectModel, MisuseIsReportedAndNativePointersDoNotCount)
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
    KMemory::dispose(nullptr);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{18, 18, 18, 17, 16, 20}));
    EXPECT_TRUE(catcher.caught(20, "KMemory::dispose"));

    // A native pointer does not count: the object may go while it still names it.
    ProbePtr owner(new Probe);
    KNativePtr back(owner.get());
    EXPECT_EQ(owner->getReferenceCount(), 2);
    owner.reset();
    EXPECT_EQ(s_destroyed.size(), 1u);
}

class ClassRegistry : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Animal::registerClass();
        Dog::registerClass();
        Stone::registerClass();
    }
};

TEST(ClassIDs, AreTheSignedByteProductWrappingAt32Bits)
{
    const std::pair<const char*, long> ids[] = {{"A", 65},           {"AB", 65 * 66},          {"\xE9", -23},
                                                {"KThing", 2069599424L}, {"gnihTK", 2069599424L}, {"", 1},
                                                {"KString", 1724893904L}, {"KApplication", -1480925184L}};
    for (const auto& [name, id] : ids)
        EXPECT_EQ(KClass::computeClassID(name), id) << name;
    EXPECT_EQ(KClass::computeClassID(nullptr), 1);
}

TEST_F(ClassRegistry, EveryRegisteredClassHasItsOwnNonZeroID)
{
    std::map<long, std::string> seen;
    int count = 0;
    for (KClass* record = KClass::getFirst(); record; record = record->getNext()) {
        ++count;
        EXPECT_NE(record->getClassID(), 0) << record->getName();
        auto [at, inserted] = seen.emplace(record->getClassID(), record->getName());
        EXPECT_TRUE(inserted) << record->getName() << " collides with " << at->second;
    }
    EXPECT_GT(count, 3);
    EXPECT_STREQ(KClass::getFirst()->getName(), "KThing");
}

TEST_F(ClassRegistry, FindsCreatesAndTestsSubclasses)
{
    KClass& dog = *KClass::findClass("Dog");
    EXPECT_EQ(dog.getVersion(), 3);
    EXPECT_EQ(KClass::findClass(dog.getClassID()), &dog);
    EXPECT_TRUE(dog.isSubClass(*KThing::getClassRecord()));
    EXPECT_FALSE(dog.isSubClass(dog) || Animal::getClassRecord()->isSubClass(dog));
    KThingPtr made(dog.createObject());
    EXPECT_EQ(&made->getClass(), &dog);
    EXPECT_TRUE(made->isEqualOrSubClass(*Animal::getClassRecord()) && made->isEqualOrSubClass("KThing"));
    EXPECT_FALSE(made->isEqualOrSubClass(*Stone::getClassRecord()));

    ReportCatcher catcher;
    EXPECT_EQ(KClass::findClass("dog"), nullptr);
    EXPECT_TRUE(catcher.caught(28, "KClass::findClass(dog)"));
    EXPECT_EQ(KClass::findClass(12345L), nullptr);
    EXPECT_TRUE(catcher.caught(28, "KClass::findClass(long ID)"));
    EXPECT_FALSE(KClass::isClassID(12345L));
    // A long name is cut in the report.
    EXPECT_EQ(KClass::findClass(std::string(300, 'q').c_str()), nullptr);
    EXPECT_EQ(catcher.reports().back().context, "KClass::findClass(" + std::string(236, 'q') + ")");

    Unregistered unregistered;
    (void)&unregistered.getClass();
    EXPECT_TRUE(catcher.caught(18, "getClass()"));
    EXPECT_FALSE(unregistered.isRegistered());
    EXPECT_EQ(catcher.codes(), (std::vector<int>{28, 28, 28, 18}));
}

// Faulty classes would spoil the registry for the other tests: registered in a child.
K_CHILD_SCENARIO(RegisterFaultyClasses)
{
    ReportCatcher catcher;
    Animal::registerClass();
    Stone::registerClass();
    // Same letters in another order, and the same name again: both collide.
    KClass::registerClass("lAmina", KThing::getClassRecord(), nullptr, 1);
    KClass::registerClass("Stone", KThing::getClassRecord(), nullptr, 1);
    KClass* orphan = KClass::registerClass("OrphanWithoutParent", nullptr, nullptr, 1);
    orphan->createObject();
    for (const CaughtReport& report : catcher.reports())
        std::printf("%d %s\n", report.code, report.context.c_str());
}

TEST(ClassRegistryFaults, CollisionsAndMissingPartsAreReported)
{
    ChildResult child = runChildScenario("RegisterFaultyClasses");
    EXPECT_EQ(child.exitCode, 0u);
    EXPECT_EQ(child.output,
              "29 KClass::generateClassID\n"
              "29 KClass::generateClassID\n"
              "28 KClass::registerClass\n"
              "30 KClass::createObject()\n");
}

TEST(ErrorTable, HoldsEveryCodeWithItsTextAndSeverity)
{
    struct Row {
        int code;
        const char* text;
        int severity;
    };
    const Row rows[] = {
        {0, "No Error", 0}, {1, "Unknown Fatal Error", 3}, {3, "Object Not On Heap!", 3},
        {11, "This Methode Should Not Be Called!", 3}, {18, "Pointer NULL!", 3},
        {29, "Class name collision; change class name!", 3}, {41, "An unknown error occured!", 3},
        {50, "Error Copying File", 1}, {56, "Sound Not Paused", 1}, {57, "Unsupported Format!", 2},
        {58, "Unsupported Mode!", 3}, {63, "File Type Already Exists", 1}, {73, "No Menu", 3},
        {78, "No Parent Manu", 3}, {83, "No Menu", 3}, {91, "No Window", 3}, {95, "No Window", 3},
        {96, "No Menu", 3}, {105, "Page Already Open", 3},
    };
    for (const Row& row : rows) {
        const KErrorRecord* record = kksFindErrorRecord(static_cast<uint8>(row.code));
        ASSERT_NE(record, nullptr) << row.code;
        EXPECT_EQ(record->code, row.code);
        EXPECT_STREQ(record->text, row.text) << row.code;
        EXPECT_EQ(record->severity, row.severity) << row.code;
        EXPECT_EQ(record->group, 0);
    }
    int count = 0;
    for (int code = 0; code < 256; ++code)
        count += kksFindErrorRecord(static_cast<uint8>(code)) != nullptr;
    EXPECT_EQ(count, 106);
}

TEST(ErrorTable, MapsOperatingSystemErrors)
{
    const std::pair<int16, int> cases[] = {{0, 0},   {2, 33},   {3, 33},   {55, 33},  {267, 33}, {29, 37},
                                           {30, 38}, {38, 40},  {39, 36},  {112, 36}, {110, 39}, {5, 41}};
    for (const auto& [native, code] : cases)
        EXPECT_EQ(kksMapNativeError(native), code) << native;
}

TEST(ErrorTable, HookModeHandsEveryReportButCodeZeroToTheHook)
{
    ReportCatcher catcher;
    kksReportError(0, "nothing");
    kksReportError(57, "bool KImage::createFromFile(...)");
    kksReportError(200, "beyond the table");
    EXPECT_EQ(catcher.codes(), (std::vector<int>{57, 200}));
    EXPECT_TRUE(catcher.boxes().empty());
}

} // namespace
