// The path editors: the typed text read as a folder or a file, the layout, and a choice in
// the platform's dialog shown in the field, announced only when the action mask asks.
#include "tools/controls/KDirectoryPathEditingControl.h"
#include "tools/controls/KFilePathEditingControl.h"
#include "application/CommonDialogsWin32.h"
#include "application/KControlActionEvent.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <shlobj.h>

#include <cstring>

namespace {

TEST(PathEditors, ReadTheTypedTextAsAFolderOrAFile)
{
    KDirectoryPathEditingControlPtr folder = new KDirectoryPathEditingControl;
    EXPECT_EQ(textOf(folder->getLabel().getText()), "Directory:");
    EXPECT_TRUE(folder->getDirectory().getPath().isEmpty());
    const struct {
        const char* typed;
        const char* read;
    } cases[] = {{"C:\\media\\sounds", "C:\\media\\sounds\\"}, {"C:\\media\\", "C:\\media\\"}};
    for (const auto& c : cases) {
        folder->getField().setText(c.typed);
        EXPECT_EQ(pathOf(folder->getDirectory()), c.read);
    }
    KFilePathEditingControlPtr file = new KFilePathEditingControl;
    EXPECT_EQ(textOf(file->getLabel().getText()), "File:");
    file->getField().setText("C:\\media\\voice.wav");
    EXPECT_EQ(pathOf(file->getFile()), "C:\\media\\voice.wav");

    // 80 + 80 + 80 + 12 wide; label, field and button 6 apart.
    EXPECT_EQ(folder->getSize(), KGraphicSize(252, 22));
    folder->setSize(KGraphicSize(400, 22));
    folder->setLabelWidth(50);
    EXPECT_EQ(folder->getField().getBounds(), KGraphicRectangle(56, 0, 400 - 142, 22));
    EXPECT_EQ(folder->getBrowseButton().getBounds(), KGraphicRectangle(320, 1, 80, 20));
}

TEST(PathEditors, ShowTheChosenPathAndAnnounceItOnlyWhenAsked)
{
    ToolsScope scope;
    TemporaryFolder temporary;
    std::string title;
    CommonDialogAnswersWin32 answers;
    answers.browseFolder = [&](void*) { return static_cast<void*>(ILCreateFromPathA(temporary.path().c_str())); };
    answers.openFile = [&](void* Record) {
        auto& record = *static_cast<OPENFILENAMEA*>(Record);
        title = record.lpstrTitle ? record.lpstrTitle : "";
        std::strcpy(record.lpstrFile, temporary.file("picked.bmp").c_str());
        return true;
    };
    setCommonDialogAnswersWin32(answers);

    SourceWindowPtr window = new SourceWindow;
    KDirectoryPathEditingControlPtr folder = new KDirectoryPathEditingControl;
    KFilePathEditingControlPtr file = new KFilePathEditingControl;
    window->addElement(*folder);
    window->addElement(*file);
    window->open(KWindow::OpenHidden);
    click(folder->getBrowseButton());
    EXPECT_EQ(textOf(folder->getField().getText()), temporary.path() + "\\");
    EXPECT_EQ(&KKeyboardManager::getManager().getFocusElement(), &folder->getField());
    // The click went no further, and nothing was announced.
    EXPECT_TRUE(window->sources.empty());

    folder->getActionMask().set(KControlActionEvent::TextChanged);
    file->getActionMask().set(KControlActionEvent::TextChanged);
    click(folder->getBrowseButton());
    click(file->getBrowseButton());
    EXPECT_EQ(title, "Select File");
    EXPECT_EQ(textOf(file->getField().getText()), temporary.file("picked.bmp"));
    EXPECT_EQ(window->sources, (std::vector<const KThing*>{folder.get(), file.get()}));
    EXPECT_EQ(window->types, (std::vector<long>{5, 5}));

    // A cancelled dialog changes nothing and announces nothing.
    answers.openFile = [](void*) { return false; };
    setCommonDialogAnswersWin32(answers);
    click(file->getBrowseButton());
    EXPECT_EQ(textOf(file->getField().getText()), temporary.file("picked.bmp"));
    EXPECT_EQ(window->sources.size(), 2u);
    setCommonDialogAnswersWin32({});
    window->close();
}

} // namespace
