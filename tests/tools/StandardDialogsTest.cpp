// The small standard dialogs: the edit-string and pop-up list dialogs with their own modal
// loops and their "NewValue" when opened modelessly, the progress dialog, the serial-port
// dialog with its named settings, and the about box: the picture on top, the owner's lines
// rolling under it, and the place it was closed with OK remembered for the next one.
#include "controls/KControlsLayer.h"
#include "foundation/KVariable.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "tests/support/ReportCatcher.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/dialogs/KAboutDialog.h"
#include "tools/dialogs/KEditStringDialog.h"
#include "tools/dialogs/KPopUpListDialog.h"
#include "tools/dialogs/KProgressDialog.h"
#include "tools/dialogs/KSerialPortDialog.h"

#include <gtest/gtest.h>

namespace {

// Notes the "NewValue" the dialog held when it told of its OK.
class NewValueReceiver : public KThing {
public:
    bool handleEvent(KEvent& E) override
    {
        auto& dialog = static_cast<KDialog&>(E.getSource());
        if (E.getType() == 3 && dialog.hasNamedObject("NewValue"))
            value = textOf(static_cast<KVariable&>(dialog.getNamedObject("NewValue")).getString());
        return false;
    }
    std::string value = "(none)";
};

void typeInto(KEditStringDialog& D, const char* Text) { D.getField().getField().setText(Text); }

// Runs the dialog on Text with one step of the script; what run answered.
template <typename Dialog>
bool runOnce(Dialog& D, KString& Text, ModalScript::Action Step)
{
    ModalScript script({std::move(Step)});
    return D.run(Text);
}

TEST(EditStringDialog, GivesBackTheAcceptedTextOrKeepsTheOneGiven)
{
    ToolsScope scope;
    KEditStringDialogPtr dialog = new OpenedHidden<KEditStringDialog>;
    KString text("abc");
    EXPECT_TRUE(runOnce(*dialog, text, [&](KDialog& D) {
        EXPECT_EQ(textOf(dialog->getField().getText()), "abc");
        typeInto(*dialog, "abd");
        click(D.getOKButton());
    }));
    EXPECT_EQ(textOf(text), "abd");
    EXPECT_FALSE(runOnce(*dialog, text, [](KDialog& D) { click(D.getCancelButton()); }));
    EXPECT_EQ(textOf(text), "abd");

    // Opened modelessly, the text is among the named elements before the receivers hear.
    KEditStringDialogPtr modeless = new KEditStringDialog;
    KThingPtr hold = new NewValueReceiver;
    modeless->addReceiver(*hold);
    modeless->open(KWindow::OpenHidden);
    typeInto(*modeless, "modeless");
    click(modeless->getOKButton());
    EXPECT_EQ(static_cast<NewValueReceiver&>(*hold).value, "modeless");
}

TEST(EditStringDialog, RefusesAndConfirmsListedValuesIgnoringCase)
{
    ToolsScope scope;
    KEditStringDialogPtr dialog = new OpenedHidden<KEditStringDialog>;
    KStringBagPtr refused = new KStringBag;
    refused->add(KString("x"));
    KStringBagPtr confirmed = new KStringBag;
    confirmed->add(KString("keep"));
    dialog->setRefusedValues(*refused);
    dialog->setConfirmValues(*confirmed);
    dialog->setRefusalMessage("Taken");
    dialog->setConfirmQuestion("Sure?");
    ReportCatcher catcher;
    KString text("abc");
    EXPECT_TRUE(runOnce(*dialog, text, [&](KDialog& D) {
        typeInto(*dialog, "X");
        click(D.getOKButton());
        ASSERT_EQ(catcher.boxes().size(), 1u);
        EXPECT_EQ(catcher.boxes()[0].caption, "Edit String");
        EXPECT_EQ(catcher.boxes()[0].text, "Taken");
        catcher.answerBoxesWith(IDNO);
        typeInto(*dialog, "Keep");
        click(D.getOKButton());
        EXPECT_EQ(catcher.boxes().back().text, "Sure?");
        EXPECT_TRUE(D.isOpen());
        catcher.answerBoxesWith(IDYES);
        click(D.getOKButton());
    }));
    EXPECT_EQ(textOf(text), "Keep");

    // Closed by its close box after a refused OK: false, with the refused text.
    EXPECT_FALSE(runOnce(*dialog, text, [&](KDialog& D) {
        typeInto(*dialog, "x");
        click(D.getOKButton());
        SendMessageA(static_cast<HWND>(D.getNativeWindow()), WM_CLOSE, 0, 0);
    }));
    EXPECT_EQ(textOf(text), "x");
}

KStringBag itemsOf(std::initializer_list<const char*> Items)
{
    KStringBag bag;
    for (const char* item : Items)
        bag.add(KString(item));
    return bag;
}

TEST(PopUpListDialog, GivesBackTheChosenItem)
{
    ToolsScope scope;
    KPopUpListDialogPtr dialog = new OpenedHidden<KPopUpListDialog>;
    dialog->setItems(itemsOf({"a", "b", "c"}));
    KString text("b");
    EXPECT_TRUE(runOnce(*dialog, text, [&](KDialog& D) {
        EXPECT_EQ(textOf(dialog->getList().getSelectedItem()), "b");
        dialog->getList().selectItemText("c");
        click(D.getOKButton());
    }));
    EXPECT_EQ(textOf(text), "c");
    // Closed by the dialog itself: no result, no OK event.
    EXPECT_EQ(dialog->getResult(), KDialog::NoResult);

    // Not listed: the selection stays, and Cancel gives back what the dialog held before.
    KPopUpListDialogPtr fresh = new OpenedHidden<KPopUpListDialog>;
    fresh->setItems(itemsOf({"a", "b"}));
    text = "z";
    EXPECT_FALSE(runOnce(*fresh, text, [&](KDialog& D) {
        EXPECT_EQ(textOf(fresh->getList().getSelectedItem()), "a");
        click(D.getCancelButton());
    }));
    EXPECT_EQ(textOf(text), "");
    KPopUpListDialogPtr empty = new OpenedHidden<KPopUpListDialog>;
    text = "anything";
    EXPECT_TRUE(runOnce(*empty, text, [](KDialog& D) { click(D.getOKButton()); }));
    EXPECT_EQ(textOf(text), "");
}

TEST(PopUpListDialog, KeepsItsListPartsWidthWhenTheLabelChanges)
{
    KPopUpListDialogPtr dialog = new KPopUpListDialog;
    KLabelPopUpListControl& list = dialog->getList();
    EXPECT_EQ(list.getList().getBounds(), KGraphicRectangle(101, 0, 249, 22));
    const short width = dialog->getBounds().getWidth();
    dialog->adjustLayout(120);
    EXPECT_EQ(dialog->getBounds().getWidth(), width + 25);
    dialog->adjustLayout(0);
    EXPECT_EQ(list.getList().getBounds(), KGraphicRectangle(6, 0, 249, 22));
    EXPECT_EQ(dialog->getBounds().getWidth(), width - 95);
}

TEST(ProgressDialog, OpensShownWithAnEmptyBarAndCancelAlone)
{
    ToolsScope scope;
    KProgressDialogPtr dialog = new KProgressDialog;
    EXPECT_EQ(dialog->getProgressBar().getValue(), 0.0f);
    dialog->open(KWindow::OpenHidden);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->hasOKButton());
    click(dialog->getCancelButton());
    EXPECT_EQ(dialog->getResult(), KDialog::CancelResult);
}

