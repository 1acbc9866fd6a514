#include "application/CommonDialogsWin32.h"

#include "application/KEvent.h"
#include "application/MacStyleMenuBarWin32.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KernelFunctions.h"

#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

// The hook procedures keep the names the platform's records know them by.
UINT_PTR CALLBACK OpenFileHookWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
UINT_PTR CALLBACK SaveFileHookWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
UINT_PTR CALLBACK ChooseColorHookWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
int CALLBACK BrowseFolderCallbackWin32(HWND Window, UINT Message, LPARAM LParam, LPARAM Data);

namespace {
// The record without the fields Windows 2000 added.
constexpr DWORD kFileRecordSize = 76;
// OFN_ENABLESIZING, OFN_EXPLORER, OFN_NOTESTFILECREATE, OFN_FILEMUSTEXIST,
// OFN_ENABLEHOOK, OFN_HIDEREADONLY.
constexpr DWORD kOpenFlags = 0x891024;
// OFN_ENABLESIZING, OFN_EXPLORER, OFN_NOTESTFILECREATE, OFN_ENABLEHOOK,
// OFN_HIDEREADONLY, OFN_OVERWRITEPROMPT.
constexpr DWORD kSaveFlags = 0x890026;
constexpr DWORD kColorRecordSize = 36;
// CC_RGBINIT, CC_ENABLEHOOK, CC_ANYCOLOR.
constexpr DWORD kColorFlags = 0x111;
// BIF_NEWDIALOGSTYLE, BIF_RETURNFSANCESTORS, BIF_RETURNONLYFSDIRS.
constexpr UINT kFolderFlags = 0x49;
constexpr uint8 kFirstNTVersion = 15;

CommonDialogAnswersWin32 s_answers;
COLORREF s_customColors[16] = {};

void recordDialog(HWND Dialog) { KEvent::setCommonDialogWindow(Dialog); }

// The dialog comes up centred on the screen.
KGraphicRectangle centredOnScreen(HWND Dialog)
{
    RECT frame{};
    GetWindowRect(Dialog, &frame);
    KGraphicRectangle rectangle;
    rectangle.fromNativeRect(frame);
    rectangle.centerIn(KGraphicRectangle(0, 0, static_cast<short>(knsGetScreenWidth()),
                                         static_cast<short>(knsGetScreenHeight())));
    return rectangle;
}

void keepOnTop(LPARAM LParam)
{
    auto* position = reinterpret_cast<WINDOWPOS*>(LParam);
    if (!(position->flags & SWP_NOZORDER))
        position->hwndInsertAfter = HWND_TOP;
}

// The hook of an Explorer-style file dialog lives in a child of the dialog.
UINT_PTR fileHook(HWND Window, UINT Message, LPARAM LParam)
{
    HWND dialog = GetParent(Window);
    // The dialog's own window, not the hook's child: the stacking rules place it among
    // top-level windows.
    recordDialog(dialog ? dialog : Window);
    if (Message == WM_WINDOWPOSCHANGING)
        keepOnTop(LParam);
    else if (Message == WM_INITDIALOG && dialog) {
        const KGraphicRectangle centred = centredOnScreen(dialog);
        MoveWindow(dialog, centred.getH(), centred.getV(), centred.getWidth(), centred.getHeight(), TRUE);
        BringWindowToTop(dialog);
    }
    return 0;
}

// Forgets the dialog; on the Windows 9x family the separate menu-bar window comes back
// on top.
void endCommonDialog()
{
    KEvent::setCommonDialogWindow(nullptr);
    if (knsGetOSVersion() >= kFirstNTVersion || !isMacStyleMenuBarShownWin32())
        return;
    if (void* menuBar = getMacStyleMenuBarWindowWin32())
        BringWindowToTop(static_cast<HWND>(menuBar));
}

bool runFileDialog(FileDialogRequestWin32& Request, bool Save)
{
    char saved[kFileNameBufferSize] = {};
    const DWORD savedLength = GetCurrentDirectoryA(sizeof saved, saved);
    OPENFILENAMEA record{};
    record.lStructSize = kFileRecordSize;
    record.hwndOwner = static_cast<HWND>(Request.owner);
    record.lpstrFilter = Request.filter;
    record.nFilterIndex = 1;
    record.lpstrFile = Request.fileName;
    record.nMaxFile = kFileNameBufferSize - 1;
    record.lpstrInitialDir = Request.initialDirectory;
    record.lpstrTitle = Request.title;
    record.Flags = Save ? kSaveFlags : kOpenFlags;
    record.lpstrDefExt = Request.defaultExtension;
    record.lpfnHook = Save ? &SaveFileHookWin32 : &OpenFileHookWin32;
    const auto& answer = Save ? s_answers.saveFile : s_answers.openFile;
    bool chosen = false;
    if (answer)
        chosen = answer(&record);
    else
        chosen = (Save ? GetSaveFileNameA(&record) : GetOpenFileNameA(&record)) != FALSE;
    endCommonDialog();
    if (savedLength > 0 && savedLength < sizeof saved)
        SetCurrentDirectoryA(saved);
    Request.fileName[kFileNameBufferSize - 1] = 0;
    return chosen;
}
} // namespace

