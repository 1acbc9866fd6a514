// The dialog handler with the platform's common dialogs answered by the test: the filters
// and names the file dialogs start from, what the chosen file, colour or folder becomes,
// and what every dialog leaves as it was (the current directory, the menu bar, the
// common-dialog window, a cancelled choice).
#include "application/CommonDialogsWin32.h"
#include "application/KDialogHandler.h"
#include "application/KMenuManager.h"
#include "application/KWindowManager.h"
#include "controls/KDialog.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileType.h"
#include "foundation/KFileTypeHandler.h"
#include "graphics/KColor.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>

namespace {

// The texts of a filter block, up to its closing empty one.
std::vector<std::string> filterTexts(const char* Filter)
{
    std::vector<std::string> texts;
    for (const char* text = Filter; text && *text; text += std::strlen(text) + 1)
        texts.push_back(text);
    return texts;
}

std::string pathOf(const KDiskObjectReference& Ref)
{
    KString text;
    Ref.getPath().getPathText(text, kPlatformWindows, KPath::AsStored);
    return text.getText();
}

std::string currentDirectory()
{
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof path, path);
    return path;
}

// An application with the window manager, the menu manager and the dialog handler; file
// dialogs answer through the function the test sets, which sees the platform's record.
class CommonDialogs : public ::testing::Test {
protected:
    CommonDialogs()
    {
        application->createWindowManager(*KWindowManager::getClassRecord());
        KMenuManager::create();
        KDialogHandler::initDialogHandler();
        KMenuManager::getMenuManager().enableMenuBar(true);
        CommonDialogAnswersWin32 answers;
        answers.openFile = [this](void* Record) { return answerFile(Record); };
        answers.saveFile = [this](void* Record) { return answerFile(Record); };
        setCommonDialogAnswersWin32(answers);
    }
    ~CommonDialogs() override
    {
        setCommonDialogAnswersWin32({});
        KDialogHandler::exitDialogHandler();
        KMenuManager::destroy();
        application->destroyWindowManager();
    }

    bool answerFile(void* Record)
    {
        auto& record = *static_cast<OPENFILENAMEA*>(Record);
        seen = record;
        fileNameSeen = record.lpstrFile;
        titleSeen = textOf(record.lpstrTitle);
        extensionSeen = textOf(record.lpstrDefExt);
        folderSeen = textOf(record.lpstrInitialDir);
        filterSeen = filterTexts(record.lpstrFilter);
        // The filter lives only for the call: its first character is kept now.
        filterStartSeen = record.lpstrFilter ? record.lpstrFilter[0] : '?';
        if (!chosen)
            return false;
        std::strcpy(record.lpstrFile, chosen);
        return true;
    }

    static std::string textOf(const char* Text) { return Text ? Text : "(none)"; }
    // Types with the extensions and descriptions, in order.
    static KBag& typesOf(KBag& Bag, std::initializer_list<std::pair<const char*, const char*>> Types)
    {
        for (const auto& t : Types) {
            auto* type = new KFileType;
            type->setExtension(t.first);
            type->setDescription(t.second);
            Bag.add(*type);
        }
        return Bag;
    }

    KDialogHandler& handler() const { return KDialogHandler::getDialogHandler(); }

    ApplicationScope<> application;
    TemporaryFolder folder;
    // The path the user picks; null cancels.
    const char* chosen = nullptr;
    OPENFILENAMEA seen{};
    std::string fileNameSeen, titleSeen, extensionSeen, folderSeen;
    std::vector<std::string> filterSeen;
    char filterStartSeen = '?';
    bool menuBarEnabled = true;
};

