// The window manager: the order of its list by window layer, the windows it finds, and
// the input it refuses to windows behind an open dialog.
#include "application/KPaletteWindow.h"
#include "controls/KDialog.h"
#include "tests/application/WindowTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

// A dialog that records the presses that reach it.
class RecordingDialog : public KDialog {
public:
    KEventReturn mouseDown(KMouseEvent&) override { return note("down"); }
    KEventReturn mouseUp(KMouseEvent&) override { return note("up"); }

    std::string name;

private:
    KEventReturn note(const char* What)
    {
        seenByWindows().push_back(name + " " + What);
        return 0;
    }
};
K_POINTER_CLASS(RecordingDialog, KDialogPtr);

namespace {

class WindowManager : public ::testing::Test {
protected:
    static RecordingWindowPtr openWindow(const char* Name, long Layer = 2, uint8 Mode = KWindow::OpenHidden)
    {
        RecordingWindowPtr window = new RecordingWindow;
        window->name = Name;
        window->setWindowLayer(Layer);
        window->open(Mode);
        return window;
    }

    static RecordingDialogPtr openDialog(const char* Name)
    {
        RecordingDialogPtr dialog = new RecordingDialog;
        dialog->name = Name;
        dialog->open(KWindow::OpenHidden);
        return dialog;
    }

    // The list from back to front, by name.
    static std::vector<std::string> order()
    {
        std::vector<std::string> names;
        const KBag& windows = KWindowManager::get().getWindows();
        for (long i = 0; i < windows.getCount(); ++i) {
            auto* dialog = dynamic_cast<RecordingDialog*>(&windows[i]);
            auto* window = dynamic_cast<RecordingWindow*>(&windows[i]);
            names.push_back(dialog ? dialog->name : window ? window->name : "palette");
        }
        return names;
    }

    WindowScope<> scope;
};

using Names = std::vector<std::string>;

TEST_F(WindowManager, KeepsWindowsOfAHigherLayerInFront)
{
    KPaletteWindowPtr palette = new KPaletteWindow;
    palette->open(KWindow::OpenHidden);
    RecordingWindowPtr plain = openWindow("plain");
    EXPECT_EQ(order(), (Names{"plain", "palette"}));
    RecordingWindowPtr second = openWindow("second");
    EXPECT_EQ(order(), (Names{"plain", "second", "palette"}));
    // To the front past windows of its own layer, never past a higher one.
    KWindowManager::get().bringToFront(*plain);
    EXPECT_EQ(order(), (Names{"second", "plain", "palette"}));
    // A dialog goes in front of palette windows.
    RecordingWindowPtr top = openWindow("top", 6);
    RecordingDialogPtr dialog = openDialog("dialog");
    EXPECT_EQ(order(), (Names{"second", "plain", "palette", "dialog", "top"}));
    KWindowManager::get().bringToFront(*palette);
    EXPECT_EQ(order(), (Names{"second", "plain", "palette", "dialog", "top"}));
}

TEST_F(WindowManager, WindowsBehindAnOpenDialogRefuseInput)
{
    RecordingWindowPtr first = openWindow("first");
    RecordingWindowPtr second = openWindow("second");
    RecordingDialogPtr dialog = openDialog("dialog");
    EXPECT_EQ(KWindowManager::get().getDialogCount(), 1);
    EXPECT_TRUE(first->isBlocked() && second->isBlocked());
    EXPECT_FALSE(dialog->isBlocked());
    EXPECT_FALSE(IsWindowEnabled(static_cast<HWND>(first->getNativeWindow())));
    // A press on a blocked window reaches nobody; one on the dialog does.
    for (KWindow* window : {static_cast<KWindow*>(second.get()), static_cast<KWindow*>(dialog.get())}) {
        SendMessageA(static_cast<HWND>(window->getNativeWindow()), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
        SendMessageA(static_cast<HWND>(window->getNativeWindow()), WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    }
    EXPECT_EQ(seenByWindows(), (Names{"dialog down", "dialog up"}));
    // A plain or palette window opened meanwhile stands behind the dialog and is not
    // blocked by it.
    RecordingWindowPtr late = openWindow("late");
    KPaletteWindowPtr palette = new KPaletteWindow;
    palette->open(KWindow::OpenHidden);
    EXPECT_EQ(order(), (Names{"first", "second", "late", "palette", "dialog"}));
    EXPECT_FALSE(late->isBlocked() || palette->isBlocked());
    // A second dialog blocks the first; closed, it leaves everything behind the first blocked.
    RecordingDialogPtr front = openDialog("front");
    EXPECT_EQ(KWindowManager::get().getDialogCount(), 2);
    EXPECT_TRUE(dialog->isBlocked());
    front->close();
    EXPECT_FALSE(dialog->isBlocked());
    EXPECT_TRUE(first->isBlocked());

    dialog->close();
    EXPECT_EQ(KWindowManager::get().getDialogCount(), 0);
    EXPECT_FALSE(first->isBlocked() || second->isBlocked());
    EXPECT_TRUE(IsWindowEnabled(static_cast<HWND>(first->getNativeWindow())));
}

TEST_F(WindowManager, FindsOnlyVisibleWindowsAndReportsWhenThereIsNone)
{
    RecordingWindowPtr back = openWindow("back", 2, KWindow::OpenShown);
    RecordingWindowPtr hidden = openWindow("hidden");
    RecordingWindowPtr front = openWindow("front", 2, KWindow::OpenShown);
    KWindowManager& manager = KWindowManager::get();
    ASSERT_EQ(order(), (Names{"back", "hidden", "front"}));

    EXPECT_EQ(&manager.getFrontWindow(), front.get());
    EXPECT_EQ(&manager.getWindowBelow(*front), back.get());
    EXPECT_EQ(&manager.getWindowAbove(*back), front.get());
    EXPECT_FALSE(manager.hasFrontWindow(3));
    EXPECT_FALSE(manager.hasWindowBelow(*back));
    KWindowPtr found;
    EXPECT_TRUE(manager.findWindowAt(KGraphicPoint(front->getBounds().getH() + 5, front->getBounds().getV() + 5), found));
    EXPECT_EQ(found.get(), front.get());

    ReportCatcher catcher;
    manager.getWindowBelow(*back);
    manager.getFrontWindow(3);
    EXPECT_TRUE(catcher.caught(91, "KWindow& KWindowManager::getWindowBelow(KWindow& W) const"));
    EXPECT_TRUE(catcher.caught(91, "KWindow& KWindowManager::getFrontWindow(long Layer) const"));
}

} // namespace
