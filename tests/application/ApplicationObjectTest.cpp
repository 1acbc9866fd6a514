// The application object: command line, class registration, current application, idle
// handlers, main window and window manager creation.
#include "application/KWindowManager.h"
#include "foundation/OperatingSystemWin32.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include "foundation/KFileTypeHandler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::string> textsOf(const KBag& Bag)
{
    std::vector<std::string> texts;
    for (long i = 0; i < Bag.getCount(); ++i)
        texts.push_back(static_cast<KString&>(Bag[i]).getText());
    return texts;
}

using Texts = std::vector<std::string>;

TEST(CommandLine, SplitsArgumentsAndSwitches)
{
    struct Case {
        const char* line;
        Texts arguments, switches;
    };
    const Case cases[] = {
        {"doc /P \"/F x\"", {"doc", "/F x"}, {"P"}},
        {"     ", {}, {}},
        {"a \"b c", {"a", "b c"}, {}},
        {"\"\" x", {"", "x"}, {}},
        // A switch runs to the next blank, and cannot be quoted.
        {"  /P/F \"my doc\"  /W ", {"my doc"}, {"P/F", "W"}},
        {"/\"Q x\"", {"x\""}, {"\"Q"}},
    };
    for (const Case& c : cases) {
        knsSetProcessInfo(nullptr, nullptr, c.line, 0, 0);
        ApplicationScope<> application;
        application->parseCommandLine();
        EXPECT_EQ(textsOf(application->getArguments()), c.arguments) << c.line;
        EXPECT_EQ(textsOf(application->getSwitches()), c.switches) << c.line;
    }
    knsSetProcessInfo(nullptr, nullptr, "", 0, 0);
}

// The framework's classes in their one order, layer by layer (those of the framework that
// exist so far are checked against it).
const char* const kFrameworkClasses[] = {
    // The foundation's,
    "KThing", "KArray", "KBag", "KClassReader", "KClassWriter", "KFlagSet", "KIndexedBag", "KSet", "KMemory",
    "KMemoryBlock", "KComparable", "KString", "KLocalizer", "KLocalizerString", "KNamedBag", "KNativePtr",
    "KNumber", "KPreferences", "KTree", "KTreeNode", "KVariable", "KWideRectangle", "KWidePoint", "KWideSize",
    "KDate", "KTime", "KTimer", "KDiskObjectReference", "KDirectory", "KFileReference", "KFile", "KFileSystem",
    "KFileType", "KFileTypeHandler", "KPath", "KVolume", "KGraphicPoint", "KGraphicRectangle", "KGraphicSize",
    "KSerialPort",
    // the graphics classes,
    "KGraphicObject", "KFont", "KTextStyle", "KTextStyleRun", "KTextLine", "KTextLineObject", "KTextBlock",
    "KTextBlockObject", "KColor", "KGraphicDevice", "KGraphicRegion", "KImage", "KAlphaImage", "KPrintingManager",
    // the application's,
    "KTimerManager", "KMenuItem", "KCustomMenuItem", "KMenu", "KCustomMenu", "KMenuBar", "KMenuManager", "KWindow",
    "KPaletteWindow", "KWindowManager", "KDialogHandler", "KInteractiveElement", "KLayer", "KEvent",
    "KActionEvent", "KControlActionEvent", "KApplicationEvent", "KKeyEvent", "KMenuEvent", "KMouseEvent",
    "KNativeEvent", "KWindowEvent", "KEventHandler", "KApplication", "KErrorHandler",
    // and the controls'.
    "KDialog", "KAlert", "KDragObject", "KControl", "KCheckBoxControl", "KEditFieldControl", "KEditTextControl",
    "KGroupControl", "KProgressBarControl", "KPushButtonControl", "KRadioButtonControl", "KRadioButtonGroup",
    "KPopUpListControl", "KPopUpMenuControl", "KScrollBarControl", "KSliderControl", "KSmallArrowsControl",
    "KStaticImageControl", "KStaticTextNativeControl", "KTabControl", "KPagesControl", "KPileControl",
    "KControlsLayer", "KDragObjectsLayer"};

long positionInList(const std::string& Name)
{
    const auto end = std::end(kFrameworkClasses);
    const auto found = std::find(std::begin(kFrameworkClasses), end, Name);
    return found == end ? -1 : long(found - std::begin(kFrameworkClasses));
}

