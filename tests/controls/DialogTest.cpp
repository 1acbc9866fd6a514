// Dialogs: their standard buttons along the bottom edge, the size that fits their
// controls, modal runs answered through the modal step as a user would answer them, the
// receivers of a modeless dialog, and palette windows and alerts.
#include "controls/KAlert.h"
#include "controls/KDialog.h"
#include "application/KPaletteWindow.h"
#include "foundation/OperatingSystemWin32.h"
#include "application/WindowClassesWin32.h"
#include "foundation/KTimer.h"
#include "controls/KPushButtonControl.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

// Receives the events a modeless dialog sends about its standard buttons.
class Receiver : public KThing {
public:
    bool handleEvent(KEvent& E) override
    {
        note("receiver " + std::to_string(E.getType()));
        return false;
    }
};

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

KPushButtonControl& standard(const KDialog& D, long Button)
{
    KThing& button = Button == KDialog::OKButton       ? D.getOKButton()
                     : Button == KDialog::CancelButton ? D.getCancelButton()
                                                       : D.getApplyButton();
    return static_cast<KPushButtonControl&>(button);
}

// The standard buttons as the controls layer holds them: title, place and size.
std::string rowOf(const KDialog& D)
{
    std::string row;
    const KBag& controls = D.getControlsLayer().getControls();
    for (long i = 0; i < controls.getCount(); ++i) {
        const auto* button = dynamic_cast<const KPushButtonControl*>(&controls[i]);
        if (!button)
            continue;
        const KGraphicRectangle b = button->getBounds();
        row += std::string(button->getTitle().getText()) + "@" + std::to_string(b.getH()) + "," + std::to_string(b.getV())
               + " " + std::to_string(b.getWidth()) + "x" + std::to_string(b.getHeight()) + " ";
    }
    return row;
}

Log linesOf(const std::string& Prefix)
{
    Log lines;
    for (const std::string& line : interactionLog()) {
        if (line.rfind(Prefix, 0) == 0)
            lines.push_back(line);
    }
    return lines;
}

void typeKey(uint16 Key)
{
    KKeyEventPtr key = new KKeyEvent;
    key->setKey(Key);
    KEvent::send(*key);
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
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 250);
    EXPECT_EQ(rowOf(*dialog), "OK@100,220 90x20 Cancel@200,220 90x20 Use@300,220 90x20 ");
    EXPECT_EQ(&dialog->getReturnElement(), &dialog->getOKButton());
    EXPECT_EQ(&dialog->getEscapeElement(), &dialog->getCancelButton());
    EXPECT_TRUE(nativeOf(standard(*dialog, KDialog::ApplyButton)));

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
    EXPECT_FALSE(bare->hasReturnElement());
    EXPECT_FALSE(bare->hasEscapeElement());
    bare->close();
}

TEST(Dialog, RunsModallyUntilAStandardButtonOrACloseRequestEndsIt)
{
    InteractionScope scope;
    KThingPtr receiver = new Receiver;
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
            SendMessageA(nativeOf(standard(D, KDialog::OKButton)), WM_KEYDOWN, VK_RETURN, 0);
        });
        EXPECT_EQ(dialog->runModal(KWindow::OpenShown), KDialog::OKResult);
    }
    // Running modally, the dialog tells its receivers nothing.
    EXPECT_TRUE(linesOf("receiver").empty());

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
    KTimerPtr timer = new KTimer;
    timer->setTarget(*closer);
    timer->setPeriod(1000);
    timer->start();
    EXPECT_EQ(dialog->runModal(KWindow::OpenHidden), KDialog::NoResult);
    uint32 waited = 0;
    for (uint32 timeOut : wait.timeOuts)
        waited += timeOut;
    EXPECT_GE(waited, 990u);
    EXPECT_LE(wait.timeOuts.size(), 3u);
}