TEST_F(CommonDialogs, OpenOffersTheTypesTogetherFirstAndStartsFromAnExistingFile)
{
    KFileReference ref;
    KBag types;
    EXPECT_FALSE(handler().getOpenFile(ref, typesOf(types, {{"BMP", "Windows Bitmap"}, {"JPG", "JPEG Image"}}),
                                       "Open Picture"));
    EXPECT_EQ(titleSeen + " " + extensionSeen, "Open Picture BMP");
    EXPECT_EQ(seen.hwndOwner, GetActiveWindow());
    EXPECT_EQ(filterSeen, (std::vector<std::string>{"*.BMP;*.JPG", "*.BMP;*.JPG", "Windows Bitmap (*.BMP)", "*.BMP",
                                                    "JPEG Image (*.JPG)", "*.JPG"}));
    EXPECT_EQ(fileNameSeen, "");
    EXPECT_TRUE(pathOf(ref).empty());

    KBag one;
    handler().getOpenFile(ref, typesOf(one, {{"PNG", "Portable Network Graphics"}}), "Open");
    EXPECT_EQ(filterSeen, (std::vector<std::string>{"Portable Network Graphics (*.PNG)", "*.PNG"}));
    EXPECT_EQ(fileNameSeen + " " + extensionSeen, "*.PNG (none)");
    handler().getOpenFileForExtension(ref, "Open");
    EXPECT_TRUE(filterSeen.empty());
    EXPECT_EQ(filterStartSeen, 0);
    // An existing file gives its folder, its name and its extension.
    const std::string existing = folder.file("story.txt");
    std::ofstream(existing) << "x";
    KPath path;
    path.setPathText(existing.c_str(), kPlatformWindows);
    ref.setPath(path);
    const std::string picked = folder.file("other.bmp");
    chosen = picked.c_str();
    EXPECT_TRUE(handler().getOpenFileForExtension(ref, "Open"));
    EXPECT_EQ(fileNameSeen + " " + extensionSeen, "story.txt txt");
    EXPECT_EQ(folderSeen, folder.path() + "\\");
    // The type registered for the extension.
    EXPECT_EQ(filterSeen, (std::vector<std::string>{"Text File (*.txt)", "*.txt"}));
    EXPECT_EQ(pathOf(ref), picked);
    EXPECT_EQ(pathOf(handler().getDefaultDirectory()), folder.path() + "\\");
}

TEST_F(CommonDialogs, SaveGivesTheDefaultExtensionAndTheTypeOfTheChosenName)
{
    const KFileTypeID project = KFileTypeHandler::makeAssociation("TPD", "NRAX", "LTPD", "Story Project");
    KFileReference ref;
    KPath proposed;
    proposed.setPathText((folder.file("story") + ".TPD").c_str(), kPlatformWindows);
    ref.setPath(proposed);
    const std::string typed = folder.file("Tale");
    chosen = typed.c_str();
    KBag types;
    EXPECT_TRUE(handler().getSaveFile(ref, typesOf(types, {{"TPD", "Story Project"}}), "Save Project"));
    EXPECT_EQ(fileNameSeen + " " + extensionSeen, "story.TPD TPD");
    EXPECT_EQ(pathOf(ref), typed + ".TPD");
    EXPECT_EQ(ref.getFileTypeHandle(), project);
    EXPECT_EQ(pathOf(handler().getDefaultDirectory()), folder.path() + "\\");
    // A name with its own extension keeps it; a proposal in a missing folder starts from
    // the types' pattern.
    const std::string named = folder.file("Tale.bmp");
    chosen = named.c_str();
    proposed.setPathText("Z:\\missing\\folder\\story.TPD", kPlatformWindows);
    ref.setPath(proposed);
    EXPECT_TRUE(handler().getSaveFileOfType(ref, static_cast<KFileType&>(types[0]), "Save"));
    EXPECT_EQ(fileNameSeen, "*.TPD");
    EXPECT_EQ(pathOf(ref), named);
    EXPECT_EQ(ref.getFileTypeHandle(), KFileTypeHandler::getTypeIDOfExtension("BMP"));
    // A proposed name longer than the field is cut to it; a cancel leaves the reference.
    proposed.setPathText((folder.file(std::string(300, 'a')) + ".TPD").c_str(), kPlatformWindows);
    KFileReference longName;
    longName.setPath(proposed);
    chosen = nullptr;
    EXPECT_FALSE(handler().getSaveFile(longName, types, ""));
    EXPECT_EQ(fileNameSeen, std::string(260, 'a'));
    EXPECT_EQ(titleSeen, "(none)");
    EXPECT_EQ(pathOf(longName), pathOf(KFileReference(proposed)));
}

