// The graphic slider: a native slider between two pictures, laid out beside or above
// them, its pictures dimmed with it, its range and value passed to the slider, and the
// slider's actions sent on as its own.
#include "controls/ImmediateActions.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/tools/GraphicObjectsTestSupport.h"
#include "tools/controls/KGraphicSliderControl.h"

#include <gtest/gtest.h>

namespace {

// The player's pictures: red 20 x 16 with its last column masked, blue 30 x 24.
constexpr short kLeftImage = 10100, kRightImage = 10101, kLeftMask = 10102, kRightMask = 10103;

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
    EXPECT_EQ(control.getSize(), KGraphicSize(150, 30));
    EXPECT_EQ(textOf(control.getSlider().getBounds()), "20,0 100x30");
    EXPECT_EQ(textOf(control.getLeftPicture().getPosition()), "0,7");
    EXPECT_EQ(textOf(control.getRightPicture().getPosition()), "120,3");

    const uint32 red = 0x0000FF, blue = 0xFF0000, dimmed = 0xAAAAAA;
    control.redrawOn(kWhite);
    EXPECT_EQ(control.pixel(5, 10), red);
    EXPECT_EQ(control.pixel(19, 10), colorValue(kWhite));
    EXPECT_EQ(control.pixel(130, 10), blue);
    control.disable();
    EXPECT_EQ(control.getLeftPicture().getHilite(), KInteractiveElement::DisabledHilite);
    control.redrawOn(kWhite);
    EXPECT_EQ(control.pixel(5, 10), dimmed);
    EXPECT_EQ(control.pixel(19, 10), colorValue(kWhite));
    EXPECT_EQ(control.pixel(130, 10), dimmed);
    control.enable(true);
    control.redrawOn(kWhite);
    EXPECT_EQ(control.pixel(5, 10), red);
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
