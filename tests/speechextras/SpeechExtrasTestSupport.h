#pragma once
// An application with the tools library, whose exceptions file lives in a temporary folder
// standing in for the common application data folder; the library and the handler go
// with it. The exceptions dialogs open hidden, as the tools tests' dialogs do.
#include "multimedia/KSpeechException.h"
#include "multimedia/KSpeechExceptionHandler.h"
#include "multimedia/KSpeechExceptionsFile.h"
#include "speechextras/KSpeechExceptionAddDialog.h"
#include "speechextras/KSpeechExceptionsDialog.h"
#include "speechextras/KSpeechExtrasLibrary.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/tools/ToolsTestSupport.h"

struct ExtrasScope {
    ExtrasScope() { KSpeechExceptionsFile::setDataFolder(KDirectory(windowsPath(folder.path() + "\\"))); }
    ~ExtrasScope()
    {
        KSpeechExtrasLibrary::release();
        KSpeechExceptionHandler::releaseGlobal();
        KSpeechExceptionsFile::setDataFolder(KDirectory());
    }
    std::string exceptionsPath() const { return folder.file("KSpeechExceptions\\KSpeechExceptions.DAT"); }
    // Saves (written, spoken) pairs as the exceptions editor does.
    static bool save(const std::vector<std::pair<const char*, const char*>>& Pairs)
    {
        KBag exceptions;
        for (const auto& pair : Pairs)
            exceptions.add(*KSpeechExceptionPtr(new KSpeechException(KString(pair.first), KString(pair.second))));
        return KSpeechExceptionsFile::write(exceptions);
    }

    TemporaryFolder folder;
    ToolsScope application;
};

// A shown window takes seconds to close under Wine.
class HiddenExceptionsDialog : public KSpeechExceptionsDialog {
protected:
    KSpeechExceptionAddDialog* makeEntryDialog() const override { return new OpenedHidden<KSpeechExceptionAddDialog>; }
    void showDialog() override { KDialog::open(OpenHidden); }
};
