// Windows on the display: the framework's window classes, the styles and content
// rectangle of a window, resizing, layers, Tab order, painting and closing.
#include "application/KApplicationEvent.h"
#include "application/WindowClassesWin32.h"
#include "controls/KControlsLayer.h"
#include "controls/KDragObjectsLayer.h"
#include "foundation/KernelFunctions.h"
#include "foundation/OperatingSystemWin32.h"
#include "tests/application/WindowTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

using Seen = std::vector<std::string>;

TEST(WindowClasses, HaveTheirStylesBrushesCursorsAndExtraBytes)
{
    struct Expected {
        const char* name;
        UINT style;
        int brush;
        bool cursor;
        int extra;
    };
    const Expected classes[] = {
        {"KWindowClass", 0x20, WHITE_BRUSH, false, 0},
        {"KPaletteClass", 0x20, WHITE_BRUSH, false, 0},
        {"KOverlayWindowClass", 0x800, WHITE_BRUSH, false, 0},
        {"KDialogClass", 0x820, GRAY_BRUSH, false, DLGWINDOWEXTRA},
        {"SplashWindowClass", 0x820, WHITE_BRUSH, true, 0},
        {"MacStyleMenuWindowClass", 0x820, WHITE_BRUSH, true, 0},
        {"DragObjectWindowClass", 0x820, WHITE_BRUSH, true, 0},
    };
    const auto instance = static_cast<HINSTANCE>(knsGetInstance());
    for (const Expected& e : classes) {
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetClassInfoExA(instance, e.name, &info)) << e.name;
        EXPECT_EQ(info.style, e.style) << e.name;
        EXPECT_EQ(info.cbClsExtra, 0) << e.name;
        EXPECT_EQ(info.cbWndExtra, e.extra) << e.name;
        EXPECT_EQ(info.hbrBackground, GetStockObject(e.brush)) << e.name;
        EXPECT_EQ(info.hCursor != nullptr, e.cursor) << e.name;
        EXPECT_EQ(info.lpszMenuName, nullptr) << e.name;
    }
    // The palette and overlay classes share one procedure; every class is registered
    // once, however often the kernel is entered.
    WNDCLASSEXA palette{}, overlay{};
    palette.cbSize = overlay.cbSize = sizeof palette;
    GetClassInfoExA(instance, "KPaletteClass", &palette);
    GetClassInfoExA(instance, "KOverlayWindowClass", &overlay);
    EXPECT_EQ(palette.lpfnWndProc, overlay.lpfnWndProc);
    EXPECT_NE(registerKWindowClassesWin32(), 0);
}

TEST(Window, StartsClosedWithTheTwoStandardLayersAndACentredContentArea)
{
    WindowScope<> scope;
    KWindowPtr window = new KWindow;
    EXPECT_EQ(window->getKind(), KGraphicDevice::kKindWindow);
    EXPECT_EQ(window->getStateFlags(), 0x710u);
    EXPECT_EQ(window->getKindFlags(), 0x3Fu);
    EXPECT_EQ(window->getWindowLayer(), 2);
    EXPECT_EQ(window->getTitle(), "KApplication");
    const KGraphicRectangle& bounds = window->getBounds();
    EXPECT_EQ(bounds.getWidth(), 400);
    EXPECT_EQ(bounds.getHeight(), 250);
    EXPECT_EQ(bounds.getH(), (knsGetScreenWidth() - 400) / 2);
    EXPECT_EQ(bounds.getV(), (knsGetScreenHeight() - 250) / 2);

    ASSERT_EQ(window->getLayers().getCount(), 2);
    EXPECT_EQ(&window->getLayers()[0], &window->getControlsLayer());
    EXPECT_EQ(&window->getLayers()[1], &window->getDragObjectsLayer());
    EXPECT_EQ(&window->getControlsLayer().getWindow(), window.get());
    EXPECT_FALSE(window->isOpen());
    EXPECT_FALSE(window->hasFocusElement());

    // Closing a closed window does nothing.
    window->close();
    EXPECT_EQ(window->getStateFlags(), 0x710u);
}

