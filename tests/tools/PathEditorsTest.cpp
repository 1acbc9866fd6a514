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

std::string pathOf(const KDiskObjectReference& Ref)
{
    KString text;
    Ref.getPath().getPathText(text, kPlatformWindows, KPath::AsStored);
    return textOf(text);
}

class ActionWindow : public KWindow {
public:
    bool handleControlAction(KControlActionEvent& E) override
    {
        seen.push_back(std::to_string(E.getType()) + (&E.getSource() == watched ? " editor" : " other"));
        return true;
    }
    const KThing* watched = nullptr;
    std::vector<std::string> seen;
};
K_POINTER_CLASS(ActionWindow, KWindowPtr);

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
    EXPECT_EQ(folder->getLabel().getBounds(), KGraphicRectangle(0, 1, 50, 20));
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

    ActionWindowPtr window = new ActionWindow;
    KDirectoryPathEditingControlPtr folder = new KDirectoryPathEditingControl;
    KFilePathEditingControlPtr file = new KFilePathEditingControl;
    window->addElement(*folder);
    window->addElement(*file);
    window->open(KWindow::OpenHidden);
    window->watched = folder.get();
    click(folder->getBrowseButton());
    EXPECT_EQ(textOf(folder->getField().getText()), temporary.path() + "\\");
    EXPECT_EQ(&KKeyboardManager::getManager().getFocusElement(), &folder->getField());
    // The click went no further, and nothing was announced.
    EXPECT_TRUE(window->seen.empty());

    folder->getActionMask().set(KControlActionEvent::TextChanged);
    click(folder->getBrowseButton());
    EXPECT_EQ(window->seen, (std::vector<std::string>{"5 editor"}));

    window->watched = file.get();
    window->seen.clear();
    file->getActionMask().set(KControlActionEvent::TextChanged);
    click(file->getBrowseButton());
    EXPECT_EQ(title, "Select File");
    EXPECT_EQ(textOf(file->getField().getText()), temporary.file("picked.bmp"));
    EXPECT_EQ(window->seen, (std::vector<std::string>{"5 editor"}));

    // A cancelled dialog changes nothing and announces nothing.
    answers.openFile = [](void*) { return false; };
    setCommonDialogAnswersWin32(answers);
    window->seen.clear();
    click(file->getBrowseButton());
    EXPECT_EQ(textOf(file->getField().getText()), temporary.file("picked.bmp"));
    EXPECT_TRUE(window->seen.empty());
    setCommonDialogAnswersWin32({});
    window->close();
}

} // namespace
