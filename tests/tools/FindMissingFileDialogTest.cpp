// The find-missing-file dialog: its layout and texts, the empty first question, the
// replacement picked with "Browse...", the folder remembered from one question to the next
// and the three answers.
#include "tools/dialogs/KFindMissingFileDialog.h"
#include "application/CommonDialogsWin32.h"
#include "application/KControlActionEvent.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <commdlg.h>

#include <cstring>
#include <fstream>

namespace {

KFileReference fileAt(const std::string& Path) { return KFileReference(pathAt(Path)); }

std::string shown(const KTextDisplayControl& Display)
{
    const KTextBlock& block = Display.getTextBlock();
    return block.getLineCount() == 0 ? "" : textOf(block.getLineAt(0).getText());
}

bool okEnabled(const KDialog& D) { return static_cast<KControl&>(D.getOKButton()).isEnabled(); }

// An OK that reaches the dialog although its button is disabled, as a caller may send it.
void sendOK(KDialog& D)
{
    KControlActionEventPtr press = new KControlActionEvent;
    press->setType(KControlActionEvent::Done);
    press->setSource(D.getOKButton());
    KEvent::send(*press);
}

// The open-file dialog answered with a chosen path (or cancelled), noting where it started.
class FindMissingFile : public ::testing::Test {
protected:
    FindMissingFile()
    {
        KFindMissingFileDialog::forgetRememberedFolder();
        CommonDialogAnswersWin32 answers;
        answers.openFile = [this](void* Record) {
            auto& record = *static_cast<OPENFILENAMEA*>(Record);
            startedIn = record.lpstrInitialDir ? record.lpstrInitialDir : "";
            if (chosen.empty())
                return false;
            std::strcpy(record.lpstrFile, chosen.c_str());
            return true;
        };
        setCommonDialogAnswersWin32(answers);
        CreateDirectoryA(folder.file("media").c_str(), nullptr);
        CreateDirectoryA(folder.file("found").c_str(), nullptr);
        for (const char* name : {"found\\voice.wav", "found\\music.mid"})
            std::ofstream(folder.file(name)) << "data";
    }
    ~FindMissingFile() override
    {
        setCommonDialogAnswersWin32({});
        KFindMissingFileDialog::forgetRememberedFolder();
    }

    KFindMissingFileDialogPtr askFor(const std::string& Path)
    {
        KFindMissingFileDialogPtr dialog = new KFindMissingFileDialog;
        dialog->setFileReference(fileAt(Path));
        return dialog;
    }