TEST(SerialPortDialog, ShowsTheGivenSettingsAndWritesBackTheChosenOnes)
{
    ToolsScope scope;
    KSerialPortDialogPtr dialog = new KSerialPortDialog;
    auto setting = [&](const char* Key, KVariable* Variable) -> KVariable& {
        KVariablePtr hold = Variable;
        dialog->addNamedObject(*Variable, Key);
        return *Variable;
    };
    // Without variables every list is disabled and OK writes nothing.
    dialog->open(KWindow::OpenHidden);
    EXPECT_FALSE(dialog->getSpeedList().isEnabled());
    click(dialog->getOKButton());
    EXPECT_FALSE(dialog->hasNamedObject("BaudRate"));

    KVariable& speed = setting("BaudRate", new KVariable(5L));
    KVariable& port = setting("PortName", new KVariable(KString("LPT1:")));
    // Not a variable: taken as no setting at all.
    KThingPtr stranger = new KString("2");
    dialog->addNamedObject(*stranger, "Parity");
    dialog->open(KWindow::OpenHidden);
    EXPECT_EQ(dialog->getControlsLayer().getControls().getCount(), 5 + 2);
    EXPECT_EQ(textOf(dialog->getSpeedList().getSelectedItem()), "9600");
    EXPECT_EQ(textOf(dialog->getPortList().getSelectedItem()), "COM1:");
    EXPECT_FALSE(dialog->getParityList().isEnabled());
    EXPECT_FALSE(dialog->getFlowList().isEnabled());
    dialog->getSpeedList().setValue(9);
    click(dialog->getOKButton());
    EXPECT_EQ(speed.getLong(), 8);
    EXPECT_EQ(textOf(port.getString()), "COM1:");
    EXPECT_FALSE(dialog->hasNamedObject("SerialFlow"));

    // A known port is shown; Cancel writes nothing.
    port.setString("COM3:");
    dialog->open(KWindow::OpenHidden);
    EXPECT_EQ(textOf(dialog->getPortList().getSelectedItem()), "COM3:");
    dialog->getPortList().selectItemText("COM7:");
    click(dialog->getCancelButton());
    EXPECT_EQ(textOf(port.getString()), "COM3:");
}