TEST(Window, StylesFollowTheKindFlags)
{
    WindowScope<> scope;
    KWindowPtr window = new KWindow;
    EXPECT_EQ(window->getNativeStyle(), 0x06CF0010u);
    window->setKindFlags(KWindow::CaptionKind);
    EXPECT_EQ(window->getNativeStyle(), 0x06C00010u);
    window->setKindFlags(KWindow::BorderKind);
    EXPECT_EQ(window->getNativeStyle(), 0x06800010u);
    // Border, title bar and system menu: the title bar wins over the border.
    window->setKindFlags(KWindow::BorderKind | KWindow::CaptionKind | KWindow::SystemMenuKind);
    EXPECT_EQ(window->getNativeStyle(), 0x06C80010u);
    window->setKindFlags(0);
    EXPECT_EQ(window->getNativeStyle(), 0x06000010u);
}

TEST(Window, OpensHiddenOrShownWithItsContentAreaWhereItsBoundsSay)
{
    WindowScope<> scope;
    KWindowPtr window = new KWindow;
    window->open(KWindow::OpenHidden);
    ASSERT_TRUE(window->getNativeWindow());
    EXPECT_TRUE(window->isOpen());
    EXPECT_FALSE(window->getStateFlags() & KWindow::ShownFlag);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(KApplicationEvent::getQueueCount(), 0);
    EXPECT_TRUE(KWindowManager::get().getWindows().has(*window));

    const auto native = static_cast<HWND>(window->getNativeWindow());
    EXPECT_EQ(static_cast<unsigned long>(GetWindowLongA(native, GWL_STYLE)) & ~WS_VISIBLE, 0x86CF0010u);
    const LONG exStyle = GetWindowLongA(native, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_ACCEPTFILES);
    const RECT client = clientAreaOnScreen(native);
    const KGraphicRectangle& bounds = window->getBounds();
    EXPECT_EQ(client.left, bounds.getH());
    EXPECT_EQ(client.top, bounds.getV());
    EXPECT_EQ(client.right - client.left, 400);
    EXPECT_EQ(client.bottom - client.top, 250);
    // The device draws in client coordinates.
    EXPECT_EQ(window->KGraphicDevice::getBounds().getH(), 0);
    EXPECT_EQ(window->KGraphicDevice::getBounds().getWidth(), 400);

    // Opened shown, a window is visible and its activation is on its way.
    KWindowPtr shown = new KWindow;
    shown->open(KWindow::OpenShown);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(KApplicationEvent::getQueueCount(), 1);
    KApplicationEvent::flushQueue();
    EXPECT_EQ(&KWindowManager::get().getActiveWindow(), shown.get());
}

TEST(Window, ResizeMovesTheFrameSoThatTheClientAreaIsTheRectangle)
{
    WindowScope<> scope;
    KWindowPtr window = new KWindow;
    window->open(KWindow::OpenHidden);
    const KGraphicRectangle wanted(100, 80, 300, 200);
    window->resize(wanted);
    RECT client = clientAreaOnScreen(window->getNativeWindow());
    EXPECT_EQ(client.left, 100);
    EXPECT_EQ(client.top, 80);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 280);
    EXPECT_FALSE(window->getBounds() != wanted);

    // Without a title bar the frame is thinner, and the client area still lands right.
    KWindowPtr bare = new KWindow;
    bare->setKindFlags(KWindow::BorderKind);
    bare->open(KWindow::OpenHidden);
    bare->setPosition(KGraphicPoint(20, 30));
    bare->setSize(KGraphicSize(120, 90));
    client = clientAreaOnScreen(bare->getNativeWindow());
    EXPECT_EQ(client.left, 20);
    EXPECT_EQ(client.top, 30);
    EXPECT_EQ(client.right - client.left, 120);
    EXPECT_EQ(client.bottom - client.top, 90);
}

