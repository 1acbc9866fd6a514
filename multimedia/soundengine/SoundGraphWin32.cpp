#include "multimedia/soundengine/SoundGraphWin32.h"

#include "multimedia/MediaContainerWin32.h"

#include <dshow.h>

namespace {
template <typename Interface>
void releaseInterface(Interface*& P)
{
    if (P) {
        P->Release();
        P = nullptr;
    }
}
} // namespace

long renderSoundFileWin32(KSoundGraphRecord& Record, const char* Path)
{
    WCHAR widePath[MAX_PATH] = {};
    // A path that does not fit is not cut short: it is not the file that was asked for.
    if (MultiByteToWideChar(CP_ACP, 0, Path, -1, widePath, MAX_PATH) == 0)
        return E_INVALIDARG;
    // A known form without its content is refused before the graph tries parsers on it:
    // one that fails while its pipeline starts can leave the render waiting for good.
    if (identifyMediaFileWin32(widePath) == MediaContainer::Broken)
        return VFW_E_INVALID_FILE_FORMAT;
    HRESULT result = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                      reinterpret_cast<void**>(&Record.graph));
    if (FAILED(result)) {
        Record.graph = nullptr;
        return result;
    }
    result = Record.graph->RenderFile(widePath, nullptr);
    if (FAILED(result))
        return result;
    result = Record.graph->SetDefaultSyncSource();
    if (FAILED(result))
        return result;
    IMediaControl* control = nullptr;
    result = Record.graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
    if (FAILED(result))
        return result;
    control->Release();
    acquireGraphPositionWin32(Record);
    return S_OK;
}

void releaseSoundGraphWin32(KSoundGraphRecord& Record)
{
    releaseInterface(Record.position);
    releaseInterface(Record.control);
    releaseInterface(Record.graph);
}

bool acquireGraphControlWin32(KSoundGraphRecord& Record)
{
    if (!Record.control && Record.graph
        && FAILED(Record.graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&Record.control))))
        Record.control = nullptr;
    return Record.control != nullptr;
}

bool acquireGraphPositionWin32(KSoundGraphRecord& Record)
{
    if (!Record.position && Record.graph
        && FAILED(Record.graph->QueryInterface(IID_IMediaPosition, reinterpret_cast<void**>(&Record.position))))
        Record.position = nullptr;
    return Record.position != nullptr;
}

bool playSoundGraphWin32(KSoundGraphRecord& Record)
{
    if (!acquireGraphControlWin32(Record))
        return false;
    Record.control->Stop();
    return SUCCEEDED(Record.control->Run());
}

bool resumeSoundGraphWin32(KSoundGraphRecord& Record)
{
    if (!acquireGraphControlWin32(Record))
        return false;
    Record.control->Run();
    return true;
}

bool pauseSoundGraphWin32(KSoundGraphRecord& Record)
{
    if (!acquireGraphControlWin32(Record))
        return false;
    Record.control->Pause();
    return true;
}

bool stopSoundGraphWin32(KSoundGraphRecord& Record)
{
    if (!acquireGraphControlWin32(Record))
        return false;
    Record.control->Stop();
    return true;
}

namespace {
template <typename Setter>
bool withBasicAudio(KSoundGraphRecord& Record, Setter Set)
{
    IBasicAudio* audio = nullptr;
    if (!Record.graph || FAILED(Record.graph->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio))))
        return false;
    Set(*audio);
    audio->Release();
    return true;
}
} // namespace

bool setSoundGraphVolumeWin32(KSoundGraphRecord& Record, long Level)
{
    return withBasicAudio(Record, [Level](IBasicAudio& Audio) { Audio.put_Volume(Level); });
}

bool setSoundGraphBalanceWin32(KSoundGraphRecord& Record, long Balance)
{
    return withBasicAudio(Record, [Balance](IBasicAudio& Audio) { Audio.put_Balance(Balance); });
}

double getSoundGraphDurationWin32(KSoundGraphRecord& Record)
{
    REFTIME duration = 0.0;
    if (!acquireGraphPositionWin32(Record) || FAILED(Record.position->get_Duration(&duration)))
        return 0.0;
    return duration;
}

bool isSoundGraphDoneWin32(KSoundGraphRecord& Record)
{
    REFTIME duration = 0.0;
    REFTIME position = 0.0;
    if (!acquireGraphPositionWin32(Record) || FAILED(Record.position->get_Duration(&duration))
        || FAILED(Record.position->get_CurrentPosition(&position)))
        return true;
    if (position > 0.0)
        Record.positionSeen = 1;
    return position >= duration || (position == 0.0 && Record.positionSeen);
}
