// The leaf graphic objects: the base that draws nothing, the picture with its looks and
// placements, the disclosure triangle that toggles on a click, and the static text with
// its highlight.
#include "foundation/KernelFunctions.h"
#include "graphics/KTextBlockObject.h"
#include "tests/support/ReportCatcher.h"
#include "tests/tools/GraphicObjectsTestSupport.h"
#include "tools/igo/KDisclosureIGO.h"
#include "tools/igo/KImageIGO.h"
#include "tools/igo/KStaticTextIGO.h"

#include <gtest/gtest.h>

namespace {

using R = KGraphicRectangle;

KImagePtr whiteCanvas(short Width, short Height) { return solidImage(Width, Height, KColor(kWhite)); }

TEST(InteractiveGraphicObject, DrawsNothingAndReportsAMissingAttachedObject)
{
    KImagePtr canvas = whiteCanvas(20, 20);
    KGraphicDevice& device = canvas->getGraphicDevice();
    KInteractiveGraphicObjectPtr igo = new KInteractiveGraphicObject;
    igo->setSize(KWideSize(20, 20));
    igo->drawAt(device, KGraphicPoint(0, 0));
    igo->draw(device, R(0, 0, 20, 20));
    igo->drawPart(device, R(0, 0, 5, 5), R(0, 0, 20, 20));
    EXPECT_EQ(pixelOf(*canvas, 10, 10), colorValue(kWhite));

    igo->clearGraphicObject();
    {
        ReportCatcher catcher;
        igo->getGraphicObject();
        EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
    }
    KImagePtr attached = whiteCanvas(1, 1);
    igo->setGraphicObject(*attached);
    EXPECT_EQ(&igo->getGraphicObject(), attached.get());
}

TEST(ImageIGO, EachPlacementPutsTheSourceRectangleIntoTheDestination)
{
    KImagePtr canvas = whiteCanvas(1, 1);
    struct Case {
        uint8 mode;
        short width, height;
        std::string drawn;
    };
    const R dst(0, 0, 40, 40);
    const Case cases[] = {
        {KImageIGO::NaturalPlacement, 100, 50, "0,0 40x40 -> 0,0 40x40"},
        // Longer one way only: cut there, natural size the other way.
        {KImageIGO::NaturalPlacement, 100, 10, "0,0 40x10 -> 0,0 40x10"},
        {KImageIGO::NaturalPlacement, 20, 10, "0,0 20x10 -> 0,0 20x10"},
        {KImageIGO::FittedPlacement, 100, 50, "0,0 100x50 -> 0,0 40x20"},
        {KImageIGO::StretchedPlacement, 100, 50, "all 0,0 40x40"},
        {KImageIGO::CenteredPlacement, 20, 10, "0,0 20x10 -> 10,15 20x10"},
        // Longer than the destination: its middle shows.
        {KImageIGO::CenteredPlacement, 100, 50, "30,5 40x40 -> 0,0 40x40"},
        {KImageIGO::CenteredPlacement, 100, 10, "30,0 40x10 -> 0,15 40x10"},
        {KImageIGO::FittedCenteredPlacement, 100, 50, "0,0 100x50 -> 0,10 40x20"},
    };
    for (const Case& c : cases) {
        KImageIGOPtr igo = new KImageIGO;
        NotingPicturePtr picture = new NotingPicture(c.width, c.height);
        igo->setPlacement(c.mode);
        igo->drawImage(canvas->getGraphicDevice(), *picture, dst);
        ASSERT_EQ(picture->parts.size(), 1u) << int(c.mode);
        EXPECT_EQ(picture->parts[0], c.drawn) << int(c.mode) << " " << c.width << "x" << c.height;
    }
    KImageIGOPtr unknown = new KImageIGO;
    NotingPicturePtr picture = new NotingPicture(10, 10);
    unknown->setPlacement(5);
    unknown->drawImage(canvas->getGraphicDevice(), *picture, dst);
    EXPECT_TRUE(picture->parts.empty());
}

TEST(ImageIGO, ShowsTheLookOfItsHiliteAndTheNormalLookOnCyanWhenSelected)
{
    KImagePtr canvas = whiteCanvas(30, 30);
    KGraphicDevice& device = canvas->getGraphicDevice();
    KImageIGOPtr igo = new KImageIGO;
    const R dst(0, 0, 30, 30);
    // Without any picture nothing shows in any state.
    for (uint8 hilite = 0; hilite <= 3; ++hilite) {
        igo->setHilite(hilite);
        igo->draw(device, dst);
        igo->drawAt(device, KGraphicPoint(0, 0));
    }
    EXPECT_EQ(pixelOf(*canvas, 10, 10), colorValue(kWhite));

    KImagePtr red = solidImage(10, 10, KColor(kRed));
    igo->setNormalImage(*red);
    igo->setHilite(KInteractiveElement::PressedHilite);
    igo->draw(device, dst);
    EXPECT_EQ(pixelOf(*canvas, 5, 5), colorValue(kWhite));

    // Selected: a cyan field, the normal picture inside it at the inset.
    igo->setSelected(true);
    igo->draw(device, dst);
    EXPECT_EQ(pixelOf(*canvas, 2, 2), colorValue(kCyan));
    EXPECT_EQ(pixelOf(*canvas, 4, 4), colorValue(kRed));
    EXPECT_EQ(pixelOf(*canvas, 14, 14), colorValue(kCyan));
    EXPECT_EQ(pixelOf(*canvas, 13, 13), colorValue(kRed));
    EXPECT_EQ(device.getForeColor(), KColor(kWhite));
}

TEST(ImageIGO, TheFirstPictureFixesTheSourceRectangle)
{
    KImagePtr canvas = whiteCanvas(1, 1);
    KImageIGOPtr igo = new KImageIGO;
    // A part asked for before any normal picture leaves the rectangle unset, unreported.
    igo->drawPart(canvas->getGraphicDevice(), R(0, 0, 5, 5), R(0, 0, 5, 5));
    EXPECT_EQ(igo->getSourceRect().getWidth(), 0);

    NotingPicturePtr small = new NotingPicture(10, 8);
    NotingPicturePtr large = new NotingPicture(50, 50);
    igo->setNormalImage(*small);
    igo->drawAt(canvas->getGraphicDevice(), KGraphicPoint(3, 4));
    igo->setNormalImage(*large);
    igo->drawAt(canvas->getGraphicDevice(), KGraphicPoint(0, 0));
    igo->drawPart(canvas->getGraphicDevice(), R(2, 2, 40, 40), R(0, 0, 8, 6));
    EXPECT_EQ(small->parts, std::vector<std::string>({"0,0 10x8 -> 3,4 10x8"}));
    EXPECT_EQ(large->parts, std::vector<std::string>({"0,0 10x8 -> 0,0 10x8", "2,2 10x8 -> 0,0 8x6"}));
}

TEST(DisclosureIGO, AClickTogglesItRedrawsItAndGoesOnToItsParents)
{
    InteractionScope scope;
    RedrawNotingElementPtr parent = new RedrawNotingElement("parent");
    KDisclosureIGOPtr triangle = new KDisclosureIGO;
    triangle->setParent(*parent);
    triangle->setPosition(KWidePoint(3, 4));
    triangle->setSize(KWideSize(8, 8));
    KMouseEventPtr press = mouseEvent(KMouseEvent::Down, 0, 0);
    Log parentHeard;
    for (int click = 0; click < 2; ++click) {
        triangle->setMouseInside(KWidePoint(2, 2), true);
        triangle->mouseDown(KWidePoint(2, 2), *press);
        triangle->mouseUp(KWidePoint(2, 2));
        // The release is posted: the triangle toggles when the queue is handled.
        EXPECT_EQ(triangle->isOpen(), click == 1);
        interactionLog().clear();
        KApplicationEvent::flushQueue();
        EXPECT_EQ(triangle->isOpen(), click == 0);
        for (const std::string& line : takeNotes("parent"))
            parentHeard.push_back(line);
    }
    // Only the release is reported; each redraws the triangle, then reaches the parent.
    EXPECT_EQ(parentHeard, Log({"parent redraw 3,4 8x8", "parent action 4", "parent redraw 3,4 8x8", "parent action 4"}));
}

TEST(DisclosureIGO, DrawsItsTriangleInTheGreyOfItsHilite)
{
    KImagePtr canvas = whiteCanvas(20, 20);
    KGraphicDevice& device = canvas->getGraphicDevice();
    KDisclosureIGOPtr triangle = new KDisclosureIGO;
    // Closed: (8, 6), (12, 10), (8, 14), pointing right.
    triangle->draw(device, R(0, 0, 20, 20));
    EXPECT_EQ(pixelOf(*canvas, 9, 10), colorValue(kGray));
    EXPECT_EQ(pixelOf(*canvas, 7, 10), colorValue(kWhite));
    EXPECT_EQ(pixelOf(*canvas, 10, 7), colorValue(kWhite));
    // Open: (6, 8), (14, 8), (10, 12), pointing down; pressed, black.
    triangle->setOpen(true);
    triangle->setHilite(KInteractiveElement::PressedHilite);
    device.paintRect(R(0, 0, 20, 20), KColor(kWhite));
    triangle->draw(device, R(0, 0, 20, 20));
    EXPECT_EQ(pixelOf(*canvas, 10, 9), colorValue(kBlack));
    EXPECT_EQ(pixelOf(*canvas, 7, 11), colorValue(kWhite));
    EXPECT_EQ(pixelOf(*canvas, 10, 7), colorValue(kWhite));
    EXPECT_EQ(device.getForeColor(), KColor(kWhite));
}

TEST(StaticTextIGO, ANewTextIsPlainInTheElementsFont)
{
    KStaticTextIGOPtr text = new KStaticTextIGO;
    EXPECT_EQ(text->getFont().getSize(), 9.0);
    text->setText(KString("Hello"));
    KTextLine& line = text->getTextObject().getTextBlock().getLineAt(0);
    line.getStyleRunAt(0).getFont().setStyle(KFlagSet(kFontBold));
    text->setText(KString("World"));
    ASSERT_EQ(line.getStyleRunCount(), 1);
    EXPECT_EQ(line.getStyleRunAt(0).getFont().getStyle().getFlags(), 0u);
    EXPECT_EQ(line.getStyleRunAt(0).getLength(), 5);
    EXPECT_EQ(std::string(text->getText().getText()), "World");
    // Without a font of its own it writes in the standard one.
    text->clearFont();
    text->setText(KString("Plain"));
    EXPECT_EQ(line.getStyleRunAt(0).getFont().getSize(), 9.0);

    // Each hilite gives the text its colour, which it keeps.
    KImagePtr canvas = whiteCanvas(100, 30);
    const std::pair<uint8, KStandardColor> looks[] = {{1, kYellow}, {2, kRed}, {3, kDarkGray}, {0, kBlack}};
    for (const auto& look : looks) {
        text->setHilite(look.first);
        text->draw(canvas->getGraphicDevice(), R(0, 0, 100, 30));
        EXPECT_EQ(line.getStyleRunAt(0).getColor(), KColor(look.second)) << int(look.first);
    }
}

TEST(StaticTextIGO, ASelectedTextIsHighlightedOverTheExtentItWasGiven)
{
    KStaticTextIGOPtr text = new KStaticTextIGO;
    text->setText(KString("Hi"));
    text->setSelected(true);
    const short height = text->getTextObject().getSize().getHeight();
    const short top = static_cast<short>((40 - height) / 2);
    const uint32 highlight = colorValue(kSystemHighlight);
    struct Case {
        uint8 extent;
        bool corner, bandLeft, bandRight;
    };
    const Case cases[] = {{KStaticTextIGO::TextHighlight, false, true, false},
                          {KStaticTextIGO::BandHighlight, false, true, true},
                          {KStaticTextIGO::DestinationHighlight, true, true, true}};
    for (const Case& c : cases) {
        KImagePtr canvas = whiteCanvas(200, 40);
        text->setHighlightExtent(c.extent);
        text->draw(canvas->getGraphicDevice(), R(0, 0, 200, 40));
        EXPECT_EQ(pixelOf(*canvas, 0, 0) == highlight, c.corner) << int(c.extent);
        EXPECT_EQ(pixelOf(*canvas, 0, top) == highlight, c.bandLeft) << int(c.extent);
        EXPECT_EQ(pixelOf(*canvas, 199, top) == highlight, c.bandRight) << int(c.extent);
    }
    const KTextLine& line = text->getTextObject().getTextBlock().getLineAt(0);
    EXPECT_EQ(line.getStyleRunAt(0).getColor(), KColor(kSystemHighlightText));

    ReportCatcher catcher;
    KImagePtr canvas = whiteCanvas(10, 10);
    text->drawPart(canvas->getGraphicDevice(), R(0, 0, 5, 5), R(0, 0, 5, 5));
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Not Yet Implemented!");
    EXPECT_EQ(catcher.boxes()[0].text,
              "void KStaticTextIGO::draw(KGraphicDevice& Dev, const KGraphicRectangle& Src, const KGraphicRectangle& Dst)");
}

} // namespace
