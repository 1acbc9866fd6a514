// The button family on their native windows: push buttons and check boxes reporting each
// click once, radio buttons selecting themselves alone or through their group, and the
// group's keys.
#include "controls/KCheckBoxControl.h"
#include "controls/KRadioButtonControl.h"
#include "controls/KRadioButtonGroup.h"
#include "tests/controls/SentActions.h"

#include <gtest/gtest.h>

namespace {

// Notes the action events offered to it as "<name> action <type>", then lets the control
// handle them.
template <typename Base>
class Noting : public Base {
public:
    explicit Noting(const char* Name) : name(Name) {}
    bool handleAction(KControlActionEvent& E) override
    {
        note(name + " " + actionNote(E));
        return Base::handleAction(E);
    }
    std::string name;
};

using Buttons = PlacedControls;

LRESULT checkOf(const KControl& C) { return SendMessageA(nativeOf(C), BM_GETCHECK, 0, 0); }

TEST_F(Buttons, APushButtonReportsEachClickOnceFromItsNotification)
{
    auto& button = place(new Noting<KPushButtonControl>("button"), KGraphicRectangle(10, 10, 80, 20));
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
    auto& box = place(new Noting<KCheckBoxControl>("box"), KGraphicRectangle(10, 10, 100, 16));
    for (bool expected : {true, false}) {
        notifyClick(box);
        EXPECT_EQ(box.isSelected(), expected);
        EXPECT_EQ(checkOf(box), expected ? BST_CHECKED : BST_UNCHECKED);
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
    EXPECT_EQ(checkOf(box), BST_UNCHECKED);
}

TEST_F(Buttons, RadioButtonsSelectThemselvesAloneOrThroughTheirGroup)
{
    // A space typed on a button presses it even when its mask is empty.
    auto& lone = place(new Noting<KRadioButtonControl>("lone"), KGraphicRectangle(10, 10, 100, 16));
    lone.getActionMask().clearAll();
    SendMessageA(nativeOf(lone), WM_CHAR, ' ', 0);
    EXPECT_EQ(actionsFor("lone"), (Actions{"4"}));
    EXPECT_TRUE(lone.isSelected());
    EXPECT_EQ(checkOf(lone), BST_CHECKED);

    auto& group = place(new KRadioButtonGroup, KGraphicRectangle(10, 40, 150, 100));
    KControlPtr buttons[3];
    for (short i = 0; i < 3; ++i) {
        buttons[i] = new Noting<KRadioButtonControl>("radio");
        buttons[i]->setPosition(KGraphicPoint(10, static_cast<short>(20 + 20 * i)));
        group.addControl(*buttons[i]);
    }
    ASSERT_EQ(group.getButtons().getCount(), 3);
    // The press, the button's release and the group's choice.
    SendMessageA(nativeOf(*buttons[1]), BM_CLICK, 0, 0);
    EXPECT_EQ(actionsFor("window"), (Actions{"1", "4", "4"}));
    EXPECT_EQ(group.getSelectedIndex(), 1);
    EXPECT_EQ(&KKeyboardManager::getManager().getFocusElement(), buttons[1].get());
    SendMessageA(nativeOf(*buttons[2]), BM_CLICK, 0, 0);
    KApplicationEvent::flushQueue();
    EXPECT_EQ(group.getSelectedIndex(), 2);
    EXPECT_EQ(checkOf(*buttons[1]), BST_UNCHECKED);
}

TEST(RadioGroup, ArrowsHomeAndEndMoveTheSelectionAndEveryChoiceIsReported)
{
    InteractionScope scope;
    KTypedPtr<KRadioButtonGroup, KControlPtr> radios = new KRadioButtonGroup;
    for (int i = 0; i < 3; ++i)
        radios->addControl(*KControlPtr(new KRadioButtonControl));
    const auto key = [&](uint16 Code) {
        KKeyEventPtr event = new KKeyEvent;
        event->setKey(Code);
        return radios->keyTyped(*event);
    };
    EXPECT_FALSE(key(272));
    EXPECT_TRUE(actionsFor("application").empty());

    radios->setSelectedIndex(1);
    // Down twice stops at the last button and still reports; Home goes to the first.
    const std::pair<uint16, long> steps[] = {{272, 2}, {272, 2}, {275, 0}, {273, 0}, {276, 2}};
    for (const auto& step : steps) {
        EXPECT_TRUE(key(step.first));
        EXPECT_EQ(radios->getSelectedIndex(), step.second) << step.first;
    }
    EXPECT_EQ(actionsFor("application"), Actions(6, "4"));
    EXPECT_FALSE(key('a'));

    radios->setSelectedIndex(5);
    EXPECT_EQ(radios->getSelectedIndex(), -1);
    EXPECT_EQ(actionsFor("application"), (Actions{"4"}));
}

} // namespace
