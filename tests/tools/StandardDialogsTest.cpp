// The small standard dialogs: the edit-string and pop-up list dialogs with their own modal
// loops and their "NewValue" when opened modelessly, the progress dialog and the
// serial-port dialog with its named settings.
#include "tools/dialogs/KEditStringDialog.h"
#include "tools/dialogs/KPopUpListDialog.h"
#include "tools/dialogs/KProgressDialog.h"
#include "tools/dialogs/KSerialPortDialog.h"
#include "controls/KControlsLayer.h"
#include "foundation/KVariable.h"
#include "tests/support/ReportCatcher.h"
#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Notes whether the dialog held "NewValue" when it told of its OK.
class NewValueReceiver : public KThing {
public:
    bool handleEvent(KEvent& E) override
    {
        auto& dialog = static_cast<KDialog&>(E.getSource());
        type = E.getType();
        if (dialog.hasNamedObject("NewValue"))
            value = textOf(static_cast<KVariable&>(dialog.getNamedObject("NewValue")).getString());
        return false;
    }
    long type = 0;
    std::string value = "(none)";
};

void typeInto(KEditStringDialog& D, const char* Text) { D.getField().getField().setText(Text); }

TEST(EditStringDialog, GivesBackTheAcceptedTextOrKeepsTheOneGiven)
{
    ToolsScope scope;
    KEditStringDialogPtr dialog = new OpenedHidden<KEditStringDialog>;
    EXPECT_EQ(textOf(dialog->getTitle()), "Edit String");
    EXPECT_EQ(dialog->getBounds().getSize(), KGraphicSize(382, 24 + 72));
    EXPECT_EQ(dialog->getField().getBounds(), KGraphicRectangle(16, 16, 350, 24));

    KString text("abc");
    {
        ModalScript script({[&](KDialog& D) {
            EXPECT_EQ(textOf(dialog->getField().getText()), "abc");
            typeInto(*dialog, "abd");
            click(D.getOKButton());
        }});
        EXPECT_TRUE(dialog->run(text));
        EXPECT_EQ(textOf(text), "abd");
    }
    {
        ModalScript script({[&](KDialog& D) {
            typeInto(*dialog, "zzz");
            click(D.getCancelButton());
        }});
        EXPECT_FALSE(dialog->run(text));
        EXPECT_EQ(textOf(text), "abd");
    }
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
    {
        ModalScript script({
            [&](KDialog& D) {
                typeInto(*dialog, "X");
                click(D.getOKButton());
                ASSERT_EQ(catcher.boxes().size(), 1u);
                EXPECT_EQ(catcher.boxes()[0].caption, "Edit String");
                EXPECT_EQ(catcher.boxes()[0].text, "Taken");
                EXPECT_TRUE(D.isOpen());
                catcher.answerBoxesWith(IDNO);
                typeInto(*dialog, "Keep");
                click(D.getOKButton());
                EXPECT_EQ(catcher.boxes().back().text, "Sure?");
                EXPECT_TRUE(D.isOpen());
                catcher.answerBoxesWith(IDYES);
                click(D.getOKButton());
            },
        });
        EXPECT_TRUE(dialog->run(text));
        EXPECT_EQ(textOf(text), "Keep");
    }
    // Closed some other way after a refused OK: false, with the refused text.
    dialog->setCaseSensitive(true);
    {
        ModalScript script({[&](KDialog& D) {
            typeInto(*dialog, "X");
            click(D.getOKButton());
            EXPECT_FALSE(D.isOpen());
            typeInto(*dialog, "x");
        }});
        // Case counts now: "X" is no longer refused.
        EXPECT_TRUE(dialog->run(text));
        EXPECT_EQ(textOf(text), "X");
    }
    {
        ModalScript script({[&](KDialog& D) {
            typeInto(*dialog, "x");
            click(D.getOKButton());
            SendMessageA(static_cast<HWND>(D.getNativeWindow()), WM_CLOSE, 0, 0);
        }});
        EXPECT_FALSE(dialog->run(text));
        EXPECT_EQ(textOf(text), "x");
    }
}

