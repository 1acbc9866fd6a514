#include "tests/robustness/RunnerEnvironment.h"

#include "application/ApplicationStart.h"
#include "controls/ControlsStart.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/KMultiMediaLibrary.h"
#include "player/LumoApplication.h"
#include "speechextras/KSpeechExtrasLibrary.h"
#include "tests/robustness/SharedProgress.h"
#include "tools/KToolsLibrary.h"

#include <cstdio>

#include <windows.h>

namespace {
SharedProgress* s_progress = nullptr;
std::string s_lastMessage;

// The return addresses up the frame-pointer chain.
std::string callerChain()
{
    std::string chain;
    char address[16];
    void** frame = static_cast<void**>(__builtin_frame_address(0));
    for (int depth = 0; depth < 24 && frame && frame[1]; ++depth) {
        std::snprintf(address, sizeof address, "%p ", frame[1]);
        chain += address;
        frame = static_cast<void**>(frame[0]);
    }
    return chain;
}

int answerBox(const char* Caption, const char* Text, unsigned Flags)
{
    const bool stop = (Flags & MB_ICONMASK) == MB_ICONHAND;
    s_lastMessage = std::string(stop ? "stop box " : "") + (Caption ? Caption : "")
                  + ": " + (Text ? Text : "");
    if (s_progress) {
        s_progress->setMessage(s_lastMessage);
        s_progress->setWhere(stop ? callerChain() : "");
    } else if (stop) {
        std::fprintf(stderr, "robustness_runner: %s (called from %s)\n", s_lastMessage.c_str(), callerChain().c_str());
    }
    return IDOK;
}
} // namespace

void keepMessagesIn(SharedProgress* Progress) { s_progress = Progress; }

std::string lastMessage() { return s_lastMessage; }

void enterProgramEnvironment()
{
    kksInstallApplicationLayer();
    knsEnterKernel();
    knsSetMessageBoxPresenter(&answerBox);
    kksInstallControlsLayer();
    // The player's start: its application object registers the framework's classes, then
    // the libraries' and its own; its start hook adds the old format's.
    LumoApplication::createApplication();
    LumoApplication::registerOldDocumentClasses();
    // What the application's run makes before the start hook: the managers, the file
    // system and the dialog handler.
    LumoApplication::getApplication().createSingletons();
    // The libraries' objects: their global supports, the media manager, the exceptions.
    KToolsLibrary::openToolsLibrary();
    KMultiMediaLibrary::create();
    KSpeechExtrasLibrary::create();
    KMediaManager::initMediaSupport(KMediaManager::AllSupports);
    KFileTypeHandler::makeAssociation(KString("TPD"), KString("NRAX"), KString("LUMP"), KString("Narrabo Document"));
    KFileTypeHandler::makeAssociation(KString("LMT"), KString("LUMP"), KString("LTAP"), KString("Narrabo Document"));
    LumoApplication::getApplication().setActorFileType(
        KFileTypeHandler::makeAssociation(KString("ACT"), KString("NRAX"), KString("NRXA"), KString("Narrabo Actor")));
}
