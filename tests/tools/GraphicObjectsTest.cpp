// The leaf graphic objects: the picture with its looks and
// placements, the disclosure triangle that toggles on a click, and the static text with
// its highlight; and the window layer of graphic objects: mouse routing to the object under
// the pointer or to the pressed one, keys to the focus object and up its parents, the two
// ways of drawing an object, and objects that leave the layer.
#include "application/KKeyEvent.h"
#include "application/KWindowEvent.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KTextBlockObject.h"
#include "tests/support/ReportCatcher.h"
#include "tests/tools/GraphicObjectsTestSupport.h"
#include "tools/igo/KDisclosureIGO.h"
#include "tools/igo/KGraphicObjectsLayer.h"
#include "tools/igo/KImageIGO.h"
#include "tools/igo/KStaticTextIGO.h"

#include <gtest/gtest.h>

namespace {

using R = KGraphicRectangle;

KImagePtr whiteCanvas(short Width, short Height) { return solidImage(Width, Height, KColor(kWhite)); }

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

class GraphicObjectsLayer : public ::testing::Test {
protected:
    GraphicObjectsLayer() { window->addLayer(*layer); }
    ~GraphicObjectsLayer() override { window->removeLayer(*layer); }

    NotingIGO& add(const char* Name, long X, long Y, long Width, long Height, bool AcceptsPress = true)
    {
        NotingIGOPtr object = new NotingIGO(Name, AcceptsPress);
        object->setPosition(KWidePoint(X, Y));
        object->setSize(KWideSize(Width, Height));
        object->clearStateFlags(KInteractiveElement::RedrawOnHiliteFlag);
        layer->addObject(*object);
        return *object;
    }
    KEventReturn mouse(long Kind, short H, short V)
    {
        KMouseEventPtr event = mouseEvent(Kind, H, V);
        switch (Kind) {
        case KMouseEvent::Enter:
            return layer->dispatchMouseEnter(*event);
        case KMouseEvent::Leave:
            return layer->dispatchMouseLeave(*event);
        case KMouseEvent::Down:
            return layer->dispatchMouseDown(*event);
        case KMouseEvent::Move:
            return layer->dispatchMouseMove(*event);
        case KMouseEvent::Tick:
            return layer->dispatchMouseTick(*event);
        default:
            return layer->dispatchMouseUp(*event);
        }
    }

