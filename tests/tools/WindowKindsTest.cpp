// The window kinds: the native windows the overlay, top and full-screen windows make, the
// placeholder that makes none, the document window's scroll view that fills it, and the
// text document window as the handler of format events.
#include "tools/menus/KFormatEvent.h"
#include "tools/windows/KDocumentWindow.h"
#include "tools/windows/KFullScreenWindow.h"
#include "tools/windows/KOpenGLWindow.h"
#include "tools/windows/KOverlayWindow.h"
#include "tools/windows/KTextDocumentWindow.h"
#include "tools/windows/KTopWindow.h"
#include "foundation/KVariable.h"
#include "graphics/KColor.h"
#include "graphics/KFont.h"
#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct NativeLook {
    std::string className;
    LONG style;
    LONG exStyle;
};

NativeLook lookOf(const KWindow& W)
{
    const auto window = static_cast<HWND>(W.getNativeWindow());
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return {name, GetWindowLongA(window, GWL_STYLE), GetWindowLongA(window, GWL_EXSTYLE)};
}

constexpr LONG kFrameBits = WS_BORDER | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

TEST(WindowKinds, FloatAboveTheOthersWithTheirOwnNativeStyles)
{
    ToolsScope scope;
    KWindowPtr overlay = new KOverlayWindow;
    KWindowPtr top = new KTopWindow;
    KWindowPtr screen = new KFullScreenWindow;
    EXPECT_EQ(overlay->getWindowLayer(), 6);
    EXPECT_EQ(top->getWindowLayer(), 6);
    EXPECT_EQ(screen->getBounds(), KGraphicRectangle(0, 0, static_cast<short>(knsGetScreenWidth()),
                                                      static_cast<short>(knsGetScreenHeight())));
    for (KWindowPtr* w : {&overlay, &top, &screen})
        (*w)->open(KWindow::OpenHidden);

    const NativeLook overlayLook = lookOf(*overlay);
    EXPECT_EQ(overlayLook.className, "KOverlayWindowClass");
    // The system gives every top-level window the sibling clipping.
    EXPECT_EQ(overlayLook.style & ~(WS_VISIBLE | WS_CLIPSIBLINGS), static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(overlayLook.exStyle & (WS_EX_TOPMOST | WS_EX_ACCEPTFILES | WS_EX_APPWINDOW),
              WS_EX_TOPMOST | WS_EX_ACCEPTFILES);

    const NativeLook topLook = lookOf(*top);
    EXPECT_EQ(topLook.className, "KWindowClass");
    EXPECT_EQ(topLook.style & (WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN), static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN));
    EXPECT_EQ(topLook.exStyle & (WS_EX_TOPMOST | WS_EX_ACCEPTFILES | WS_EX_APPWINDOW),
              WS_EX_TOPMOST | WS_EX_ACCEPTFILES | WS_EX_APPWINDOW);

    const NativeLook screenLook = lookOf(*screen);
    EXPECT_EQ(screenLook.style & (kFrameBits | WS_POPUP), static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(screenLook.exStyle & (WS_EX_TOPMOST | WS_EX_APPWINDOW), WS_EX_APPWINDOW);
    for (KWindowPtr* w : {&overlay, &top, &screen})
        (*w)->close();

    KWindowPtr placeholder = new KOpenGLWindow;
    placeholder->open(KWindow::OpenShown);
    EXPECT_FALSE(placeholder->isOpen());
    EXPECT_EQ(placeholder->getNativeWindow(), nullptr);
}

TEST(WindowKinds, ADocumentWindowsScrollViewFillsIt)
{
    ToolsScope scope;
    KDocumentWindowPtr document = new KDocumentWindow;
    document->setBounds(KGraphicRectangle(40, 40, 300, 200));
    document->open(KWindow::OpenHidden);
    EXPECT_EQ(document->getScrollView().getBounds(), KGraphicRectangle(0, 0, 300, 200));
    document->resize(KGraphicRectangle(40, 40, 420, 260));
    KApplicationEvent::flushQueue();
    EXPECT_EQ(document->getScrollView().getBounds(), KGraphicRectangle(0, 0, 420, 260));
    document->close();
}

// A format event of the kind with the variables, as the text document window answers it.
bool offer(KWindow& W, uint8 Kind, std::initializer_list<std::pair<const char*, KVariable>> Variables)
{
    KFormatEventPtr event = new KFormatEvent;
    event->setKind(Kind);
    for (const auto& v : Variables)
        event->setVariable(v.first, v.second);
    return W.handleEvent(*event);
}

TEST(WindowKinds, ATextDocumentWindowAppliesFormatEventsToItsFocusedField)
{
    ToolsScope scope;
    KTextDocumentWindowPtr document = new KTextDocumentWindow;
    KTextDocumentWindowPtr other = new KTextDocumentWindow;
    document->setBounds(KGraphicRectangle(40, 40, 300, 200));
    other->setBounds(KGraphicRectangle(60, 60, 300, 200));
    document->getTextControl().setInitialText("hello");
    other->getTextControl().setInitialText("other");
    document->open(KWindow::OpenHidden);
    other->open(KWindow::OpenHidden);
    KEditFieldControl& field = document->getTextControl();
    EXPECT_EQ(field.getBounds(), KGraphicRectangle(0, 0, 300, 200));

    // With the focus on the other window's field, nothing here changes; still handled.
    KKeyboardManager::getManager().setFocusElement(other->getTextControl());
    field.selectAll();
    EXPECT_TRUE(offer(*document, KFormatEvent::Cut, {}));
    EXPECT_EQ(textOf(field.getText()), "hello");

    KKeyboardManager::getManager().setFocusElement(field);
    field.selectAll();
    KVariable color;
    KThingPtr red = new KColor(kRed);
    color.setObject(*red);
    // Every variable the event carries is applied, not only the first.
    EXPECT_TRUE(offer(*document, KFormatEvent::FormatChange,
                      {{KFormatEvent::kFontSize, KVariable(24L)},
                       {KFormatEvent::kFontFace, KVariable(KString("Courier New"))},
                       {KFormatEvent::kFontStyle, KVariable(long(kFontBold))},
                       {KFormatEvent::kFontColor, color}}));
    field.selectAll();
    EXPECT_EQ(field.getFontSize(), 24.0);
    EXPECT_EQ(textOf(field.getFontName()), "Courier New");
    EXPECT_EQ(field.getFontStyle().getFlags() & kFontBold, kFontBold);
    EXPECT_EQ(field.getColor().getNativeColor(), KColor(kRed).getNativeColor());

    EXPECT_FALSE(offer(*document, KFormatEvent::FormatChange, {{KFormatEvent::kBackgroundColor, color}}));
    EXPECT_FALSE(offer(*document, KFormatEvent::Undo, {}));
    EXPECT_TRUE(offer(*document, KFormatEvent::Clear, {}));
    EXPECT_EQ(textOf(field.getText()), "");
    KEventPtr plain = new KEvent;
    EXPECT_FALSE(document->handleEvent(*plain));
    document->close();
    other->close();
}

} // namespace