TEST(FrameworkClasses, TheApplicationRegistersThemInTheOneOrderWithTheirParents)
{
    EXPECT_EQ(std::size(kFrameworkClasses), 103u);
    KClass::unregisterAll();
    ApplicationScope<> application;
    long last = -1;
    long count = 0;
    // Each after the one before it and after its parent, at version 1.
    for (KClass* record = KClass::getFirst(); record; record = record->getNext(), ++count) {
        const long position = positionInList(record->getName());
        EXPECT_GE(position, 0) << record->getName() << " is not a framework class";
        EXPECT_GT(position, last) << record->getName() << " is out of order";
        if (record->getParent())
            EXPECT_LT(positionInList(record->getParent()->getName()), position) << record->getName();
        EXPECT_EQ(record->getVersion(), 1) << record->getName();
        last = position;
    }
    EXPECT_GE(count, 30);
    EXPECT_STREQ(KClass::getFirst()->getName(), "KThing");
    EXPECT_EQ(KClass::getFirst()->getParent(), nullptr);
    for (const auto& p : {std::make_pair("KWindow", "KGraphicDevice"), std::make_pair("KKeyEvent", "KEvent")})
        EXPECT_STREQ(KClass::findClass(p.first)->getParent()->getName(), p.second) << p.first;
    // Names without objects of their own create plain things.
    KThingPtr made = KClass::findClass("KEventHandler")->createObject();
    EXPECT_TRUE(made->getClass().isEqual(*KThing::getClassRecord()));
}

TEST(ApplicationObject, HoldsTheFrameworkFileTypesWhileItLives)
{
    {
        ApplicationScope application;
        const KBag& types = KFileTypeHandler::getTypeList();
        ASSERT_EQ(types.getCount(), 15);
        EXPECT_TRUE(KFileTypeHandler::hasExtension("bmp"));
        EXPECT_EQ(KFileTypeHandler::getTypeIDOfExtension("TIFF"), KFileTypeHandler::makeTypeID("TIFF"));
    }
    EXPECT_EQ(KFileTypeHandler::getTypeList().getCount(), 0);
}

TEST(ApplicationObject, ASecondApplicationReplacesTheFirst)
{
    const long before = KThing::getLiveObjectCount();
    new KApplication;
    KApplication* first = KApplication::getApplication();
    EXPECT_EQ(first->getState(), KApplication::Constructed);
    {
        ApplicationScope<> second;
        EXPECT_EQ(KApplication::getApplication(), &*second);
        EXPECT_NE(first, &*second);
    }
    EXPECT_EQ(KApplication::getApplication(), nullptr);
    EXPECT_EQ(KThing::getLiveObjectCount(), before);
}

TEST(ApplicationObject, IdleHandlersAreKeptOnceEach)
{
    ApplicationScope<> application;
    KThingPtr handler = new KThing;
    application->addIdleHandler(*handler);
    application->addIdleHandler(*handler);
    EXPECT_EQ(application->getIdleHandlerCount(), 1);
    application->removeIdleHandler(*handler);
    application->removeIdleHandler(*handler);
    EXPECT_EQ(application->getIdleHandlerCount(), 0);
}

TEST(ApplicationObject, ADuplicateMainWindowOrWindowManagerIsReportedAndReplaced)
{
    ApplicationScope<> application;
    ReportCatcher catcher;
    application->createWindowManager(*KWindowManager::getClassRecord());
    application->createWindowManager(*KWindowManager::getClassRecord());
    EXPECT_TRUE(catcher.caught(93, "void KApplication::createWindowManager(KClass& WindowManagerClass)"));

    application->createMainWindow(*KWindow::getClassRecord());
    KWindowPtr first = application->getMainWindow();
    EXPECT_TRUE(first->isOpen());
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(first->getStateFlags() & KWindow::CarriesMenuBarFlag);
    EXPECT_EQ(KWindowManager::get().getWindows().getCount(), 1);

    application->createMainWindow(*KWindow::getClassRecord());
    EXPECT_TRUE(catcher.caught(92, "void KApplication::createMainWindow(KClass& MainWindowClass)"));
    EXPECT_FALSE(first->isOpen());
    EXPECT_NE(&application->getMainWindow(), first.get());
    EXPECT_EQ(KWindowManager::get().getWindows().getCount(), 1);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{93, 92}));

    application->closeMainWindow();
    application->destroyWindowManager();
    EXPECT_FALSE(KWindowManager::exists());
}

} // namespace
