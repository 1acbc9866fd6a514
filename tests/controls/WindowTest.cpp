// Windows on the display: the framework's window classes, the styles and content
// rectangle of a window, resizing, layers, the remembered focus, painting and closing.
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

RECT clientOf(const KWindow& W) { return clientAreaOnScreen(W.getNativeWindow()); }

TEST(WindowClasses, DialogsKeepTheirExtraBytesAndEveryClassIsRegisteredOnce)
{
    const auto instance = static_cast<HINSTANCE>(knsGetInstance());
    for (const char* name : {"KWindowClass", "KPaletteClass", "KOverlayWindowClass", "KDialogClass",
                             "SplashWindowClass", "MacStyleMenuWindowClass", "DragObjectWindowClass"}) {
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetClassInfoExA(instance, name, &info)) << name;
        // The dialog procedure keeps its state in the extra bytes.
        EXPECT_EQ(info.cbWndExtra, std::string(name) == "KDialogClass" ? DLGWINDOWEXTRA : 0) << name;
    }

    // The palette and overlay classes share one procedure; the kernel entered again
    // registers nothing twice.
    WNDCLASSEXA palette{}, overlay{};
    palette.cbSize = overlay.cbSize = sizeof palette;
    GetClassInfoExA(instance, "KPaletteClass", &palette);
    GetClassInfoExA(instance, "KOverlayWindowClass", &overlay);
    EXPECT_EQ(palette.lpfnWndProc, overlay.lpfnWndProc);
    EXPECT_NE(registerKWindowClassesWin32(), 0);
}

