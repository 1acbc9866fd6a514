// The value editors: the typed number confirmed with Return or stepped with the arrows and
// kept within the range, and their actions and keys reaching the window as their own; the
// three-value editor's layout.
#include "tools/controls/K3DEditValueControl.h"
#include "tools/controls/KEditValueControl.h"
#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "controls/ImmediateActions.h"
#include "tests/tools/ToolsTestSupport.h"

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
    EXPECT_EQ(point->getSize(), KGraphicSize(300, 22));
    EXPECT_EQ(point->getXEditor().getBounds(), KGraphicRectangle(64, 0, 78, 22));
    EXPECT_EQ(point->getYEditor().getBounds(), KGraphicRectangle(142, 0, 78, 22));
    EXPECT_EQ(point->getZEditor().getBounds(), KGraphicRectangle(220, 0, 78, 22));
    // Inside an editor of 78: label 16, field from 24 to the arrows, 2 free at the right.
    const KEditValueControl& x = point->getXEditor();
    EXPECT_EQ(x.getField().getBounds(), KGraphicRectangle(24, 0, 78 - 16 - 15 - 17, 22));
    EXPECT_EQ(x.getArrows().getBounds(), KGraphicRectangle(78 - 15 - 2, 0, 15, 22));
}

} // namespace
