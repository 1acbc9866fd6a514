// The value editors: the typed number confirmed with Return or stepped with the arrows and
// kept within the range, and their actions and keys reaching the window as their own; the
// three-value editor's layout; and the graphic slider: a native slider between two
// pictures, laid out beside or above them, its pictures dimmed with it, its range and value
// passed to the slider, and the slider's actions sent on as its own.
#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "controls/ImmediateActions.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/tools/GraphicObjectsTestSupport.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/controls/K3DEditValueControl.h"
#include "tools/controls/KEditValueControl.h"
#include "tools/controls/KGraphicSliderControl.h"

#include <gtest/gtest.h>

namespace {

class ValueEditors : public ::testing::Test {
protected:
    ValueEditors() { window->addElement(*editor); }

    // The text typed, then Return in the field; what the field shows afterwards.
    std::string confirmed(const char* Typed)
    {
        editor->getField().setText(Typed);
        KKeyboardManager::getManager().setFocusElement(editor->getField());
        KKeyEventPtr key = new KKeyEvent;
        key->setKey(KKeyboardManager::ReturnKey);
        key->setElement(editor->getField());
        KEvent::send(*key);
        return shown();
    }
    std::string stepped(const char* Typed, const char* Part)
    {
        editor->getField().setText(Typed);
        sendControlActionNow(editor->getArrows(), KControlActionEvent::Done, "ControlPart", Part);
        return shown();
    }
    std::string shown() const { return textOf(editor->getField().getText()); }
    static std::string decimal(double Value)
    {
        KString text;
        text.setFloat(Value, 4);
        return textOf(text);
    }

    InteractionScope scope;
    SourceWindowPtr window = new SourceWindow;
    KEditValueControlPtr editor = new KEditValueControl;
};

TEST_F(ValueEditors, KeepWholeNumbersWithinTheTruncatedRange)
{
    editor->setValueKind(KEditValueControl::WholeNumber);
    EXPECT_EQ(confirmed("300"), "128");
    EXPECT_EQ(confirmed("5-"), "-5");
    EXPECT_EQ(confirmed("+-+7"), "7");
    editor->setMaximum(99.9);
    editor->setMinimum(-5.5);
    EXPECT_EQ(confirmed("150"), "99");
    EXPECT_EQ(confirmed("-80"), "-5");
    // An unconfirmed entry is the base of a step; a step stops at the bound.
    EXPECT_EQ(stepped("40", "UpButton"), "41");
    EXPECT_EQ(stepped("99", "UpButton"), "99");
    editor->setIntStep(10);
    EXPECT_EQ(stepped("0", "DownButton"), "-5");
    EXPECT_EQ(stepped("12", "EntireControl"), "12");
    editor->getField().setText("42abc");
    EXPECT_EQ(editor->getIntValue(), 42);
    EXPECT_EQ(shown(), "42abc");

    // A minimum above the maximum: the bound checked last wins.
    editor->setMinimum(10.0);
    editor->setMaximum(5.0);
    EXPECT_EQ(confirmed("7"), "10");
    EXPECT_EQ(stepped("7", "UpButton"), "10");
    EXPECT_EQ(stepped("7", "DownButton"), "5");
    editor->setIntValue(7);
    EXPECT_EQ(shown(), "5");
    EXPECT_EQ(editor->getIntValue(), 5);
}

TEST_F(ValueEditors, WriteDecimalNumbersWithTheirDecimals)
{
    EXPECT_EQ(shown(), decimal(0.0));
    EXPECT_EQ(confirmed("1.5"), decimal(1.5));
    EXPECT_EQ(confirmed("200"), decimal(128.0));
    EXPECT_EQ(stepped("1.5", "UpButton"), decimal(1.7));
    EXPECT_EQ(stepped("-128", "DownButton"), decimal(-128.0));
    // Any other kind writes nothing back.
    editor->setValueKind(7);
    EXPECT_EQ(confirmed("3"), "");
}

TEST_F(ValueEditors, ReachTheWindowAsTheirChildrensSource)
{
    K3DEditValueControlPtr point = new K3DEditValueControl;
    window->addElement(*point);
    confirmed("1");
    stepped("1", "UpButton");
    point->getYEditor().getField().setText("2");
    sendControlActionNow(point->getYEditor().getArrows(), KControlActionEvent::Done, "ControlPart", "UpButton");
    EXPECT_EQ(textOf(point->getYEditor().getField().getText()), decimal(2.2));
    const std::vector<const KThing*> sources = {editor.get(), editor.get(), point.get()};
    EXPECT_EQ(window->sources, sources);
    EXPECT_EQ(window->types, (std::vector<long>{-1, 4, 4}));
}

TEST(ThreeValueEditor, LaysOutThreeDecimalEditors)
{
    K3DEditValueControlPtr point = new K3DEditValueControl;
    EXPECT_EQ(point->getZEditor().getBounds(), KGraphicRectangle(220, 0, 78, 22));
    // Inside an editor of 78: label 16, field from 24 to the arrows, 2 free at the right.
    const KEditValueControl& x = point->getXEditor();
    EXPECT_EQ(x.getField().getBounds(), KGraphicRectangle(24, 0, 78 - 16 - 15 - 17, 22));
    EXPECT_EQ(x.getArrows().getBounds(), KGraphicRectangle(78 - 15 - 2, 0, 15, 22));
}

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
