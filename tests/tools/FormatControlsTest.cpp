// The colour button (choosing by the system chooser or a pop-up colour menu, or only
// clicking), its face for each hilite, the framework-drawn static text, and the working
// and disclosure controls that this platform cannot make.
#include "application/KMouseEvent.h"
#include "graphics/KImage.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "graphics/KTextStyleRun.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/support/ReportCatcher.h"
#include "tests/tools/FormatTestSupport.h"
#include "tools/controls/KColorButtonControl.h"
#include "tools/controls/KDisclosureControl.h"
#include "tools/controls/KStaticTextControl.h"
#include "tools/controls/KWorkingControl.h"
#include "tools/menus/KColorMenu.h"
#include "tools/menus/KColorMenuItem.h"

#include <gtest/gtest.h>

namespace {

class FormatControls : public ::testing::Test {
protected:
    FormatControls()
    {
        KMenuManager::create();
        KDialogHandler::initDialogHandler();
        button->setBounds(KGraphicRectangle(30, 20, 40, 24));
        scope.window->addElement(*button);
        interactionLog().clear();
    }
    ~FormatControls() override
    {
        setCommonDialogAnswersWin32({});
        setPopupMenuTrackerWin32(nullptr);
        KDialogHandler::exitDialogHandler();
        KMenuManager::destroy();
    }

    // A press on the button; what it answered.
    KEventReturn press()
    {
        KMouseEventPtr down = new KMouseEvent;
        down->setType(KMouseEvent::Down);
        down->setLocalPosition(KGraphicPoint(35, 25));
        return button->mouseDownEvent(*down);
    }

