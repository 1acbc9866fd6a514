// The graphic slider: a native slider between two pictures, laid out beside or above
// them, its pictures dimmed with it, its range and value passed to the slider, and the
// slider's actions sent on as its own.
#include "controls/ImmediateActions.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/tools/GraphicObjectsTestSupport.h"
#include "tools/controls/KGraphicSliderControl.h"

#include <gtest/gtest.h>

namespace {

// The program's pictures: a tortoise and a hare, 32 x 24 each, bare in their top left
// corners.
constexpr short kLeftImage = 10100, kRightImage = 10101, kLeftMask = 10102, kRightMask = 10103;

// Whether a pixel is a shade of grey.
bool isGrey(uint32 Pixel)
{
    return (Pixel & 0xFF) == ((Pixel >> 8) & 0xFF) && (Pixel & 0xFF) == ((Pixel >> 16) & 0xFF);
}

TEST(GraphicSlider, TheSliderLiesBetweenThePicturesOrAboveThemWhenTheyLeaveNoRoom)
{
    KGraphicSliderControlPtr control = new KGraphicSliderControl;
    const short sliderHeight = control->getSlider().getVariantSize(2).getHeight();
    EXPECT_EQ(control->getSize(), KGraphicSize(100, sliderHeight));
    struct Case {
        long pictureWidth, pictureHeight;
        short height;
        std::string slider, left, right;
    };
    const Case cases[] = {
        {20, 10, 30, "20,0 60x30", "0,10", "80,10"},
        {60, 10, 30, "0,0 100x30", "0,30", "40,30"},
        // A picture taller than the control is not placed above it.
        {20, 50, 30, "20,0 60x30", "0,0", "80,0"},
        {20, 10, 50, "20,10 60x30", "0,20", "80,20"},
    };
    for (const Case& c : cases) {
        for (KImageIGO* picture : {&control->getLeftPicture(), &control->getRightPicture()})
            picture->setSize(KWideSize(c.pictureWidth, c.pictureHeight));
        control->setBounds(KGraphicRectangle(0, 0, 100, c.height));
        EXPECT_EQ(textOf(control->getSlider().getBounds()), c.slider) << c.pictureWidth << " " << c.height;
        EXPECT_EQ(textOf(control->getLeftPicture().getPosition()), c.left) << c.pictureWidth;
        EXPECT_EQ(textOf(control->getRightPicture().getPosition()), c.right) << c.pictureWidth;
    }
}

TEST(GraphicSlider, MadeFromPicturesItTakesTheirSizesAndDimsThemWithItself)
{
    KControlPtr hold = new DrawnOffScreen<KGraphicSliderControl>(kLeftImage, kLeftMask, kRightImage, kRightMask);
    auto& control = static_cast<DrawnOffScreen<KGraphicSliderControl>&>(*hold);
    EXPECT_EQ(control.getSize(), KGraphicSize(164, 30));
    EXPECT_EQ(textOf(control.getSlider().getBounds()), "32,0 100x30");
    EXPECT_EQ(textOf(control.getLeftPicture().getPosition()), "0,3");
    EXPECT_EQ(textOf(control.getRightPicture().getPosition()), "132,3");

    // Inside each animal the picture's own colour shows; in a bare corner the background.
    KImagePtr tortoise = new KImage(kLeftImage);
    KImagePtr hare = new KImage(kRightImage);
    const uint32 shell = pixelOf(*tortoise, 14, 12), fur = pixelOf(*hare, 12, 13);
    const uint32 white = colorValue(kWhite);
    ASSERT_NE(shell, white);
    control.redrawOn(kWhite);
    EXPECT_EQ(control.pixel(14, 15), shell);
    EXPECT_EQ(control.pixel(0, 3), white);
    EXPECT_EQ(control.pixel(144, 16), fur);
    control.disable();
    EXPECT_EQ(control.getLeftPicture().getHilite(), KInteractiveElement::DisabledHilite);
    control.redrawOn(kWhite);
    EXPECT_TRUE(isGrey(control.pixel(14, 15)) && control.pixel(14, 15) != white);
    EXPECT_EQ(control.pixel(0, 3), white);
    EXPECT_TRUE(isGrey(control.pixel(144, 16)) && control.pixel(144, 16) != white);
    control.enable(true);
    control.redrawOn(kWhite);
    EXPECT_EQ(control.pixel(14, 15), shell);
    EXPECT_FALSE(control.getSlider().isEnabled() != control.isEnabled());
}

// Notes the class of the source of each control action that reaches it.
class SourceNotingContainer : public KControl {
public:
    bool handleAction(KControlActionEvent& E) override
    {
        note(std::string("from ") + E.getSource().getClass().getName() + " " + std::to_string(E.getType()));
        return true;
    }
};

TEST(GraphicSlider, PassesTheRangeAndValueToTheSliderAndItsActionsOnAsItsOwn)
{
    ControlScope scope;
    KControlPtr container = new SourceNotingContainer;
    KGraphicSliderControlPtr control = new KGraphicSliderControl;
    container->addControl(*control);
    control->setMinimum(1);
    control->setMaximum(50);
    control->setPageSize(5);
    control->setValue(40, false);
    EXPECT_EQ(control->getValue(), 40);
    EXPECT_EQ(control->getSlider().getMaximum(), 50);

    // Once the native slider exists, the value is the native one.
    scope.window->addElement(*container);
    ASSERT_NE(control->getSlider().getNativeWindow(), nullptr);
    control->setValue(20, false);
    EXPECT_EQ(control->getValue(), 40);
    control->setValue(20, true);
    EXPECT_EQ(control->getValue(), 20);

    interactionLog().clear();
    sendControlActionNow(control->getSlider(), KControlActionEvent::Done);
    EXPECT_EQ(takeNotes(), Log({"from KGraphicSliderControl 4"}));
}

} // namespace