TEST(AboutDialog, RollsTheLinesUnderThePictureAndOpensWhereItWasLastConfirmed)
{
    ToolsScope scope;
    KAboutDialogPtr about = new KAboutDialog;
    about->setImageResourceID(257);
    about->setDialogTitle("About the Player");
    for (const char* line : {"First", "", "Third"})
        about->addTextLine(line);
    about->open(KWindow::OpenHidden);
    EXPECT_EQ(textOf(about->getTitle()), "About the Player");
    EXPECT_EQ(about->getBounds(), KGraphicRectangle(100, 100, 320, 200 + 160));
    EXPECT_EQ(about->getStandardButtons(), KDialog::OKButton);
    const KTextDisplayControl& band = about->getTextDisplay();
    EXPECT_EQ(band.getBounds(), KGraphicRectangle(0, 200, 320, 120));
    EXPECT_FALSE(band.hasBorder());
    EXPECT_TRUE(band.getTimer().isRunning());
    const KTextBlock& lines = band.getTextBlock();
    ASSERT_EQ(lines.getLineCount(), 3);
    EXPECT_EQ(textOf(lines.getLineAt(1).getText()), " ");

    about->setPosition(KGraphicPoint(150, 120));
    click(about->getOKButton());
    EXPECT_FALSE(about->isOpen());
    EXPECT_FALSE(band.getTimer().isRunning());
    EXPECT_EQ(KAboutDialog::getRememberedFrame().getOrigin(), KGraphicPoint(150, 120));

    // Opened again: at the new place, with one band; closed without OK, the place stays.
    about->open(KWindow::OpenHidden);
    EXPECT_EQ(about->getBounds(), KGraphicRectangle(150, 120, 320, 360));
    EXPECT_EQ(about->getControlsLayer().getControls().getCount(), 2);
    about->setPosition(KGraphicPoint(10, 10));
    about->close();
    EXPECT_EQ(KAboutDialog::getRememberedFrame().getOrigin(), KGraphicPoint(150, 120));
}

} // namespace
