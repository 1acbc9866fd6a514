#pragma once
// The platform's common dialogs: open file, save file, colour and folder. Each runs
// modally inside the platform's call; while it is up its window is the common-dialog
// window that keeps every framework event from being handled and that the stacking rules
// keep on top. The platform's calls can be replaced by answers, so that tests play the
// user.
#include "foundation/KTypes.h"

#include <functional>
#include <string>

// The file-name buffer of the file dialogs; the last byte stays zero.
constexpr unsigned long kFileNameBufferSize = 261;

// What a file dialog starts from. Null texts are left out.
struct FileDialogRequestWin32 {
    void* owner = nullptr;
    // Pairs of zero-ended texts (a name, a pattern), ended by one more zero.
    const char* filter = nullptr;
    // kFileNameBufferSize bytes: in, the name the dialog starts with; out, the chosen path.
    char* fileName = nullptr;
    const char* initialDirectory = nullptr;
    const char* title = nullptr;
    const char* defaultExtension = nullptr;
};

// True when the user confirmed a choice. The process's current directory is the same
// after the dialog as before, whatever folder the user browsed to.
bool runOpenFileDialogWin32(FileDialogRequestWin32& Request);
bool runSaveFileDialogWin32(FileDialogRequestWin32& Request);
// Color is a native 0x00BBGGRR value, in and out. The custom colours the user defines
// last for the life of the process.
bool runColorDialogWin32(void* Owner, uint32& Color);
// Owned by the active window; the chosen folder's path, false when none was chosen or its
// path could not be read.
bool runFolderDialogWin32(const char* Title, std::string& Path);

void* getActiveWindowWin32();

// The platform calls a test puts in place of the dialogs: each gets the platform's record
// (an OPENFILENAMEA, a CHOOSECOLORA or a BROWSEINFOA) and answers as the call would (the
// folder dialog with a shell item list, or null). An empty answer leaves the platform's
// own call; answers given here stay until they are replaced.
struct CommonDialogAnswersWin32 {
    std::function<bool(void* Record)> openFile;
    std::function<bool(void* Record)> saveFile;
    std::function<bool(void* Record)> chooseColor;
    std::function<void*(void* Record)> browseFolder;
};
void setCommonDialogAnswersWin32(const CommonDialogAnswersWin32& Answers);
