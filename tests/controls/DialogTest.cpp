// Dialogs: their standard buttons along the bottom edge, the size that fits their
// controls, modal runs answered through the modal step as a user would answer them,
// Return, Escape and the clicks that carry out a standard button and tell the receivers of
// a modeless dialog, and alerts.
#include "application/WindowClassesWin32.h"
#include "controls/KAlert.h"
#include "foundation/OperatingSystemWin32.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

// Answers every step of a modal loop with the action, then lets the loop run once.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(KDialog&)> Action)
    {
        KDialog::setModalStep([Action](KDialog& Dialog) {
            Action(Dialog);
            KApplication::getApplication()->processIdleOnce();
        });
    }
    ~ModalAnswer() { KDialog::setModalStep(nullptr); }
};

void click(const KControl& C) { SendMessageA(nativeOf(C), BM_CLICK, 0, 0); }

// The standard buttons as the controls layer holds them: title, place and size.
std::string rowOf(const KDialog& D)
{
    std::string row;
    const KBag& controls = D.getControlsLayer().getControls();
    for (long i = 0; i < controls.getCount(); ++i) {
        if (const auto* button = dynamic_cast<const KPushButtonControl*>(&controls[i]))
            row += std::string(button->getTitle().getText()) + "@" + boundsText(button->getBounds()) + " ";
    }
    return row;
}

TEST(Dialog, LinesItsStandardButtonsAlongTheBottomEdge)
{
    InteractionScope scope;
    KDialogPtr dialog = new KDialog;
    dialog->setBounds(KGraphicRectangle(50, 50, 400, 250));
    dialog->setButtonTitle(3, KString("Never"));
    dialog->setButtonTitle(KDialog::ApplyButton, KString("Use"));
    dialog->setStandardButtons(KDialog::OKButton | KDialog::CancelButton | KDialog::ApplyButton);
    dialog->open(KWindow::OpenHidden);
    // The content area is the rectangle asked for, frame or no frame.
    RECT client{};
    GetClientRect(static_cast<HWND>(dialog->getNativeWindow()), &client);
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(400L, 250L));
    EXPECT_EQ(rowOf(*dialog), "OK@100,220 90x20 Cancel@200,220 90x20 Use@300,220 90x20 ");
    EXPECT_EQ(&dialog->getReturnElement(), &dialog->getOKButton());
    EXPECT_EQ(&dialog->getEscapeElement(), &dialog->getCancelButton());
    EXPECT_TRUE(nativeOf(standardButton(*dialog, KDialog::ApplyButton)));

    dialog->setStandardButtons(KDialog::OKButton);
    EXPECT_EQ(rowOf(*dialog), "OK@300,220 90x20 ");
    // Opened again, it has one row of buttons, not two.
    dialog->close();
    dialog->open(KWindow::OpenHidden);
    EXPECT_EQ(rowOf(*dialog), "OK@300,220 90x20 ");
    dialog->close();
    // Without buttons: no Return or Escape element, and a margin of 16 all round the
    // controls; with buttons still to come, room for their row.
    KDialogPtr bare = new KDialog;
    KControlPtr control = new KControl;
    control->setBounds(KGraphicRectangle(20, 30, 100, 50));
    bare->addElement(*control);
    bare->fitToControls();
    EXPECT_EQ(bare->getBounds().getSize(), KGraphicSize(132, 122));
    bare->setStandardButtons(0);
    bare->fitToControls();
    EXPECT_EQ(bare->getBounds().getSize(), KGraphicSize(132, 82));
    bare->open(KWindow::OpenHidden);
    EXPECT_EQ(rowOf(*bare), "");
    EXPECT_FALSE(bare->hasReturnElement() || bare->hasEscapeElement());
    bare->close();
}

TEST(Dialog, RunsModallyUntilAStandardButtonOrACloseRequestEndsIt)
{
    InteractionScope scope;
    KThingPtr receiver = new NotedReceiver;
    KDialogPtr dialog = new KDialog;
    dialog->addReceiver(*receiver);
    interactionLog().clear();
    {
        ModalAnswer escape([](KDialog& D) {
            EXPECT_TRUE(D.isRunningModal());
            typeKey(KKeyboardManager::EscapeKey);
        });
        EXPECT_EQ(dialog->runModal(KWindow::OpenShown), KDialog::CancelResult);
    }
    {
        // Return typed on the focused OK button: the native window goes while it answers.
        ModalAnswer enter([](KDialog& D) {
            SendMessageA(nativeOf(standardButton(D, KDialog::OKButton)), WM_KEYDOWN, VK_RETURN, 0);
        });
        EXPECT_EQ(dialog->runModal(KWindow::OpenShown), KDialog::OKResult);
    }

    // Running modally, the dialog tells its receivers nothing.
    EXPECT_TRUE(logLines("receiver").empty());
    // A close request sets no result: a fresh dialog answers 0.
    KDialogPtr fresh = new KDialog;
    ModalAnswer closing([](KDialog& D) { SendMessageA(static_cast<HWND>(D.getNativeWindow()), WM_CLOSE, 0, 0); });
    EXPECT_EQ(fresh->runModal(KWindow::OpenHidden), KDialog::NoResult);
    EXPECT_FALSE(fresh->isOpen());
    EXPECT_EQ(KWindowManager::get().getDialogCount(), 0);
}

// Closes the dialog when its timer fires.
class Closer : public KThing {
public:
    explicit Closer(KDialog& Dialog) : m_dialog(Dialog) {}
    void doTimer(KTimer&) override { m_dialog.close(); }

private:
    KDialog& m_dialog;
};