TEST(Window, AddedLayersGoBelowTheStandardOnesAndAreAskedFromTheTop)
{
    WindowScope<> scope;
    KWindowPtr window = new KWindow;
    RecordingLayerPtr a = new RecordingLayer("a", true);
    RecordingLayerPtr b = new RecordingLayer("b", true);
    window->addLayer(*a);
    window->addLayer(*b);
    window->addLayer(*a);
    const KBag& layers = window->getLayers();
    ASSERT_EQ(layers.getCount(), 4);
    EXPECT_EQ(&layers[0], a.get());
    EXPECT_EQ(&layers[1], b.get());
    EXPECT_EQ(&layers[2], &window->getControlsLayer());
    EXPECT_EQ(&layers[3], &window->getDragObjectsLayer());
    EXPECT_EQ(&a->getWindow(), window.get());

    // The standard layers claim nothing, so the top-most claiming layer answers.
    KLayerPtr found;
    EXPECT_TRUE(window->getLayerAt(KGraphicPoint(5, 5), found));
    EXPECT_EQ(found.get(), b.get());
    window->removeLayer(*b);
    EXPECT_FALSE(b->hasWindow());
    EXPECT_TRUE(window->getLayerAt(KGraphicPoint(5, 5), found));
    EXPECT_EQ(found.get(), a.get());
    window->removeLayer(*a);
    EXPECT_FALSE(window->getLayerAt(KGraphicPoint(5, 5), found));
    EXPECT_FALSE(found.hasObject(nullptr));
}

TEST(Window, TabOrderWrapsAroundAndNeedsTwoFocusableElements)
{
    WindowScope<> scope;
    KWindowPtr window = new KWindow;
    KInteractiveElementPtr elements[4];
    for (auto& element : elements) {
        element = new KInteractiveElement;
        element->setStateFlags(KInteractiveElement::AcceptsFocusFlag);
    }
    KInteractiveElementPtr out;
    window->addElement(*elements[0]);
    EXPECT_FALSE(window->getNextFocusableElement(*elements[0], out));

    window->addElement(*elements[1]);
    window->addElement(*elements[2]);
    // A hidden element takes no part.
    elements[3]->hide();
    window->addElement(*elements[3]);
    ASSERT_TRUE(window->getNextFocusableElement(*elements[2], out));
    EXPECT_EQ(out.get(), elements[0].get());
    ASSERT_TRUE(window->getPreviousFocusableElement(*elements[0], out));
    EXPECT_EQ(out.get(), elements[2].get());
    ASSERT_TRUE(window->getNextFocusableElement(*elements[0], out));
    EXPECT_EQ(out.get(), elements[1].get());
    EXPECT_FALSE(window->getNextFocusableElement(*elements[3], out));

    // A control that leaves the window is no longer its remembered focus element.
    window->setFocusElement(*elements[1]);
    window->removeControl(*elements[1]);
    EXPECT_FALSE(window->hasFocusElement());
    EXPECT_FALSE(elements[1]->hasLayer());
    EXPECT_TRUE(window->hasControl(*elements[0]));
}

TEST(Window, AFailedCreationLeavesTheWindowClosedAndTellsNobody)
{
    WindowScope<> scope;
    const auto instance = static_cast<HINSTANCE>(knsGetInstance());
    ASSERT_TRUE(UnregisterClassA("KWindowClass", instance));
    KWindowPtr window = new KWindow;
    {
        ReportCatcher catcher;
        window->open(KWindow::OpenShown);
        EXPECT_TRUE(catcher.caught(18, "void KWindow::open(OpenMode Mode)"));
    }
    registerKWindowClassesWin32();
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(KWindowManager::get().getWindows().getCount(), 0);
    EXPECT_EQ(KApplicationEvent::getQueueCount(), 0);

    // With its class back the same window opens, and may close and open again.
    window->open(KWindow::OpenHidden);
    EXPECT_TRUE(window->isOpen());
    void* first = window->getNativeWindow();
    window->close();
    EXPECT_FALSE(IsWindow(static_cast<HWND>(first)));
    EXPECT_EQ(KWindowManager::get().getWindows().getCount(), 0);
    window->open(KWindow::OpenHidden);
    EXPECT_TRUE(window->isOpen());
}

