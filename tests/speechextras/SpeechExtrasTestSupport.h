#pragma once
// An application whose exceptions file lives in a temporary folder standing in for the
// common application data folder; the library and the handler go with it.
#include "multimedia/KSpeechException.h"
#include "multimedia/KSpeechExceptionHandler.h"
#include "speechextras/KSpeechExceptionsFile.h"
#include "speechextras/KSpeechExtrasLibrary.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/TemporaryFolder.h"

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
    ApplicationScope<> application;
};
