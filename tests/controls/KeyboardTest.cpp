// The keyboard manager and the control action events: the focus moving between elements,
// Tab traversal, key previewers, and Return and Escape pressing a dialog's standard buttons,
// which the control action event then carries out.
#include "controls/KDialog.h"
#include "controls/KPushButtonControl.h"
#include "tests/application/InteractionTestSupport.h"

#include <gtest/gtest.h>

namespace {

KEventReturn type(uint16 Key, uint32 Modifiers = 0)
{
    KKeyEventPtr key = new KKeyEvent;
    key->setType(KKeyEvent::KeyTyped);
    key->setKey(Key);
    key->setModifiers(Modifiers);
    return KEvent::send(*key);
}

class Keyboard : public ::testing::Test {
protected:
    Keyboard()
    {
        for (LoggingElementPtr& element : elements)
            window->addElement(*element);
        KWindowManager::get().setActiveWindow(*window);
    }

    std::string focusName() const
    {
        return keyboard.hasFocusElement() ? static_cast<LoggingElement&>(keyboard.getFocusElement()).name : "none";
    }

    InteractionScope scope;
    KKeyboardManager& keyboard = KKeyboardManager::getManager();
    LoggingWindowPtr window = new LoggingWindow;
    LoggingElementPtr elements[3] = {new LoggingElement("a", true), new LoggingElement("b", true),
                                     new LoggingElement("c", true)};
};

TEST_F(Keyboard, TheOldElementLosesTheFocusBeforeTheNewOneGainsIt)
{
    keyboard.setFocusElement(*elements[0]);
    keyboard.setFocusElement(*elements[1]);
    keyboard.setFocusElement(*elements[1]);
    EXPECT_EQ(&window->getFocusElement(), elements[1].get());
    EXPECT_TRUE(window->ownsKeyboardFocus());
    keyboard.clearFocusElement();
    keyboard.clearFocusElement();
    EXPECT_EQ(interactionLog(), (Log{"window gained a", "application gained", "window lost a", "application lost",
                                     "window gained b", "application gained", "window lost b", "application lost"}));
}

TEST_F(Keyboard, TabMovesTheFocusAroundTheWindowAndGoesOn)
{
    window->focusFirstElement();
    std::vector<std::string> seen{focusName()};
    for (uint32 shift : {0, 0, 0, 1}) {
        type(KKeyboardManager::TabKey, shift);
        seen.push_back(focusName());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c", "a", "c"}));

    // With one element left, Tab stays; the key itself goes on to the window.
    interactionLog().clear();
    elements[0]->disable();
    elements[1]->hide();
    type(KKeyboardManager::TabKey);
    EXPECT_EQ(focusName(), "c");
    EXPECT_EQ(interactionLog(), (Log{"window key", "application key"}));
}

TEST_F(Keyboard, AKeyTakenByAPreviewerReachesNothingElse)
{
    LoggingElementPtr previewer = new LoggingElement("previewer");
    keyboard.addKeyPreviewer(*previewer);
    EXPECT_EQ(type('x'), 0);
    previewer->answers.answer("preview", 1);
    EXPECT_EQ(type('y'), 1);
    EXPECT_EQ(interactionLog(), (Log{"previewer preview", "application key", "previewer preview"}));
}

// Receives the events a modeless dialog sends about its standard buttons.
class Receiver : public KThing {
public:
    bool handleEvent(KEvent& E) override
    {
        note("receiver " + std::to_string(E.getType()));
        return false;
    }
};

class ModalDialog : public KDialog {
public:
    using KDialog::setRunningModal;
};
K_POINTER_CLASS(ModalDialog, KDialogPtr);

class TakingButton : public KPushButtonControl {
public:
    bool handleAction(KControlActionEvent&) override { return true; }
};

class DialogButtons : public ::testing::Test {
protected:
    DialogButtons()
    {
        dialog->setStandardButtons(KDialog::OKButton | KDialog::CancelButton | KDialog::ApplyButton);
        dialog->addReceiver(*receiver);
    }

    // The standard button whose result is R.
    KControl& button(uint8 R) const
    {
        KThing& standard = R == KDialog::OKResult       ? dialog->getOKButton()
                           : R == KDialog::CancelResult ? dialog->getCancelButton()
                                                        : dialog->getApplyButton();
        return static_cast<KControl&>(standard);
    }

    static KEventReturn act(KControl& Source, long Type = KControlActionEvent::Done)
    {
        KControlActionEventPtr action = new KControlActionEvent;
        action->setType(Type);
        action->setSource(Source);
        return KEvent::send(*action);
    }

    InteractionScope scope;
    ModalDialogPtr dialog = new ModalDialog;
    KThingPtr receiver = new Receiver;
};

TEST_F(DialogButtons, ReturnAndEscapePressTheFrontDialogsOKAndCancelButtons)
{
    LoggingElementPtr field = new LoggingElement("field", true);
    dialog->addElement(*field);
    for (const auto& key : {std::make_pair(KKeyboardManager::ReturnKey, KDialog::OKResult),
                            std::make_pair(KKeyboardManager::EscapeKey, KDialog::CancelResult)}) {
        dialog->open(KWindow::OpenShown);
        KKeyboardManager::getManager().setFocusElement(*field);
        // A disabled button is not pressed; the key stops at the dialog.
        button(key.second).disable();
        EXPECT_EQ(type(key.first), 1);
        EXPECT_TRUE(dialog->isOpen());
        button(key.second).enable(true);
        interactionLog().clear();
        EXPECT_EQ(type(key.first), 1);
        EXPECT_EQ(dialog->getResult(), key.second);
        EXPECT_FALSE(dialog->isOpen());
        EXPECT_FALSE(KKeyboardManager::getManager().hasFocusElement());
        EXPECT_EQ(interactionLog(), (Log{"application control action 4", "receiver " + std::to_string(key.second + 2),
                                         "application lost"}));
    }
}

TEST_F(DialogButtons, OnlyAReleaseThatNobodyTookCarriesOutAStandardButton)
{
    dialog->createStandardButtons(KDialog::OKButton | KDialog::CancelButton | KDialog::ApplyButton);
    for (long type : {1, 2, 3})
        EXPECT_EQ(act(button(KDialog::OKResult), type), 0);
    EXPECT_EQ(dialog->getResult(), KDialog::NoResult);

    dialog->setRunningModal(true);
    interactionLog().clear();
    EXPECT_EQ(act(button(KDialog::ApplyResult)), 1);
    EXPECT_EQ(dialog->getResult(), KDialog::ApplyResult);
    EXPECT_EQ(interactionLog(), (Log{"application control action 4"}));

    // A button that takes its action itself, or that sits in a plain window, is carried
    // out by nobody.
    KPushButtonControlPtr taking = new TakingButton;
    taking->setWindow(*dialog);
    dialog->setOKButton(*taking);
    EXPECT_EQ(act(*taking), 1);
    LoggingWindowPtr plain = new LoggingWindow;
    KPushButtonControlPtr elsewhere = new KPushButtonControl;
    elsewhere->setWindow(*plain);
    EXPECT_EQ(act(*elsewhere), 0);
    EXPECT_EQ(dialog->getResult(), KDialog::ApplyResult);
}

} // namespace