TEST(Dialog, AModelessDialogTellsItsReceiversOnceAndCloses)
{
    InteractionScope scope;
    KThingPtr receivers[2] = {new Receiver, new Receiver};
    KDialogPtr dialog = new KDialog;
    dialog->setStandardButtons(KDialog::OKButton | KDialog::ApplyButton);
    for (KThingPtr& receiver : receivers) {
        dialog->addReceiver(*receiver);
        dialog->addReceiver(*receiver);
    }
    for (long button : {KDialog::OKButton, KDialog::ApplyButton}) {
        dialog->open(KWindow::OpenHidden);
        interactionLog().clear();
        SendMessageA(nativeOf(standard(*dialog, button)), BM_CLICK, 0, 0);
        KApplicationEvent::flushQueue();
        const std::string told = "receiver " + std::to_string(button == KDialog::OKButton ? 3 : 5);
        EXPECT_EQ(linesOf("receiver"), (Log{told, told}));
        EXPECT_EQ(dialog->getResult(), button);
        EXPECT_FALSE(dialog->isOpen());
    }
}

TEST(Dialog, ThatCannotBeMadeStaysClosedAndRunModalReturnsAtOnce)
{
    InteractionScope scope;
    const auto instance = static_cast<HINSTANCE>(knsGetInstance());
    ASSERT_TRUE(UnregisterClassA("KDialogClass", instance));
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

TEST(PaletteWindow, FloatsInFrontOfPlainWindowsAndBehindDialogs)
{
    InteractionScope scope;
    KWindowPtr plain = new KWindow;
    KDialogPtr dialog = new KDialog;
    KPaletteWindowPtr palette = new KPaletteWindow;
    EXPECT_EQ(palette->getKindFlags(), 7u);
    plain->open(KWindow::OpenHidden);
    dialog->open(KWindow::OpenHidden);
    palette->open(KWindow::OpenHidden);
    const KBag& windows = KWindowManager::get().getWindows();
    ASSERT_EQ(windows.getCount(), 3);
    EXPECT_EQ(&windows[1], palette.get());
    EXPECT_EQ(&windows[2], dialog.get());
    EXPECT_FALSE(palette->isBlocked());
    EXPECT_TRUE(plain->isBlocked());
    EXPECT_TRUE(GetWindowLongA(static_cast<HWND>(palette->getNativeWindow()), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    for (KWindow* window : {static_cast<KWindow*>(palette.get()), static_cast<KWindow*>(dialog.get()), plain.get()})
        window->close();
}

TEST(Alert, OpensShownWhereTheLastAnsweredAlertStood)
{
    InteractionScope scope;
    KAlertPtr first = new KAlert;
    EXPECT_EQ(first->getTitle(), "Alert");
    EXPECT_EQ(first->getBounds().getWidth(), 400);
    EXPECT_EQ(first->getMessage().getBounds().getWidth(), 380);
    first->getMessage().setText(KString("Something happened"));
    {
        ModalAnswer moveAndConfirm([](KDialog& D) {
            EXPECT_TRUE(IsWindowVisible(static_cast<HWND>(D.getNativeWindow())));
            D.setPosition(KGraphicPoint(150, 120));
            SendMessageA(nativeOf(standard(D, KDialog::OKButton)), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(first->runModal(KWindow::OpenHidden), KDialog::OKResult);
    }
    const KGraphicRectangle moved = KAlert::getRememberedRectangle();
    EXPECT_EQ(moved.getH(), 150);
    EXPECT_EQ(moved.getV(), 120);
    // The size stays what was asked for: alerts do not shrink from one to the next.
    EXPECT_EQ(moved.getWidth(), 400);
    EXPECT_EQ(moved.getHeight(), 130);

    // Closed without its buttons, an alert leaves the place as it was.
    KAlertPtr second = new KAlert;
    EXPECT_EQ(second->getBounds().getH(), 150);
    EXPECT_EQ(second->getBounds().getHeight(), moved.getHeight());
    ModalAnswer moveAndClose([](KDialog& D) {
        D.setPosition(KGraphicPoint(10, 10));
        D.close();
    });
    EXPECT_EQ(second->runModal(KWindow::OpenShown), KDialog::NoResult);
    EXPECT_EQ(KAlert::getRememberedRectangle().getH(), 150);
}

} // namespace