    InteractionScope scope;
    KWindowPtr window = new KWindow;
    KGraphicObjectsLayerPtr layer = new KGraphicObjectsLayer;
};

TEST_F(GraphicObjectsLayer, AnEmptyLayerTakesNoMouseAndDrawsNothing)
{
    for (long kind = KMouseEvent::Enter; kind <= KMouseEvent::Up; ++kind)
        EXPECT_EQ(mouse(kind, 5, 5), 0) << kind;
    EXPECT_FALSE(layer->isMouseTarget(KGraphicPoint(5, 5)));
    KWindowEvent paint;
    EXPECT_FALSE(layer->drawLayer(paint));
}

TEST_F(GraphicObjectsLayer, TheUpperObjectTakesThePressAndTracksItWhereverTheMouseGoes)
{
    add("lower", 0, 0, 50, 50);
    NotingIGO& upper = add("upper", 20, 20, 50, 50);
    EXPECT_TRUE(layer->isMouseTarget(KGraphicPoint(60, 60)));
    EXPECT_EQ(mouse(KMouseEvent::Down, 30, 30), 4);
    EXPECT_EQ(&layer->getPressedObject(), &upper);
    EXPECT_EQ(mouse(KMouseEvent::Move, 5, 5), 1);
    EXPECT_EQ(mouse(KMouseEvent::Tick, 200, 200), 0);
    // Released outside every object: the pressed object still hears it.
    EXPECT_EQ(mouse(KMouseEvent::Up, 200, 200), 0);
    EXPECT_FALSE(layer->hasPressedObject());
    EXPECT_EQ(takeNotes(), Log({"upper down 10,10", "upper enter -15,-15", "upper leave 180,180", "upper up 180,180"}));

    // A refused press is not offered to the object below.
    upper.acceptsPress = false;
    EXPECT_EQ(mouse(KMouseEvent::Down, 30, 30), 0);
    EXPECT_EQ(takeNotes(), Log({"upper down 10,10"}));
}

TEST_F(GraphicObjectsLayer, TheHoverFollowsThePointerFromObjectToObject)
{
    add("a", 0, 0, 20, 20);
    add("b", 30, 0, 20, 20);
    EXPECT_EQ(mouse(KMouseEvent::Enter, 5, 5), 1);
    EXPECT_EQ(mouse(KMouseEvent::Move, 6, 5), 1);
    EXPECT_EQ(mouse(KMouseEvent::Move, 35, 5), 1);
    // Between the objects nothing changes.
    EXPECT_EQ(mouse(KMouseEvent::Move, 25, 5), 0);
    EXPECT_EQ(mouse(KMouseEvent::Leave, 25, 5), 1);
    EXPECT_EQ(takeNotes(), Log({"a inside 5,5", "a moved 6,5", "a outside 35,5", "b inside 5,5", "b outside 25,5"}));
    EXPECT_FALSE(layer->hasHoveredObject());
    // A release over an object that is not hovered yet makes it so.
    EXPECT_EQ(mouse(KMouseEvent::Up, 5, 5), 1);
    EXPECT_EQ(takeNotes(), Log({"a inside 5,5"}));
}

TEST_F(GraphicObjectsLayer, KeysGoToTheFocusObjectAndUpItsParents)
{
    NotingIGO& object = add("object", 0, 0, 10, 10);
    NotingIGOPtr parent = new NotingIGO("parent");
    object.setParent(*parent);
    KKeyEventPtr key = new KKeyEvent;
    EXPECT_FALSE(layer->keyTyped(*key));

    // A focus event for the layer itself sets no focus object.
    key->setElement(*layer);
    EXPECT_FALSE(layer->focusGained(*key));
    EXPECT_FALSE(layer->hasFocusObject());

    key->setElement(object);
    parent->answers.answer("gained", 1);
    EXPECT_TRUE(layer->focusGained(*key));
    EXPECT_EQ(&layer->getFocusObject(), &object);
    parent->answers.answer("key", 1);
    EXPECT_TRUE(layer->keyTyped(*key));
    EXPECT_EQ(takeNotes(), Log({"object gained", "parent gained", "object key", "parent key"}));
    EXPECT_FALSE(layer->focusLost(*key));
    EXPECT_FALSE(layer->hasFocusObject());
}

TEST_F(GraphicObjectsLayer, AnObjectAskingForItIsDrawnThroughAnImageOfItsRectangle)
{
    NotingIGO& direct = add("direct", 10, 20, 30, 40);
    NotingIGO& buffered = add("buffered", 50, 60, 70, 80);
    buffered.setIGOFlags(KInteractiveGraphicObject::DrawOffScreenFlag);
    KWindowEvent paint;
    EXPECT_FALSE(layer->drawLayer(paint));
    EXPECT_EQ(takeNotes(), Log({"direct drawn 10,20 30x40", "buffered drawn 0,0 70x80"}));
    EXPECT_EQ(direct.drawnOn, window.get());
    ASSERT_NE(buffered.drawnOn, nullptr);
    EXPECT_EQ(buffered.drawnOn->getBounds(), KGraphicRectangle(0, 0, 70, 80));

    // Without a window nothing is drawn.
    window->removeLayer(*layer);
    layer->drawObject(direct);
    EXPECT_TRUE(takeNotes().empty());
    window->addLayer(*layer);
}

TEST_F(GraphicObjectsLayer, AnObjectThatLeavesNoLongerHearsTheMouseOrTheKeys)
{
    NotingIGOPtr object(add("object", 0, 0, 20, 20));
    KKeyEventPtr key = new KKeyEvent;
    key->setElement(*object);
    layer->focusGained(*key);
    mouse(KMouseEvent::Enter, 5, 5);
    mouse(KMouseEvent::Down, 5, 5);
    layer->removeObject(*object);
    EXPECT_FALSE(object->hasLayer());
    EXPECT_FALSE(layer->hasPressedObject() || layer->hasHoveredObject() || layer->hasFocusObject());
    takeNotes();
    mouse(KMouseEvent::Up, 5, 5);
    EXPECT_FALSE(layer->keyTyped(*key));
    EXPECT_TRUE(takeNotes().empty());

    // A layer that goes lets its objects go.
    NotingIGOPtr kept(add("kept", 0, 0, 5, 5));
    window->removeLayer(*layer);
    layer = nullptr;
    EXPECT_FALSE(kept->hasLayer());
    layer = new KGraphicObjectsLayer;
    window->addLayer(*layer);
}

} // namespace
