// The exceptions editor: its list in written-form order through adds, edits and deletes,
// the duplicate it refuses, OK that writes the file and has the handler read it, Cancel
// that leaves the file as it was, and where the two exception dialogs open.
#include "tests/speechextras/SpeechExtrasTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReportCatcher.h"
#include "tools/igo/KStaticTextIGO.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using Texts = std::vector<std::string>;

// Each row as its text, "=" and the spoken form of the exception it holds.
Texts rows(const KSpeechExceptionsDialog& D)
{
    Texts out;
    const KArrangementIGO& list = D.getList().getList();
    for (long i = 0; i < list.getElementCount(); ++i) {
        const auto& row = static_cast<const KStaticTextIGO&>(list.getElementAt(i));
        const auto& entry = static_cast<const KSpeechException&>(row.getGraphicObject());
        out.push_back(textOf(row.getText()) + "=" + textOf(entry.getSpokenForm()));
    }
    return out;
}

// Clicks the button; an entry dialog it opens gets the answer, and none other may open.
void press(KThing& Button, ModalScript::Action Answer = nullptr)
{
    ModalScript script(Answer ? std::vector<ModalScript::Action>{Answer} : std::vector<ModalScript::Action>{});
    click(Button);
}

// Gives the entry dialog these forms (null keeps what it shows) and OK, noting first its
// title and forms when asked.
ModalScript::Action enter(const char* Written, const char* Spoken, Texts* Shown = nullptr)
{
    return [=](KDialog& D) {
        auto& entry = static_cast<KSpeechExceptionAddDialog&>(D);
        if (Shown)
            *Shown = {textOf(D.getTitle()), textOf(entry.getWrittenField().getText()),
                      textOf(entry.getSpokenField().getText())};
        if (Written)
            entry.getWrittenField().setText(KString(Written));
        if (Spoken)
            entry.getSpokenField().setText(KString(Spoken));
        click(D.getOKButton());
    };
}

// What the boxes caught said, caption then text of each.
Texts boxesSaid(const ReportCatcher& Catcher)
{
    Texts out;
    for (const CaughtMessageBox& box : Catcher.boxes())
        out.insert(out.end(), {box.caption, box.text});
    return out;
}

const Texts kAlreadyDefined = {"Speech Exceptions", "Exception already defined"};

// The library made over an exceptions file of the pairs (none when there are none), and
// the dialog opened on it.
class SpeechExceptionsDialog : public testing::Test {
protected:
    void openWith(const std::vector<std::pair<const char*, const char*>>& Pairs)
    {
        if (!Pairs.empty()) {
            ASSERT_TRUE(ExtrasScope::save(Pairs));
        }
        KSpeechExtrasLibrary::create();
        dialog = new HiddenExceptionsDialog;
        dialog->open(KWindow::OpenShown);
    }

    ExtrasScope scope;
    KSpeechExceptionsDialogPtr dialog;
};

TEST_F(SpeechExceptionsDialog, AddsInSignedByteOrderAndRefusesAWrittenFormAlreadyListed)
{
    openWith({{"usa", "you ess ay"}, {"Dr", "Doctor"}});
    const Bytes file = readBytes(scope.exceptionsPath());
    EXPECT_EQ(textOf(dialog->getTitle()), "Speech Exceptions");
    EXPECT_EQ(rows(*dialog), (Texts{"Dr=Doctor", "usa=you ess ay"}));

    // The entry dialog starts from the example, and "USA" goes before "usa"; a first byte
    // of 128 or above sorts before all others.
    Texts shown;
    press(dialog->getAddButton(), enter(nullptr, nullptr, &shown));
    EXPECT_EQ(shown, (Texts{"Add Exception", "USA", "United States Of America"}));
    press(dialog->getAddButton(), enter("\xC9" "cole", "school"));
    EXPECT_EQ(rows(*dialog),
              (Texts{"\xC9" "cole=school", "Dr=Doctor", "USA=United States Of America", "usa=you ess ay"}));
    EXPECT_EQ(dialog->getList().getSelectedIndex(), -1);
    {
        ReportCatcher catcher;
        press(dialog->getAddButton(), enter(nullptr, "again"));
        EXPECT_EQ(boxesSaid(catcher), kAlreadyDefined);
    }
    press(dialog->getAddButton(), [](KDialog& D) { click(D.getCancelButton()); });
    // Opened again while open, it keeps what is not confirmed yet.
    dialog->open(KWindow::OpenShown);
    EXPECT_EQ(rows(*dialog).size(), 4u);

    // Cancel keeps the file to the byte; the same dialog opened again shows it.
    click(dialog->getCancelButton());
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(readBytes(scope.exceptionsPath()), file);
    dialog->open(KWindow::OpenShown);
    EXPECT_EQ(rows(*dialog), (Texts{"Dr=Doctor", "usa=you ess ay"}));
    click(dialog->getCancelButton());
}