TEST(EditStringDialog, OpenedModelesslyLeavesNewValueBeforeItsReceiversHear)
{
    ToolsScope scope;
    KEditStringDialogPtr dialog = new KEditStringDialog;
    KThingPtr hold = new NewValueReceiver;
    auto& receiver = static_cast<NewValueReceiver&>(*hold);
    dialog->addReceiver(receiver);
    dialog->open(KWindow::OpenHidden);
    typeInto(*dialog, "modeless");
    click(dialog->getOKButton());
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(receiver.type, 3);
    EXPECT_EQ(receiver.value, "modeless");
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
    EXPECT_EQ(textOf(dialog->getTitle()), "Select String");
    dialog->setItems(itemsOf({"a", "b", "c"}));
    KString text("b");
    {
        ModalScript script({[&](KDialog& D) {
            EXPECT_EQ(textOf(dialog->getList().getSelectedItem()), "b");
            dialog->getList().selectItemText("c");
            click(D.getOKButton());
        }});
        EXPECT_TRUE(dialog->run(text));
        EXPECT_EQ(textOf(text), "c");
        // Closed by the dialog itself: no result, no OK event.
        EXPECT_EQ(dialog->getResult(), KDialog::NoResult);
    }

    // A string that is not listed leaves the selection; Cancel gives back the value the
    // dialog held before, empty for a new dialog.
    KPopUpListDialogPtr fresh = new OpenedHidden<KPopUpListDialog>;
    fresh->setItems(itemsOf({"a", "b"}));
    text = "z";
    {
        ModalScript script({[&](KDialog& D) {
            EXPECT_EQ(textOf(fresh->getList().getSelectedItem()), "a");
            click(D.getCancelButton());
        }});
        EXPECT_FALSE(fresh->run(text));
        EXPECT_EQ(textOf(text), "");
    }

    KPopUpListDialogPtr empty = new OpenedHidden<KPopUpListDialog>;
    text = "anything";
    ModalScript script({[](KDialog& D) { click(D.getOKButton()); }});
    EXPECT_TRUE(empty->run(text));
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
    EXPECT_EQ(list.getList().getBounds().getWidth(), 249);
    dialog->adjustLayout(0);
    EXPECT_EQ(list.getLabel().getBounds().getWidth(), 0);
    EXPECT_EQ(list.getList().getBounds(), KGraphicRectangle(6, 0, 249, 22));
    EXPECT_EQ(dialog->getBounds().getWidth(), width - 95);
}

TEST(PopUpListDialog, OpenedModelesslyLeavesNewValue)
{
    ToolsScope scope;
    KPopUpListDialogPtr dialog = new KPopUpListDialog;
    KThingPtr hold = new NewValueReceiver;
    auto& receiver = static_cast<NewValueReceiver&>(*hold);
    dialog->addReceiver(receiver);
    dialog->setItems(itemsOf({"one", "two"}));
    dialog->getList().selectItemText("two");
    dialog->open(KWindow::OpenHidden);
    click(dialog->getOKButton());
    EXPECT_EQ(receiver.type, 3);
    EXPECT_EQ(receiver.value, "two");
    EXPECT_EQ(dialog->getResult(), KDialog::OKResult);
}

TEST(ProgressDialog, ShowsAnEmptyBarTwoLinesAndCancel)
{
    ToolsScope scope;
    KProgressDialogPtr dialog = new KProgressDialog;
    EXPECT_EQ(dialog->getBounds().getSize(), KGraphicSize(350, 140));
    EXPECT_EQ(dialog->getProgressBar().getValue(), 0.0f);
    EXPECT_EQ(dialog->getProgressBar().getBounds(), KGraphicRectangle(10, 35, 330, 20));
    EXPECT_EQ(dialog->getTopText().getBounds(), KGraphicRectangle(10, 10, 330, 20));
    EXPECT_EQ(dialog->getBottomText().getBounds(), KGraphicRectangle(10, 60, 230, 20));
    EXPECT_TRUE(dialog->getTopText().getText().isEmpty());
    EXPECT_EQ(dialog->getStandardButtons(), KDialog::CancelButton);
    // Opened shown whatever the mode asked for.
    dialog->open(KWindow::OpenHidden);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->hasOKButton());
    click(dialog->getCancelButton());
    EXPECT_EQ(dialog->getResult(), KDialog::CancelResult);
}