    ToolsScope scope;
    TemporaryFolder folder;
    std::string chosen;
    std::string startedIn;
};

TEST_F(FindMissingFile, LaysOutItsControlsAndSpeaksTheLibrarysLanguage)
{
    KToolsLibrary::getToolsLibrary().getLocalizer().setLanguage("Deutsch");
    KFindMissingFileDialogPtr dialog = askFor(folder.file("media\\voice.wav"));
    EXPECT_EQ(textOf(dialog->getTitle()), "Fehlende Datei suchen");
    EXPECT_EQ(textOf(dialog->getBrowseButton().getTitle()), "Suche...");
    const KGraphicRectangle replacement = dialog->getReplacementPathDisplay().getBounds();
    const KGraphicRectangle browse = dialog->getBrowseButton().getBounds();
    EXPECT_EQ(replacement.getSize(), KGraphicSize(300, 80));
    EXPECT_EQ(browse, KGraphicRectangle(10, static_cast<short>(replacement.getV() + 90), 80, 20));
    // The controls with margins of 16 and 36, and 10 more below.
    EXPECT_EQ(dialog->getBounds().getSize(), KGraphicSize(332, static_cast<short>(browse.getV() + 20 - 35 + 82)));

    ModalScript script({[](KDialog& D) {
        EXPECT_EQ(textOf(static_cast<KPushButtonControl&>(D.getApplyButton()).getTitle()), "Alles ignorieren");
        click(D.getApplyButton());
    }});
    EXPECT_EQ(dialog->runModal(KWindow::OpenHidden), KDialog::ApplyResult);
}

TEST_F(FindMissingFile, AsksFirstWithoutAReplacementAndRefusesAnEmptyOK)
{
    const std::string missing = folder.file("media\\voice.wav");
    KFindMissingFileDialogPtr dialog = askFor(missing);
    ReportCatcher catcher;
    ModalScript script({
        [&](KDialog& D) {
            EXPECT_FALSE(okEnabled(D));
            EXPECT_EQ(shown(dialog->getMissingPathDisplay()), missing);
            EXPECT_EQ(shown(dialog->getReplacementPathDisplay()), "");
            sendOK(D);
        },
        [&](KDialog& D) {
            ASSERT_EQ(catcher.boxes().size(), 1u);
            EXPECT_EQ(catcher.boxes()[0].caption, "Find Missing File");
            EXPECT_EQ(catcher.boxes()[0].text, "No File Found!");
            EXPECT_TRUE(D.isOpen());
            click(D.getCancelButton());
        },
    });
    EXPECT_EQ(dialog->runModal(KWindow::OpenHidden), KDialog::CancelResult);
    EXPECT_FALSE(KFindMissingFileDialog::hasRememberedFolder());
}

TEST_F(FindMissingFile, RemembersTheFolderOfAnAcceptedReplacement)
{
    const std::string media = folder.file("media\\");
    const std::string found = folder.file("found\\");
    // Asked as the story asks, shown.
    chosen = found + "voice.wav";
    ModalScript firstScript({[&](KDialog& D) {
        auto& dialog = static_cast<KFindMissingFileDialog&>(D);
        EXPECT_TRUE(D.isVisible());
        click(dialog.getBrowseButton());
        // The first browse starts where the missing file should have been.
        EXPECT_EQ(startedIn, media);
        EXPECT_EQ(shown(dialog.getReplacementPathDisplay()), chosen);
        EXPECT_TRUE(okEnabled(D));
        click(D.getOKButton());
    }});
    KFileReference replacement;
    EXPECT_EQ(KFindMissingFileDialog::askUser(fileAt(media + "voice.wav"), replacement), KDialog::OKResult);
    EXPECT_EQ(pathOf(replacement), chosen);
    ASSERT_TRUE(KFindMissingFileDialog::hasRememberedFolder());
    EXPECT_EQ(pathOf(KFindMissingFileDialog::getRememberedFolder()), found);

    // A file of the same name in that folder is proposed at once; browsing starts there.
    KFindMissingFileDialogPtr second = askFor(media + "music.mid");
    chosen.clear();
    ModalScript secondScript({
        [&](KDialog& D) {
            EXPECT_TRUE(okEnabled(D));
            EXPECT_EQ(shown(second->getReplacementPathDisplay()), found + "music.mid");
            click(second->getBrowseButton());
            EXPECT_EQ(startedIn, found);
            EXPECT_EQ(shown(second->getReplacementPathDisplay()), found + "music.mid");
            click(D.getApplyButton());
        },
    });
    EXPECT_EQ(second->runModal(KWindow::OpenHidden), KDialog::ApplyResult);
    EXPECT_EQ(pathOf(second->getFileReference()), media + "music.mid");

    // Once the folder has gone, nothing is proposed and browsing starts where it last did.
    for (const char* name : {"found\\voice.wav", "found\\music.mid"})
        DeleteFileA(folder.file(name).c_str());
    RemoveDirectoryA(folder.file("found").c_str());
    KDialogHandler::getDialogHandler().setDefaultDirectory(KDirectory(fileAt(folder.path() + "\\").getPath()));
    KFindMissingFileDialogPtr third = askFor(media + "music.mid");
    ModalScript thirdScript({
        [&](KDialog& D) {
            EXPECT_FALSE(okEnabled(D));
            click(third->getBrowseButton());
            EXPECT_EQ(startedIn, folder.path() + "\\");
            click(D.getCancelButton());
        },
    });
    EXPECT_EQ(third->runModal(KWindow::OpenHidden), KDialog::CancelResult);
}

} // namespace
