// The button family on their native windows: push buttons and check boxes reporting each
// click once, radio buttons selecting themselves alone or through their group, and the
// group's keys.
#include "controls/KCheckBoxControl.h"
#include "controls/KPushButtonControl.h"
#include "controls/KRadioButtonControl.h"
#include "controls/KRadioButtonGroup.h"
#include "tests/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Notes the action events offered to it.
template <typename Base>
class Noting : public Base {
public:
    explicit Noting(const char* Name)
        : name(Name)
    {
    }
    bool handleAction(KControlActionEvent& E) override
    {
        note(name + " " + actionNote(E));
        return Base::handleAction(E);
    }
    std::string name;
};

using NotingPushButton = Noting<KPushButtonControl>;
using NotingCheckBox = Noting<KCheckBoxControl>;
using NotingRadioButton = Noting<KRadioButtonControl>;

class Buttons : public ::testing::Test {
protected:
    template <typename Control>
    Control& place(Control* C, short H, short V)
    {
        KControlPtr hold = C;
        C->setPosition(KGraphicPoint(H, V));
        scope.window->addElement(*C);
        return *C;
    }

    ControlScope scope;
};

TEST_F(Buttons, APushButtonReportsEachClickOnceFromItsNotification)
{
    auto& button = place(new NotingPushButton("button"), 10, 10);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(nativeOf(button), WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));

    // The press, the release that ends its tracking and the notification: one action.
    SendMessageA(nativeOf(button), BM_CLICK, 0, 0);
    EXPECT_EQ(actionsFor("button"), (Actions{"4"}));
    EXPECT_FALSE(button.getStateFlags() & KInteractiveElement::TrackingFlag);
    button.getActionMask().clearAll();
    notifyClick(button);
    EXPECT_TRUE(actionsFor("button").empty());
}

TEST_F(Buttons, ACheckBoxTogglesOncePerClickAndReportsItWhenItsMaskSaysSo)
{
    auto& box = place(new NotingCheckBox("box"), 10, 10);
    for (bool expected : {true, false}) {
        notifyClick(box);
        EXPECT_EQ(box.isSelected(), expected);
        EXPECT_EQ(SendMessageA(nativeOf(box), BM_GETCHECK, 0, 0), expected ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_EQ(actionsFor("box"), (Actions{"4"}));
    }
    // A real click reports once: its release is not a second click.
    SendMessageA(nativeOf(box), BM_CLICK, 0, 0);
    EXPECT_EQ(actionsFor("box"), (Actions{"1", "4"}));
    EXPECT_TRUE(box.isSelected());

    box.getActionMask().clearAll();
    notifyClick(box);
    EXPECT_FALSE(box.isSelected());
    EXPECT_TRUE(actionsFor("box").empty());

    box.disable();
    box.setSelected(true);
    EXPECT_FALSE(box.isSelected());
    EXPECT_EQ(SendMessageA(nativeOf(box), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Buttons, RadioButtonsSelectThemselvesAloneOrThroughTheirGroup)
{
    // A space typed on a button presses it even when its mask is empty.
    auto& lone = place(new NotingRadioButton("lone"), 10, 10);
    lone.getActionMask().clearAll();
    SendMessageA(nativeOf(lone), WM_CHAR, ' ', 0);
    EXPECT_EQ(actionsFor("lone"), (Actions{"4"}));
    EXPECT_TRUE(lone.isSelected());
    EXPECT_EQ(SendMessageA(nativeOf(lone), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Only a group of exactly the group class selects its buttons.
    auto& group = place(new KRadioButtonGroup, 10, 40);
    group.setSize(KGraphicSize(150, 100));
    NotingRadioButton* buttons[3];
    for (short i = 0; i < 3; ++i) {
        buttons[i] = new NotingRadioButton("radio");
        KControlPtr hold = buttons[i];
        buttons[i]->setPosition(KGraphicPoint(10, static_cast<short>(20 + 20 * i)));
        group.addControl(*buttons[i]);
    }
    ASSERT_EQ(group.getButtons().getCount(), 3);
    // The press, the button's release and the group's choice.
    SendMessageA(nativeOf(*buttons[1]), BM_CLICK, 0, 0);
    EXPECT_EQ(actionsFor("window"), (Actions{"1", "4", "4"}));
    EXPECT_EQ(group.getSelectedIndex(), 1);
    EXPECT_EQ(&KKeyboardManager::getManager().getFocusElement(), buttons[1]);
    SendMessageA(nativeOf(*buttons[2]), BM_CLICK, 0, 0);
    KApplicationEvent::flushQueue();
    EXPECT_EQ(group.getSelectedIndex(), 2);
    EXPECT_EQ(SendMessageA(nativeOf(*buttons[1]), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST(RadioGroup, ArrowsHomeAndEndMoveTheSelectionAndEveryChoiceIsReported)
{
    InteractionScope scope;
    KControlPtr group = new KRadioButtonGroup;
    auto& radios = static_cast<KRadioButtonGroup&>(*group);
    for (int i = 0; i < 3; ++i) {
        KControlPtr button = new KRadioButtonControl;
        radios.addControl(*button);
    }
    const auto key = [&](uint16 Code) {
        KKeyEventPtr event = new KKeyEvent;
        event->setKey(Code);
        return radios.keyTyped(*event);
    };
    EXPECT_FALSE(key(272));
    EXPECT_TRUE(actionsFor("application").empty());

    radios.setSelectedIndex(1);
    struct Step {
        uint16 key;
        long selected;
    };
    // Down twice stops at the last button and still reports; Home goes to the first.
    for (const Step& step : {Step{272, 2}, Step{272, 2}, Step{275, 0}, Step{273, 0}, Step{276, 2}}) {
        EXPECT_TRUE(key(step.key));
        EXPECT_EQ(radios.getSelectedIndex(), step.selected) << step.key;
    }
    EXPECT_EQ(actionsFor("application"), (Actions{"4", "4", "4", "4", "4", "4"}));
    EXPECT_FALSE(key('a'));

    radios.setSelectedIndex(5);
    EXPECT_EQ(radios.getSelectedIndex(), -1);
    EXPECT_EQ(actionsFor("application"), (Actions{"4"}));
}

} // namespace
