// Class IDs, registration, look-up and the type tests.
#include "foundation/KClass.h"
#include "foundation/KNativePtr.h"
#include "foundation/KThingPtr.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <vector>
#include <string>

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
    EXPECT_EQ(KClass::computeClassID("A"), 65);
    EXPECT_EQ(KClass::computeClassID("AB"), 65 * 66);
    EXPECT_EQ(KClass::computeClassID("\xE9"), -23);
    EXPECT_EQ(KClass::computeClassID("KThing"), 2069599424L);
    EXPECT_EQ(KClass::computeClassID("gnihTK"), 2069599424L);
    EXPECT_EQ(KClass::computeClassID("KString"), 1724893904L);
    EXPECT_EQ(KClass::computeClassID("KApplication"), -1480925184L);
    EXPECT_EQ(KClass::computeClassID(nullptr), 1);
    EXPECT_EQ(KClass::computeClassID(""), 1);
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
    EXPECT_EQ(&dog, Dog::getClassRecord());
    EXPECT_EQ(dog.getVersion(), 3);
    EXPECT_EQ(KClass::findClass(dog.getClassID()), &dog);
    EXPECT_TRUE(dog.isSubClass(*KThing::getClassRecord()));
    EXPECT_FALSE(dog.isSubClass(dog));
    EXPECT_FALSE(Animal::getClassRecord()->isSubClass(dog));

    KThingPtr made(dog.createObject());
    ASSERT_TRUE(made.hasObject());
    EXPECT_EQ(&made->getClass(), &dog);
    EXPECT_TRUE(made->isEqualOrSubClass(*Animal::getClassRecord()));
    EXPECT_TRUE(made->isEqualOrSubClass("KThing"));
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

} // namespace
