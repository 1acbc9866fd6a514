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

// The classes of this layer, which an application registers after those of the layers
// below: stored documents and menus name them by these names.
const char* const kApplicationClasses[] = {
    "KTimerManager", "KMenuItem", "KCustomMenuItem", "KMenu", "KCustomMenu", "KMenuBar", "KMenuManager",
    "KWindow", "KPaletteWindow", "KWindowManager", "KDialogHandler", "KInteractiveElement", "KLayer", "KEvent",
    "KActionEvent", "KControlActionEvent", "KApplicationEvent", "KKeyEvent", "KMenuEvent", "KMouseEvent",
    "KNativeEvent", "KWindowEvent", "KEventHandler", "KApplication", "KErrorHandler"};

TEST(FrameworkClasses, TheApplicationRegistersThemOnceEachAfterTheirParents)
{
    KClass::unregisterAll();
    ApplicationScope<> application;
    std::vector<std::string> names;
    for (KClass* record = KClass::getFirst(); record; record = record->getNext()) {
        const auto parent = std::find(names.begin(), names.end(), record->getParent() ? record->getParent()->getName() : "");
        EXPECT_TRUE(!record->getParent() || parent != names.end()) << record->getName() << " before its parent";
        EXPECT_EQ(std::count(names.begin(), names.end(), record->getName()), 0) << record->getName();
        EXPECT_EQ(record->getVersion(), 1) << record->getName();
        names.push_back(record->getName());
    }
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "KThing");
    EXPECT_EQ(KClass::getFirst()->getParent(), nullptr);
    // This layer's classes, in their order, after those of the layers below.
    const auto first = std::find(names.begin(), names.end(), kApplicationClasses[0]);
    ASSERT_GE(names.end() - first, long(std::size(kApplicationClasses)));
    EXPECT_EQ(std::vector<std::string>(first, first + long(std::size(kApplicationClasses))),
              std::vector<std::string>(std::begin(kApplicationClasses), std::end(kApplicationClasses)));
    EXPECT_NE(std::find(names.begin(), first, "KGraphicDevice"), first);
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
