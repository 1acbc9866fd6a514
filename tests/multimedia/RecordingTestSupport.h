#pragma once
// What the recording tests share: WAV files read back, and for the dialogs an application
// with its managers, the media layer and the recorder on the test platform's capture
// device (a PulseAudio null sink's monitor, which records silence), a clock that moves
// when told, and buttons pressed as the user presses them.
#include "controls/KControl.h"
#include "foundation/KFileSystem.h"
#include "foundation/KFileTypeHandler.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/recording/KSoundRecorder.h"
#include "multimedia/soundengine/KSoundSupport.h"
#include "tests/application/InteractionTestSupport.h"
#include "tests/multimedia/MediaTestSupport.h"

#include <fstream>
#include <iterator>

#include <windows.h>

inline Bytes readAll(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A little-endian 32-bit value of a WAV file.
inline uint32 longAt(const Bytes& B, size_t At)
{
    return B[At] | B[At + 1] << 8 | B[At + 2] << 16 | static_cast<uint32>(B[At + 3]) << 24;
}

class RecordingScope : public InteractionScope {
public:
    RecordingScope()
    {
        KFileSystem::initFileSystem();
        if (!KFileTypeHandler::hasExtension(KString("WAV")))
            KFileTypeHandler::makeAssociation(KString("WAV"), KString("TVOD"), KString("WAVE"), KString("WAVE Sound File"));
        KSoundSupport::create();
        KMediaManager::createMediaManager();
        KMediaManager::initMediaSupport(KMediaManager::SoundSupport);
        KSoundRecorder::initialize();
    }
    ~RecordingScope()
    {
        KSoundRecorder::terminate();
        KMediaManager::releaseMediaManager();
        KSoundSupport::release();
        KFileSystem::exitFileSystem();
    }

    // One pass of the application's loop after the clock moved on.
    void step(uint32 Ms = 0)
    {
        clock.advance(Ms);
        KApplication::getApplication()->processIdleOnce();
    }

    DrivenClock clock;
};

inline HWND nativeOf(const KControl& C) { return static_cast<HWND>(C.getNativeWindow()); }

// A click on the button's native window, and the action it posts carried out; a disabled
// button takes no clicks.
inline void press(const KThing& Button)
{
    SendMessageA(nativeOf(static_cast<const KControl&>(Button)), BM_CLICK, 0, 0);
    KApplicationEvent::flushQueue();
}