TEST(Dialog, RunningModallyWaitsForTheNextTimerInsteadOfSpinning)
{
    InteractionScope scope;
    DrivenClock clock;
    // Every reading moves the clock on, so that a loop that never waits still reaches the
    // timer, only through about a thousand idle steps.
    knsSetTickSource([] { return ++DrivenClock::now(); });
    RecordedWait wait;
    wait.clock = &clock;
    KDialogPtr dialog = new KDialog;
    KThingPtr closer = new Closer(*dialog);
    KTimerPtr timer = runningTimer(*closer, 1000);
    EXPECT_EQ(dialog->runModal(KWindow::OpenHidden), KDialog::NoResult);
    uint32 waited = 0;
    for (uint32 timeOut : wait.timeOuts)
        waited += timeOut;
    EXPECT_GE(waited, 990u);
    EXPECT_LE(wait.timeOuts.size(), 3u);
}

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
        // A receiver added twice is told once.
        dialog->addReceiver(*receiver);
        dialog->addReceiver(*receiver);
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
    KThingPtr receiver = new NotedReceiver;
};

TEST_F(DialogButtons, ReturnEscapeAndClicksCarryOutTheButtonsAndTellTheReceiversOnce)
{
    LoggingElementPtr field = new LoggingElement("field", true);
    dialog->addElement(*field);
    for (const auto& key : {std::make_pair(KKeyboardManager::ReturnKey, KDialog::OKResult),
                            std::make_pair(KKeyboardManager::EscapeKey, KDialog::CancelResult)}) {
        dialog->open(KWindow::OpenShown);
        KKeyboardManager::getManager().setFocusElement(*field);
        // A disabled button is not pressed; the key stops at the dialog.
        standardButton(*dialog, key.second).disable();
        EXPECT_EQ(typeKey(key.first), 1);
        EXPECT_TRUE(dialog->isOpen());
        standardButton(*dialog, key.second).enable(true);
        interactionLog().clear();
        EXPECT_EQ(typeKey(key.first), 1);
        EXPECT_EQ(dialog->getResult(), key.second);
        EXPECT_FALSE(dialog->isOpen());
        EXPECT_FALSE(KKeyboardManager::getManager().hasFocusElement());
        EXPECT_EQ(interactionLog(), (Log{"application control action 4", "receiver " + std::to_string(key.second + 2),
                                         "application lost"}));
    }

    // Apply closes the dialog too.
    dialog->open(KWindow::OpenHidden);
    interactionLog().clear();
    click(standardButton(*dialog, KDialog::ApplyButton));
    KApplicationEvent::flushQueue();
    EXPECT_EQ(logLines("receiver"), (Log{"receiver 5"}));
    EXPECT_EQ(dialog->getResult(), KDialog::ApplyResult);
    EXPECT_FALSE(dialog->isOpen());
}

TEST_F(DialogButtons, OnlyAReleaseThatNobodyTookCarriesOutAStandardButton)
{
    dialog->createStandardButtons(KDialog::OKButton | KDialog::CancelButton | KDialog::ApplyButton);
    for (long type : {1, 2, 3})
        EXPECT_EQ(act(standardButton(*dialog, KDialog::OKButton), type), 0);
    EXPECT_EQ(dialog->getResult(), KDialog::NoResult);

    dialog->setRunningModal(true);
    interactionLog().clear();
    EXPECT_EQ(act(standardButton(*dialog, KDialog::ApplyButton)), 1);
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

TEST(Dialog, ThatCannotBeMadeStaysClosedAndRunModalReturnsAtOnce)
{
    InteractionScope scope;
    ASSERT_TRUE(UnregisterClassA("KDialogClass", static_cast<HINSTANCE>(knsGetInstance())));
    KDialogPtr dialog = new KDialog;
    {
        ReportCatcher catcher;
        EXPECT_EQ(dialog->runModal(KWindow::OpenShown), KDialog::NoResult);
        EXPECT_EQ(catcher.codes(), (std::vector<int>{18}));
        EXPECT_TRUE(catcher.caught(18, "KDialog::open(OpenMode Mode, long StandardButtons)"));
    }
    registerKWindowClassesWin32();
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(KWindowManager::get().getDialogCount(), 0);
}

TEST(Alert, OpensShownWhereTheLastAnsweredAlertStood)
{
    InteractionScope scope;
    KAlertPtr first = new KAlert;
    first->getMessage().setText(KString("Something happened"));
    {
        ModalAnswer moveAndConfirm([](KDialog& D) {
            EXPECT_TRUE(IsWindowVisible(static_cast<HWND>(D.getNativeWindow())));
            D.setPosition(KGraphicPoint(150, 120));
            click(standardButton(D, KDialog::OKButton));
        });
        EXPECT_EQ(first->runModal(KWindow::OpenHidden), KDialog::OKResult);
    }

    // The size stays what was asked for: alerts do not shrink from one to the next.
    EXPECT_EQ(boundsText(KAlert::getRememberedRectangle()), "150,120 400x130");
    // Closed without its buttons, an alert leaves the place as it was.
    KAlertPtr second = new KAlert;
    EXPECT_EQ(boundsText(second->getBounds()), "150,120 400x130");
    ModalAnswer moveAndClose([](KDialog& D) {
        D.setPosition(KGraphicPoint(10, 10));
        D.close();
    });
    EXPECT_EQ(second->runModal(KWindow::OpenShown), KDialog::NoResult);
    EXPECT_EQ(KAlert::getRememberedRectangle().getH(), 150);
}

} // namespace