class SerialPortDialog : public ::testing::Test {
protected:
    KVariable& setting(const char* Key, long Value)
    {
        KVariablePtr variable = new KVariable(Value);
        dialog->addNamedObject(*variable, Key);
        return *variable;
    }
    KVariable& setting(const char* Key, const char* Value)
    {
        KVariablePtr variable = new KVariable(KString(Value));
        dialog->addNamedObject(*variable, Key);
        return *variable;
    }

    ToolsScope scope;
    KSerialPortDialogPtr dialog = new KSerialPortDialog;
};

TEST_F(SerialPortDialog, ShowsTheGivenSettingsAndWritesBackTheChosenOnes)
{
    KVariable& speed = setting("BaudRate", 5);
    dialog->open(KWindow::OpenHidden);
    EXPECT_EQ(textOf(dialog->getTitle()), "Serial Port");
    EXPECT_EQ(dialog->getBounds().getSize(), KGraphicSize(282, 200));
    EXPECT_EQ(textOf(dialog->getSpeedList().getSelectedItem()), "9600");
    EXPECT_TRUE(dialog->getSpeedList().isEnabled());
    EXPECT_EQ(dialog->getPortList().getItemCount(), 9);
    EXPECT_EQ(dialog->getFlowList().getBounds(), KGraphicRectangle(16, 112, 250, 20));
    for (KPopUpListControl* list : {&dialog->getPortList(), &dialog->getParityList(), &dialog->getStopBitsList(),
                                    &dialog->getFlowList()})
        EXPECT_FALSE(list->isEnabled());
    dialog->getSpeedList().setValue(9);
    click(dialog->getOKButton());
    EXPECT_EQ(speed.getLong(), 8);
    EXPECT_FALSE(dialog->hasNamedObject("Parity"));

    // Opened again: one set of lists, the port named, a Cancel that writes nothing.
    KVariable& port = setting("PortName", "COM3:");
    KVariable& flow = setting("SerialFlow", 4);
    dialog->open(KWindow::OpenHidden);
    EXPECT_EQ(dialog->getControlsLayer().getControls().getCount(), 5 + 2);
    EXPECT_EQ(textOf(dialog->getPortList().getSelectedItem()), "COM3:");
    EXPECT_EQ(textOf(dialog->getFlowList().getSelectedItem()), "RTS CTS");
    dialog->getPortList().selectItemText("COM7:");
    dialog->getFlowList().setValue(1);
    click(dialog->getCancelButton());
    EXPECT_EQ(textOf(port.getString()), "COM3:");
    EXPECT_EQ(flow.getLong(), 4);
    EXPECT_EQ(speed.getLong(), 8);
}

TEST_F(SerialPortDialog, LeavesAnUnknownPortAndWritesNothingWithoutSettings)
{
    dialog->open(KWindow::OpenHidden);
    EXPECT_FALSE(dialog->getSpeedList().isEnabled());
    click(dialog->getOKButton());
    EXPECT_FALSE(dialog->hasNamedObject("BaudRate"));
    EXPECT_FALSE(dialog->hasNamedObject("PortName"));

    KVariable& port = setting("PortName", "LPT1:");
    // Not a variable: taken as no setting at all.
    KThingPtr stranger = new KString("2");
    dialog->addNamedObject(*stranger, "Parity");
    dialog->open(KWindow::OpenHidden);
    EXPECT_EQ(textOf(dialog->getPortList().getSelectedItem()), "COM1:");
    EXPECT_FALSE(dialog->getParityList().isEnabled());
    click(dialog->getOKButton());
    EXPECT_EQ(textOf(port.getString()), "COM1:");
}

} // namespace