    ControlScope scope;
    KColorButtonControlPtr button = new KColorButtonControl;
};

TEST_F(FormatControls, TheColourButtonChoosesWithTheChooserAndReportsOnlyAColourTaken)
{
    answerColourChooser(nullptr);
    EXPECT_EQ(press(), 1);
    EXPECT_EQ(actionsFor("window"), Actions{});
    EXPECT_EQ(button->getColor(), KColor());

    const KColor picked(0x1200, 0x3400, 0x5600);
    answerColourChooser(&picked);
    press();
    EXPECT_EQ(actionsFor("window"), Actions{"4"});
    EXPECT_EQ(button->getColor(), picked);

    // Without choosing, a press only reports the click, and the press itself.
    button->getOptions().clear(KColorButtonControl::ChoosesColorOption);
    answerColourChooser(&picked);
    button->setColor(KColor(kRed));
    press();
    EXPECT_EQ(actionsFor("window"), (Actions{"4", "1"}));
    EXPECT_EQ(button->getColor(), KColor(kRed));

    // A disabled button does neither.
    button->getOptions().set(KColorButtonControl::ChoosesColorOption);
    button->disable();
    EXPECT_EQ(press(), 0);
    EXPECT_EQ(actionsFor("window"), Actions{});
    EXPECT_EQ(button->getColor(), KColor(kRed));
}

long s_trackedAt[2];
long s_answerID;

TEST_F(FormatControls, TheColourButtonCanPopUpAColourMenuBesideItsTopRightCorner)
{
    button->getOptions().set(KColorButtonControl::ChoosesFromMenuOption);
    button->setMenuKind(KColorMenu::SmallPalette);
    KColorMenuPtr same = new KColorMenu;
    same->buildPalette(KColorMenu::SmallPalette, 0);
    // The menu is made anew for each press; its items get the native IDs that follow.
    s_answerID = 0;
    setPopupMenuTrackerWin32([](void* Menu, short H, short V, void*) -> long {
        s_trackedAt[0] = H;
        s_trackedAt[1] = V;
        const long count = GetMenuItemCount(static_cast<HMENU>(Menu));
        return s_answerID ? long(GetMenuItemID(static_cast<HMENU>(Menu), count - 1)) : 0;
    });
    EXPECT_EQ(press(), 1);
    EXPECT_EQ(actionsFor("window"), Actions{});
    const KGraphicRectangle& window = scope.window->getBounds();
    EXPECT_EQ(s_trackedAt[0], window.getH() + 70);
    EXPECT_EQ(s_trackedAt[1], window.getV() + 20);

    s_answerID = 1;
    press();
    EXPECT_EQ(actionsFor("window"), Actions{"4"});
    EXPECT_EQ(button->getColor(), same->getSwatchAt(15)->getColor());
}

// The colours down the middle of the face from the top edge, 'w' white, 'b' black, 'l'
// light grey, 'd' dark grey, 'r' red, '.' anything else.
std::string faceColumn(KColorButtonControl& Button)
{
    KImagePtr image = new KImage;
    image->create(KGraphicSize(40, 24));
    KGraphicDevice& pixels = image->getGraphicDevice();
    pixels.paintRect(KGraphicRectangle(0, 0, 40, 24), KColor(0x4000, 0x8000, 0xC000));
    Button.drawFace(pixels, KGraphicRectangle(0, 0, 40, 24));
    std::string text;
    for (short v = 0; v < 9; ++v) {
        const COLORREF c = pixelAt(pixels, 20, v);
        text += c == RGB(255, 255, 255) ? 'w' : c == 0 ? 'b' : c == RGB(192, 192, 192) ? 'l'
              : c == RGB(64, 64, 64)    ? 'd' : c == RGB(255, 0, 0) ? 'r' : '.';
    }
    return text;
}

TEST_F(FormatControls, TheColourButtonsFaceShowsFocusRingsAndGreysWhenDimmed)
{
    button->setColor(KColor(kRed));
    // Etched edge, white, the erased outline, the raised edge, then the swatch.
    EXPECT_EQ(faceColumn(*button).substr(5), "rrrr");
    button->setSelected(true);
    EXPECT_EQ(faceColumn(*button).substr(2), "bbwrrrr");
    button->disable();
    EXPECT_EQ(faceColumn(*button).substr(2), "ddwllll");
    button->getOptions().clear(KColorButtonControl::EtchedOption);
    EXPECT_EQ(faceColumn(*button).substr(2), "lllllll");
}

TEST_F(FormatControls, AStaticTextShowsTheDimmedColourUntilEnabledThenOneForEachHilite)
{
    KStaticTextControlPtr text = new KStaticTextControl;
    KImagePtr image = new KImage;
    image->create(KGraphicSize(20, 10));
    const auto runColour = [&]() {
        text->drawFace(image->getGraphicDevice(), KGraphicRectangle(0, 0, 20, 10));
        return text->getTextObject().getTextBlock().getLineAt(0).getStyleRunAt(0).getColor();
    };
    EXPECT_EQ(runColour(), KColor(kGray));
    EXPECT_EQ(pixelAt(image->getGraphicDevice(), 5, 5), KColor(kSystemButtonFace).getNativeColor());
    text->enable(true);
    EXPECT_EQ(runColour(), KColor(kBlack));
    text->setHilite(KInteractiveElement::HoverHilite);
    EXPECT_EQ(runColour(), KColor(kYellow));
    text->setHilite(KInteractiveElement::PressedHilite);
    EXPECT_EQ(runColour(), KColor(kRed));
}

TEST_F(FormatControls, WorkingAndDisclosureControlsTellTheyCannotBeMadeHere)
{
    ReportCatcher catcher;
    KWorkingControlPtr working = new KWorkingControl;
    KDisclosureControlPtr disclosure = new KDisclosureControl;
    scope.window->addElement(*working);
    scope.window->addElement(*disclosure);
    EXPECT_EQ(working->getNativeWindow(), nullptr);
    scope.window->removeControl(*working);
    scope.window->addElement(*working);
    ASSERT_EQ(catcher.boxes().size(), 3u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Not Yet Implemented!");
    EXPECT_EQ(catcher.boxes()[0].text, "void KWorkingControl::createNativeControl()");
    EXPECT_EQ(catcher.boxes()[1].text, "void KDisclosureControl::createNativeControl()");
    EXPECT_EQ(catcher.boxes()[2].text, "void KWorkingControl::createNativeControl()");
}

} // namespace