TEST(Window, PaintDrawsTheWindowThenItsLayersBottomFirstUntilOneAnswers)
{
    WindowScope<> scope;
    RecordingWindowPtr window = new RecordingWindow;
    RecordingLayerPtr a = new RecordingLayer("a");
    RecordingLayerPtr b = new RecordingLayer("b", false, true);
    RecordingLayerPtr c = new RecordingLayer("c");
    window->addLayer(*a);
    window->addLayer(*b);
    window->addLayer(*c);
    window->open(KWindow::OpenShown);
    const auto native = static_cast<HWND>(window->getNativeWindow());
    UpdateWindow(native);
    seenByWindows().clear();

    window->invalidate();
    UpdateWindow(native);
    EXPECT_EQ(seenByWindows(), (Seen{"window draw", "a draw", "b draw"}));
    RECT left{};
    EXPECT_FALSE(GetUpdateRect(native, &left, FALSE));

    // A window that draws itself ends the drawing before its layers.
    seenByWindows().clear();
    window->drawAnswer = true;
    window->invalidate();
    UpdateWindow(native);
    EXPECT_EQ(seenByWindows(), (Seen{"window draw"}));
}

TEST(Window, PaintIsStillDoneWhileACommonDialogIsOpen)
{
    WindowScope<> scope;
    RecordingWindowPtr window = new RecordingWindow;
    window->open(KWindow::OpenShown);
    const auto native = static_cast<HWND>(window->getNativeWindow());
    UpdateWindow(native);
    seenByWindows().clear();

    KEvent::setCommonDialogWindow(GetDesktopWindow());
    window->invalidate();
    UpdateWindow(native);
    RECT left{};
    const bool stillInvalid = GetUpdateRect(native, &left, FALSE);
    KEvent::setCommonDialogWindow(nullptr);
    EXPECT_EQ(seenByWindows(), (Seen{"window draw"}));
    EXPECT_FALSE(stillInvalid);
}

class KeptOpenWindow : public KWindow {
public:
    uint8 closeRequest(KWindowEvent&) override { return 0; }
};
K_POINTER_CLASS(KeptOpenWindow, KWindowPtr);

TEST(Window, CloseMessagesAskTheWindowAndNeverReachTheDefaultProcedure)
{
    WindowScope<> scope;
    KeptOpenWindowPtr kept = new KeptOpenWindow;
    kept->open(KWindow::OpenHidden);
    const auto keptNative = static_cast<HWND>(kept->getNativeWindow());
    EXPECT_EQ(SendMessageA(keptNative, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(keptNative));
    EXPECT_TRUE(kept->isOpen());

    KWindowPtr plain = new KWindow;
    plain->open(KWindow::OpenHidden);
    const auto plainNative = static_cast<HWND>(plain->getNativeWindow());
    EXPECT_EQ(SendMessageA(plainNative, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(IsWindow(plainNative));
    EXPECT_FALSE(plain->isOpen());
}

TEST(Window, BlockingDisablesTheNativeWindowAndUnblockingRestoresItsOwnState)
{
    WindowScope<> scope;
    RecordingWindowPtr window = new RecordingWindow;
    window->open(KWindow::OpenHidden);
    const auto native = static_cast<HWND>(window->getNativeWindow());
    window->blockInput();
    EXPECT_TRUE(window->isBlocked());
    EXPECT_FALSE(IsWindowEnabled(native));
    // A blocked window swallows presses.
    EXPECT_EQ(SendMessageA(native, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)), 0);
    SendMessageA(native, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(seenByWindows().empty());
    window->unblockInput();
    EXPECT_FALSE(window->isBlocked());
    EXPECT_TRUE(IsWindowEnabled(native));
}

} // namespace