UINT_PTR CALLBACK OpenFileHookWin32(HWND Window, UINT Message, WPARAM, LPARAM LParam)
{
    return fileHook(Window, Message, LParam);
}

UINT_PTR CALLBACK SaveFileHookWin32(HWND Window, UINT Message, WPARAM, LPARAM LParam)
{
    return fileHook(Window, Message, LParam);
}

UINT_PTR CALLBACK ChooseColorHookWin32(HWND Window, UINT Message, WPARAM, LPARAM LParam)
{
    recordDialog(Window);
    if (Message == WM_WINDOWPOSCHANGING) {
        keepOnTop(LParam);
    } else if (Message == WM_INITDIALOG) {
        const KGraphicRectangle centred = centredOnScreen(Window);
        SetWindowPos(Window, nullptr, centred.getH(), centred.getV(), 0, 0, SWP_NOSIZE);
        return 1;
    }
    return 0;
}

int CALLBACK BrowseFolderCallbackWin32(HWND Window, UINT, LPARAM, LPARAM)
{
    recordDialog(Window);
    return 0;
}

bool runOpenFileDialogWin32(FileDialogRequestWin32& Request) { return runFileDialog(Request, false); }
bool runSaveFileDialogWin32(FileDialogRequestWin32& Request) { return runFileDialog(Request, true); }

bool runColorDialogWin32(void* Owner, uint32& Color)
{
    CHOOSECOLORA record{};
    record.lStructSize = kColorRecordSize;
    record.hwndOwner = static_cast<HWND>(Owner);
    record.rgbResult = Color;
    record.lpCustColors = s_customColors;
    record.Flags = kColorFlags;
    record.lpfnHook = &ChooseColorHookWin32;
    const bool chosen = s_answers.chooseColor ? s_answers.chooseColor(&record) : ChooseColorA(&record) != FALSE;
    endCommonDialog();
    if (chosen)
        Color = record.rgbResult;
    return chosen;
}

bool runFolderDialogWin32(const char* Title, std::string& Path)
{
    char displayName[MAX_PATH] = {};
    BROWSEINFOA record{};
    record.hwndOwner = GetActiveWindow();
    record.pszDisplayName = displayName;
    record.lpszTitle = Title;
    record.ulFlags = kFolderFlags;
    record.lpfn = &BrowseFolderCallbackWin32;
    auto* items = static_cast<LPITEMIDLIST>(s_answers.browseFolder ? s_answers.browseFolder(&record)
                                                                    : SHBrowseForFolderA(&record));
    endCommonDialog();
    if (!items)
        return false;
    char path[MAX_PATH] = {};
    const bool read = SHGetPathFromIDListA(items, path) != FALSE;
    IMalloc* shellMemory = nullptr;
    if (SUCCEEDED(SHGetMalloc(&shellMemory)) && shellMemory) {
        shellMemory->Free(items);
        shellMemory->Release();
    }
    if (!read)
        return false;
    Path = path;
    return true;
}

void* getActiveWindowWin32() { return GetActiveWindow(); }

void setCommonDialogAnswersWin32(const CommonDialogAnswersWin32& Answers) { s_answers = Answers; }
