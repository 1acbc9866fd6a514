// Static texts and images: the alignment a static text's native window takes, pictures
// from resources, nothing reported on a click, and what a shown window displays of a
// static image without a picture and of a group that loses its frame.
#include "controls/KGroupControl.h"
#include "controls/KStaticImageControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

TEST(StaticText, TakesItsAlignmentWhenItsNativeWindowIsMade)
{
    ControlScope scope;
    KStaticTextNativeControlPtr text = new KStaticTextNativeControl;
    // Before the native window exists the alignment is only stored.
    text->setAlignment(kAlignCenter);
    text->setText(KString("Hello"));
    scope.window->addElement(*text);
    EXPECT_EQ(GetWindowLongA(nativeOf(*text), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
    char shown[16] = {};
    GetWindowTextA(nativeOf(*text), shown, sizeof shown);
    EXPECT_STREQ(shown, "Hello");
    {
        ReportCatcher catcher;
        text->setAlignment(kAlignRight);
        ASSERT_EQ(catcher.boxes().size(), 1u);
        EXPECT_EQ(catcher.boxes()[0].caption + " " + catcher.boxes()[0].text,
                  "Not Yet Implemented! void KStaticTextNativeControl::setAlignment(KTextAlignment A)");
    }
    EXPECT_EQ(GetWindowLongA(nativeOf(*text), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
    scope.window->removeControl(*text);
    scope.window->addElement(*text);
    EXPECT_EQ(GetWindowLongA(nativeOf(*text), GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    // A static image takes the size of its resource picture; neither reports a click.
    KStaticImageControlPtr image = new KStaticImageControl(257);
    KImagePtr picture = new KImage(short(257));
    EXPECT_EQ(image->getSize(), picture->getSize());
    ASSERT_TRUE(image->hasImage());
    scope.window->addElement(*image);
    for (KControl* control : {static_cast<KControl*>(text.get()), static_cast<KControl*>(image.get())}) {
        SendMessageA(nativeOf(*control), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(nativeOf(*control), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    EXPECT_TRUE(actionsFor("application").empty());
}

COLORREF screenPixel(const KControl& C, long H, long V)
{
    RedrawWindow(GetParent(nativeOf(C)), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    POINT at{H, V};
    ClientToScreen(nativeOf(C), &at);
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

// A group loses its frame on screen too: its plain window shows the button face.
TEST(StaticImage, WithoutAPictureShowsAGreyArea)
{
    InteractionScope scope;
    KWindowPtr window = new KWindow;
    KStaticImageControlPtr image = new KStaticImageControl;
    image->setBounds(KGraphicRectangle(10, 10, 40, 30));
    window->addElement(*image);
    KGroupControlPtr group = new KGroupControl;
    group->setBounds(KGraphicRectangle(80, 10, 60, 40));
    window->addElement(*group);
    window->open(KWindow::OpenShown);
    const auto className = [&] {
        char name[16] = {};
        GetClassNameA(nativeOf(*group), name, sizeof name);
        return std::string(CharUpperA(name));
    };
    EXPECT_EQ(className(), "BUTTON");
    group->setFramed(false);
    EXPECT_EQ(className(), "STATIC");
    EXPECT_EQ(screenPixel(*image, 20, 15), RGB(128, 128, 128));
    EXPECT_EQ(screenPixel(*image, 0, 0), RGB(128, 128, 128));
    EXPECT_EQ(screenPixel(*group, 30, 20), GetSysColor(COLOR_BTNFACE));
    window->close();
}

} // namespace