TEST_F(SpeechExceptionsDialog, EditsAndDeletesKeepingTheListOrdered)
{
    openWith({{"Ab", "About"}, {"Dr", "Doctor"}, {"Mr", "Mister"}});
    KListBoxControl& list = dialog->getList();
    // Nothing selected: nothing to edit or delete.
    press(dialog->getEditButton());
    press(dialog->getDeleteButton());
    EXPECT_EQ(rows(*dialog).size(), 3u);

    // A new written form takes its place in the order, still selected.
    list.selectItem(0);
    Texts shown;
    press(dialog->getEditButton(), enter("Zz", "Sleep", &shown));
    EXPECT_EQ(shown, (Texts{"Edit Exception", "Ab", "About"}));
    EXPECT_EQ(rows(*dialog), (Texts{"Dr=Doctor", "Mr=Mister", "Zz=Sleep"}));
    EXPECT_EQ(list.getSelectedIndex(), 2);
    // Its own written form is no duplicate; another's is.
    list.selectItem(0);
    press(dialog->getEditButton(), enter("Dr", "Drive"));
    {
        ReportCatcher catcher;
        press(dialog->getEditButton(), enter("Mr", "Mister Drive"));
        EXPECT_EQ(boxesSaid(catcher), kAlreadyDefined);
    }
    EXPECT_EQ(rows(*dialog), (Texts{"Dr=Drive", "Mr=Mister", "Zz=Sleep"}));

    // Deleting the first row leaves none selected, any other selects the row above.
    list.selectItem(0);
    press(dialog->getDeleteButton());
    EXPECT_EQ(list.getSelectedIndex(), -1);
    list.selectItem(1);
    press(dialog->getDeleteButton());
    EXPECT_EQ(list.getSelectedIndex(), 0);
    press(dialog->getAddButton(), enter("Ab", "About"));
    EXPECT_EQ(rows(*dialog), (Texts{"Ab=About", "Mr=Mister"}));
    click(dialog->getCancelButton());
}

TEST_F(SpeechExceptionsDialog, OKWritesTheListAndTheHandlerReadsItAgain)
{
    // Without a file the list starts empty.
    openWith({});
    ASSERT_TRUE(dialog->isOpen());
    EXPECT_TRUE(rows(*dialog).empty());
    press(dialog->getAddButton(), enter("Mr", "Mister"));
    press(dialog->getAddButton(), enter("Dr", "Doctor"));
    click(dialog->getOKButton());
    EXPECT_FALSE(dialog->isOpen());
    const Bytes written = readBytes(scope.exceptionsPath());
    ASSERT_TRUE(ExtrasScope::save({{"Dr", "Doctor"}, {"Mr", "Mister"}}));
    EXPECT_EQ(written, readBytes(scope.exceptionsPath()));
    KSpeechExceptionHandler& handler = KSpeechExceptionHandler::getInstance();
    ASSERT_EQ(handler.getExceptionCount(), 2);
    EXPECT_EQ(textOf(handler.find(KString("Mr"))->getSpokenForm()), "Mister");

    // Emptied and confirmed: the bare header.
    dialog->open(KWindow::OpenShown);
    EXPECT_EQ(rows(*dialog), (Texts{"Dr=Doctor", "Mr=Mister"}));
    for (int i = 0; i < 2; ++i) {
        dialog->getList().selectItem(0);
        press(dialog->getDeleteButton());
    }
    click(dialog->getOKButton());
    EXPECT_EQ(readBytes(scope.exceptionsPath()), ByteList().text("KSPX").longs({0, 0}).bytes());
    EXPECT_EQ(handler.getExceptionCount(), 0);

    // A list that cannot be saved is not closed as if it were.
    dialog->open(KWindow::OpenShown);
    press(dialog->getAddButton(), enter("Ab", "About"));
    writeBytes(scope.folder.file("plain"), Bytes{1});
    KSpeechExceptionsFile::setDataFolder(KDirectory(windowsPath(scope.folder.file("plain") + "\\")));
    {
        ReportCatcher catcher;
        click(dialog->getOKButton());
        EXPECT_EQ(boxesSaid(catcher), (Texts{"Speech Exceptions", "The speech exceptions could not be saved."}));
    }
    EXPECT_TRUE(dialog->isOpen());
    EXPECT_EQ(rows(*dialog), (Texts{"Ab=About"}));
    click(dialog->getCancelButton());

    // A file that is not an exceptions file keeps the dialog from opening, silently.
    KSpeechExceptionsFile::setDataFolder(KDirectory(windowsPath(scope.folder.path() + "\\")));
    writeBytes(scope.exceptionsPath(), ByteList().text("KSPY").longs({0, 0}).bytes());
    dialog->open(KWindow::OpenShown);
    EXPECT_FALSE(dialog->isOpen());
}

K_CHILD_SCENARIO(FirstExceptionDialogsOfARun)
{
    ExtrasScope scope;
    KSpeechExtrasLibrary::create();
    KSpeechExceptionsDialogPtr list = new KSpeechExceptionsDialog;
    KSpeechExceptionAddDialogPtr entry = new KSpeechExceptionAddDialog;
    for (const KGraphicRectangle& r : {list->getBounds(), KSpeechExceptionAddDialog::getRememberedBounds()})
        std::printf("%d %d %d %d\n", r.getH(), r.getV(), r.getWidth(), r.getHeight());
    std::printf("%d %d\n", entry->getBounds().getH(), entry->getBounds().getV());
}

TEST_F(SpeechExceptionsDialog, AndItsEntryDialogOpenWhereTheLastOfTheirKindWasClosed)
{
    EXPECT_EQ(runChildScenario("FirstExceptionDialogsOfARun").output, "100 100 430 400\n130 150 350 130\n130 150\n");
    openWith({});
    dialog->setPosition(KGraphicPoint(150, 120));
    // The entry dialog's size follows its controls wherever it is put.
    KGraphicRectangle closed;
    press(dialog->getAddButton(), [&](KDialog& D) {
        D.setPosition(KGraphicPoint(200, 210));
        closed = D.getBounds();
        click(D.getCancelButton());
    });
    press(dialog->getAddButton(), [&](KDialog& D) {
        EXPECT_EQ(D.getBounds(), closed);
        click(D.getCancelButton());
    });
    click(dialog->getCancelButton());
    KSpeechExceptionsDialogPtr next = new HiddenExceptionsDialog;
    EXPECT_EQ(next->getBounds(), KGraphicRectangle(150, 120, 430, 400));
}

} // namespace