TEST_F(CommonDialogs, EveryDialogLeavesTheCurrentDirectoryMenuBarAndDialogWindowAsTheyWere)
{
    const std::string before = currentDirectory();
    HWND dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    HWND hook = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, dialog, nullptr, nullptr, nullptr);
    void* shownWindow = nullptr;
    CommonDialogAnswersWin32 answers;
    answers.openFile = [&](void* Record) {
        auto& record = *static_cast<OPENFILENAMEA*>(Record);
        SetCurrentDirectoryA(folder.path().c_str());
        record.lpfnHook(hook, WM_INITDIALOG, 0, 0);
        shownWindow = KEvent::getCommonDialogWindow();
        menuBarEnabled = KMenuManager::getMenuManager().getManagerFlags() & KMenuManager::EnabledFlag;
        return false;
    };
    setCommonDialogAnswersWin32(answers);
    KFileReference ref;
    EXPECT_FALSE(handler().getOpenFile(ref, KBag(), "Open"));
    EXPECT_EQ(currentDirectory(), before);
    // The dialog itself, centred on the screen, was the common-dialog window.
    EXPECT_EQ(shownWindow, dialog);
    EXPECT_EQ(KEvent::getCommonDialogWindow(), nullptr);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    EXPECT_EQ(std::make_pair(frame.left, frame.top),
              std::make_pair((knsGetScreenWidth() - 200) / 2, (knsGetScreenHeight() - 100) / 2));
    EXPECT_FALSE(menuBarEnabled);
    EXPECT_TRUE(KMenuManager::getMenuManager().getManagerFlags() & KMenuManager::EnabledFlag);
    // A framework dialog that is still open keeps the menu bar disabled.
    KWindowPtr modal = new KDialog;
    modal->open(KWindow::OpenHidden);
    handler().getOpenFile(ref, KBag(), "Open");
    EXPECT_FALSE(KMenuManager::getMenuManager().getManagerFlags() & KMenuManager::EnabledFlag);
    modal->close();
    DestroyWindow(dialog);
}

TEST_F(CommonDialogs, TheColourDialogStartsFromTheColourAndKeepsItsCustomColours)
{
    HWND dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 60, nullptr, nullptr, nullptr, nullptr);
    CHOOSECOLORA seenColour{};
    COLORREF customSeen = 0;
    COLORREF answer = 0;
    CommonDialogAnswersWin32 answers;
    answers.chooseColor = [&](void* Record) {
        auto& record = *static_cast<CHOOSECOLORA*>(Record);
        seenColour = record;
        customSeen = record.lpCustColors[3];
        record.lpCustColors[3] = RGB(1, 2, 3);
        record.lpfnHook(dialog, WM_INITDIALOG, 0, 0);
        record.rgbResult = answer;
        return answer != 0;
    };
    setCommonDialogAnswersWin32(answers);
    KColor colour(kRed);
    EXPECT_FALSE(handler().chooseColor(colour));
    EXPECT_EQ(colour, KColor(kRed));
    EXPECT_EQ(seenColour.rgbResult, RGB(255, 0, 0));
    RECT frame{};
    GetWindowRect(dialog, &frame);
    EXPECT_EQ(std::make_pair(frame.left, frame.right - frame.left), std::make_pair((knsGetScreenWidth() - 100) / 2, 100L));

    answer = RGB(0, 0x80, 0xFF);
    EXPECT_TRUE(handler().chooseColor(colour));
    EXPECT_EQ(customSeen, RGB(1, 2, 3));
    EXPECT_EQ(colour.getNativeColor(), answer);
    // The hook keeps the dialog on top unless the move leaves the order alone.
    WINDOWPOS moves[2] = {{nullptr, HWND_BOTTOM, 0, 0, 0, 0, 0}, {nullptr, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOZORDER}};
    for (WINDOWPOS& move : moves)
        seenColour.lpfnHook(dialog, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&move));
    EXPECT_EQ(moves[0].hwndInsertAfter, HWND_TOP);
    EXPECT_EQ(moves[1].hwndInsertAfter, HWND_BOTTOM);
    DestroyWindow(dialog);
}

TEST_F(CommonDialogs, AChosenFolderEndsWithASeparatorAndOneWithoutAPathIsRefused)
{
    std::function<LPITEMIDLIST()> pick;
    CommonDialogAnswersWin32 answers;
    answers.browseFolder = [&](void*) { return static_cast<void*>(pick()); };
    setCommonDialogAnswersWin32(answers);
    KDirectory directory;
    pick = [&] { return ILCreateFromPathA(folder.path().c_str()); };
    EXPECT_TRUE(handler().chooseFolder(directory, "Choose"));
    EXPECT_EQ(pathOf(directory), folder.path() + "\\");

    pick = [] {
        LPITEMIDLIST computer = nullptr;
        SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
        return computer;
    };
    EXPECT_FALSE(handler().chooseFolder(directory, "Choose"));
    pick = [] { return LPITEMIDLIST(); };
    EXPECT_FALSE(handler().chooseFolder(directory, "Choose"));
    EXPECT_EQ(pathOf(directory), folder.path() + "\\");
}

TEST(DialogHandler, LivesWithTheApplicationsSingletons)
{
    ApplicationScope<> application;
    application->createSingletons();
    EXPECT_TRUE(KDialogHandler::exists());
    application->destroySingletons();
    EXPECT_FALSE(KDialogHandler::exists());
}

} // namespace
