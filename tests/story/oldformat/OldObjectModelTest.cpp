// The old object model: counting, the class records, arrays, bags and strings.
#include "foundation/ErrorTable.h"
#include "story/oldformat/ZBag.h"
#include "story/oldformat/ZColor.h"
#include "story/oldformat/ZGraphicElement.h"
#include "story/oldformat/ZStroke.h"
#include "tests/story/oldformat/OldFormatTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReportCatcher.h"

#include <cstdio>
#include <set>

namespace {

using OldObjectModel = OldFormatTest;

TEST_F(OldObjectModel, AnObjectIsFreedByDeleteOrByItsLastHolder)
{
    const long blocks = ZThing::getHeapBlockCount();
    ZColor* held = new ZColor;
    EXPECT_TRUE(held->isOnHeap());
    ZThing::assign(held);
    ZThing::assign(held);
    EXPECT_EQ(held->getReferenceCount(), 3);
    EXPECT_EQ(ZThing::unassign(held), nullptr);
    EXPECT_EQ(ZThing::getHeapBlockCount(), blocks + 1);
    ZThing::unassign(held);
    EXPECT_EQ(ZThing::getHeapBlockCount(), blocks);

    delete new ZColor;
    EXPECT_EQ(ZThing::getHeapBlockCount(), blocks);
    // Neither objects on the stack nor the members of heap objects are on the heap.
    ZColor onStack;
    ZStroke* stroke = new ZStroke;
    EXPECT_FALSE(onStack.isOnHeap());
    EXPECT_FALSE(stroke->getColor().isOnHeap());
    EXPECT_TRUE(stroke->isOnHeap());

    delete stroke;

    ReportCatcher catcher;
    ZThing::operator delete(nullptr);
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].caption + ": " + catcher.boxes()[0].text, "ZThing::operator delete: Warning! P==NULL!");
}

TEST_F(OldObjectModel, ClassIDsComeFromTheStoredNamesInTheOrderOfRegistration)
{
    // Each byte counts as a signed value, and the product wraps at 32 bits.
    EXPECT_EQ(ZClass::makeClassID(""), 1);
    EXPECT_EQ(ZClass::makeClassID("AB"), 65 * 66);
    EXPECT_EQ(ZClass::makeClassID("\xFF"), -1);
    EXPECT_EQ(ZClass::makeClassID("zzzzz"), static_cast<long>(122u * 122u * 122u * 122u * 122u));

    std::string names;
    std::set<long> ids;
    for (ZClass* record = ZClass::getFirst(); record; record = record->getNext()) {
        names += std::string(record->getName().getText()) + std::to_string(record->getVersion()) + " ";
        ids.insert(record->getClassID());
        EXPECT_EQ(ZClass::findClass(record->getClassID()), record);
    }
    EXPECT_EQ(names, "ZArray2 ZBag1 ZColor1 ZThing1 ZFile1 ZStyleInfo2 ZStyledText1 ZPoint1 ZRectangle1 ZSize1 ZString1 "
                     "Tape1 TapeObject1 Stroke1 WipeOut1 LumoSound1 LumoSpeech1 LumoPause1 WaitMouseClick3 LumoText2 "
                     "QTMovie1 Image1 ");
    EXPECT_EQ(ids.size(), 22u);
    EXPECT_FALSE(ZClass::isClassIDRegistered(ZClass::makeClassID("Actor")));
    EXPECT_EQ(&ZColor().getClass(), ZColor::getClassRecord());
    EXPECT_EQ(&ZGraphicElement().getClass(), ZThing::getClassRecord());
}

K_CHILD_SCENARIO(OldProgrammingFaultsAreFatal)
{
    registerOldDocumentClasses();
    knsSetMessageBoxPresenter([](const char* Caption, const char* Text, unsigned) {
        std::printf("[%s] [%s]\n", Caption, Text);
        std::fflush(stdout);
        return 1;
    });
    // The same letters give the same ID.
    ZClass::registerClass("gaBZ", nullptr, 1);
    std::printf("never here\n");
}

TEST_F(OldObjectModel, TwoClassesOfTheSameIDEndTheProgram)
{
    const ChildResult child = runChildScenario("OldProgrammingFaultsAreFatal");
    EXPECT_EQ(child.exitCode, unsigned(kFatalExitCode));
    EXPECT_EQ(child.output, "[ZClass::generateClassID] [Class ID Collision!]\n");
}

TEST_F(OldObjectModel, ArraysKeepTheirSlotsWhenResizedAndDropTheObjectsCutOff)
{
    const long blocks = ZThing::getHeapBlockCount();
    ZArray objects;
    objects.setSize(3);
    objects.putAt(new ZColor(1, 2, 3), 0);
    objects.putAt(new ZColor(4, 5, 6), 2);
    objects.setSize(2);
    EXPECT_EQ(ZThing::getHeapBlockCount(), blocks + 1);
    objects.setSize(4);
    EXPECT_EQ(static_cast<ZColor*>(objects[0])->getBlue(), 3);
    EXPECT_EQ(objects[1], nullptr);
    EXPECT_EQ(objects[3], nullptr);
    // An object put into its own slot stays.
    objects.putAt(objects[0], 0);
    EXPECT_EQ(objects[0]->getReferenceCount(), 2);
    objects.setSize(0);
    EXPECT_EQ(ZThing::getHeapBlockCount(), blocks);

    ZArray values;
    values.setIsDirect(true);
    values.setSize(2);
    values.putDirectDataAt(-7, 1);
    EXPECT_EQ(values.getDirectDataAt(0), 0);
    EXPECT_EQ(values.getDirectDataAt(1), -7);
}

TEST_F(OldObjectModel, BagsGrowByTheirGrowSizeAndClearToTheirMinimumSize)
{
    ZBag bag;
    bag.setMinSize(2);
    bag.setGrowSize(3);
    EXPECT_EQ(bag.getSize(), 2);
    EXPECT_TRUE(bag.isEmpty());
    for (int i = 0; i < 3; ++i)
        bag.add(new ZColor);
    EXPECT_EQ(bag.getCount(), 3);
    EXPECT_EQ(bag.getSize(), 5);
    bag.clear();
    EXPECT_EQ(bag.getCount(), 0);
    EXPECT_EQ(bag.getSize(), 2);
}

TEST_F(OldObjectModel, StringsFindCutAndJoinTheirBytes)
{
    const ZString text("abcab");
    EXPECT_EQ(text.indexOf("ab", 1), 3);
    EXPECT_EQ(text.indexOf("cab", 0), 2);
    EXPECT_EQ(ZString("cab").indexOf("cab", 0), 0);
    EXPECT_EQ(text.indexOf("abx", 0), -1);
    EXPECT_TRUE(text.contains("bca"));
    EXPECT_EQ(text.substring(-2, 2), ZString("ab"));
    EXPECT_EQ(text.substring(3, 10), ZString("ab"));
    EXPECT_TRUE(text.substring(1, 0).isEmpty());
    EXPECT_EQ(text.charAt(5), 0);
    EXPECT_EQ(text.charAt(-1), 0);
    EXPECT_TRUE(ZString(nullptr).isEmpty());
    ZString joined = text + ZString("!");
    joined.append('?').append("x");
    EXPECT_STREQ(joined.getText(), "abcab!?x");
    EXPECT_NE(joined, text);
}

} // namespace