TEST(Window, StartsClosedAndCentredAndItsStylesFollowTheKindFlags)
{
    WindowScope<> scope;
    KWindowPtr window = new KWindow;
    const KGraphicRectangle& bounds = window->getBounds();
    EXPECT_EQ(bounds, KGraphicRectangle(short((knsGetScreenWidth() - 400) / 2),
                                        short((knsGetScreenHeight() - 250) / 2), 400, 250));
    // Closing a closed window does nothing.
    window->close();
    EXPECT_EQ(window->getStateFlags(), 0x710u);

    const std::pair<uint32, unsigned long> styles[] = {
        {0x3F, 0x06CF0010u},
        {KWindow::CaptionKind, 0x06C00010u},
        {KWindow::BorderKind, 0x06800010u},
        // Border, title bar and system menu: the title bar wins over the border.
        {KWindow::BorderKind | KWindow::CaptionKind | KWindow::SystemMenuKind, 0x06C80010u},
        {0, 0x06000010u},
    };
    for (const auto& style : styles) {
        window->setKindFlags(style.first);
        EXPECT_EQ(window->getNativeStyle(), style.second) << style.first;
    }
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
    EXPECT_TRUE(GetWindowLongA(native, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    const RECT client = clientOf(*window);
    EXPECT_EQ(KGraphicRectangle(short(client.left), short(client.top), short(client.right - client.left),
                                short(client.bottom - client.top)),
              window->getBounds());
    // The device draws in client coordinates.
    EXPECT_EQ(window->KGraphicDevice::getBounds(), KGraphicRectangle(0, 0, 400, 250));
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
    RECT client = clientOf(*window);
    EXPECT_EQ(std::vector<long>({client.left, client.top, client.right, client.bottom}),
              std::vector<long>({100, 80, 400, 280}));
    EXPECT_EQ(window->getBounds(), wanted);
    // Without a title bar the frame is thinner, and the client area still lands right.
    KWindowPtr bare = new KWindow;
    bare->setKindFlags(KWindow::BorderKind);
    bare->open(KWindow::OpenHidden);
    bare->setPosition(KGraphicPoint(20, 30));
    bare->setSize(KGraphicSize(120, 90));
    client = clientOf(*bare);
    EXPECT_EQ(std::vector<long>({client.left, client.top, client.right, client.bottom}),
              std::vector<long>({20, 30, 140, 120}));
}

TEST(Window, TabNeedsTwoFocusableElementsAndAnElementThatLeavesIsNoLongerTheFocus)
{
    WindowScope<> scope;
    KWindowPtr window = new KWindow;
    KInteractiveElementPtr elements[2] = {new KInteractiveElement, new KInteractiveElement};
    for (auto& element : elements) {
        element->setStateFlags(KInteractiveElement::AcceptsFocusFlag);
        window->addElement(*element);
    }
    elements[1]->hide();
    KInteractiveElementPtr out;
    EXPECT_FALSE(window->getNextFocusableElement(*elements[0], out));
    EXPECT_FALSE(window->getNextFocusableElement(*elements[1], out));

    window->setFocusElement(*elements[1]);
    window->removeControl(*elements[1]);
    EXPECT_FALSE(window->hasFocusElement());
    EXPECT_FALSE(elements[1]->hasLayer());
    EXPECT_TRUE(window->hasControl(*elements[0]));
}

TEST(Window, AFailedCreationLeavesTheWindowClosedAndTellsNobody)
{
    WindowScope<> scope;
    ASSERT_TRUE(UnregisterClassA("KWindowClass", static_cast<HINSTANCE>(knsGetInstance())));
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
    void* first = window->getNativeWindow();
    window->close();
    EXPECT_FALSE(IsWindow(static_cast<HWND>(first)));
    EXPECT_EQ(KWindowManager::get().getWindows().getCount(), 0);
    window->open(KWindow::OpenHidden);
    EXPECT_TRUE(window->isOpen());
}

TEST(Window, AddedLayersGoBelowTheStandardOnesAreAskedFromTheTopAndDrawnFromTheBottom)
{
    WindowScope<> scope;
    RecordingWindowPtr window = new RecordingWindow;
    RecordingLayerPtr a = new RecordingLayer("a", true), b = new RecordingLayer("b", true, true);
    RecordingLayerPtr c = new RecordingLayer("c");
    for (KLayer* layer : {a.get(), b.get(), c.get(), a.get()})
        window->addLayer(*layer);
    const KBag& layers = window->getLayers();
    ASSERT_EQ(layers.getCount(), 5);
    EXPECT_EQ(std::vector<KThing*>({&layers[0], &layers[1], &layers[2], &layers[3], &layers[4]}),
              std::vector<KThing*>({a.get(), b.get(), c.get(), &window->getControlsLayer(), &window->getDragObjectsLayer()}));
    EXPECT_EQ(&a->getWindow(), window.get());

    // The standard layers claim nothing, so the top-most claiming layer answers.
    KLayerPtr found;
    EXPECT_TRUE(window->getLayerAt(KGraphicPoint(5, 5), found));
    EXPECT_EQ(found.get(), b.get());

    // The window draws first, then its layers from the bottom until one answers.
    window->open(KWindow::OpenShown);
    const auto native = static_cast<HWND>(window->getNativeWindow());
    const auto paint = [&] {
        UpdateWindow(native);
        seenByWindows().clear();
        window->invalidate();
        UpdateWindow(native);
        RECT left{};
        EXPECT_FALSE(GetUpdateRect(native, &left, FALSE));
        return seenByWindows();
    };
    EXPECT_EQ(paint(), (Seen{"window draw", "a draw", "b draw"}));
    KEvent::setCommonDialogWindow(GetDesktopWindow());
    EXPECT_EQ(paint(), (Seen{"window draw", "a draw", "b draw"}));
    KEvent::setCommonDialogWindow(nullptr);
    // A window that draws itself ends the drawing before its layers.
    window->drawAnswer = true;
    EXPECT_EQ(paint(), (Seen{"window draw"}));

    window->removeLayer(*b);
    EXPECT_FALSE(b->hasWindow());
    EXPECT_TRUE(window->getLayerAt(KGraphicPoint(5, 5), found));
    EXPECT_EQ(found.get(), a.get());
    window->removeLayer(*a);
    EXPECT_FALSE(window->getLayerAt(KGraphicPoint(5, 5), found));
    EXPECT_FALSE(found.hasObject(nullptr));
}

class KeptOpenWindow : public KWindow {
public:
    uint8 closeRequest(KWindowEvent&) override { return 0; }
};
K_POINTER_CLASS(KeptOpenWindow, KWindowPtr);

TEST(Window, CloseMessagesAskTheWindowAndNeverReachTheDefaultProcedure)
{
    WindowScope<> scope;
    KWindowPtr windows[2] = {new KeptOpenWindow, new KWindow};
    for (KWindowPtr& window : windows) {
        window->open(KWindow::OpenHidden);
        const auto native = static_cast<HWND>(window->getNativeWindow());
        const bool kept = &window == &windows[0];
        EXPECT_EQ(SendMessageA(native, WM_CLOSE, 0, 0), 0);
        EXPECT_EQ(bool(IsWindow(native)), kept);
        EXPECT_EQ(window->isOpen(), kept);
    }
}

} // namespace
