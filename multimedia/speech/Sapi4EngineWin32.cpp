#include "multimedia/speech/Sapi4EngineWin32.h"

#include "foundation/KStringBag.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/speech/KTtsBufNotifySink.h"
#include "multimedia/speech/KTtsNotifySink.h"
#include "multimedia/speech/SpeechObjectsWin32.h"
#include "multimedia/speech/SpokenWord.h"

#include <cstring>

namespace {
constexpr DWORD kAllContexts = 7;
constexpr DWORD kInProcessContext = 1;
// A destination that never reaches 0 must not hold shutdown for ever.
constexpr int kMaxAudioReleases = 64;

struct Sapi4Layer {
    uint8 state = kSapi4NoEngine;
    char text[kSapi4MaxTextLength + 1] = {};
    SDATA textData = {};
    long wordStart = 0;
    long wordLength = 0;
    bool pendingPause = false;
    bool forceReselect = false;
    bool defaultSpeed = true;
    long storedSpeed = 0;
    bool probed = false;
    bool available = false;
    DWORD classContext = kAllContexts;
    bool listed = false;
    GUID modes[kSapi4MaxModes] = {};
    long modeCount = 0;
    GUID currentMode = {};
    IUnknown* audio = nullptr;
    ITTSCentralA* central = nullptr;
    ITTSAttributesA* attributes = nullptr;
    DWORD sinkKey = 0;
};

Sapi4Layer& layer()
{
    static Sapi4Layer state;
    return state;
}

KStringBag& modeNames()
{
    static KStringBag names;
    return names;
}

KString& currentVoiceName()
{
    static KString name;
    return name;
}

KTtsNotifySink s_engineSink;
KTtsBufNotifySink s_bufferSink;

// One waiting message handled; a quit request found on the way is put back for the main
// loop, which must still see it.
bool pumpOneMessage()
{
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void pumpWaitingMessages()
{
    while (pumpOneMessage()) {
    }
}

// Created with the layer's class context, falling back for good to an in-process server
// when the wider context fails.
template <typename Interface>
Interface* createEnumerator(const GUID& InterfaceID)
{
    Sapi4Layer& s = layer();
    Interface* object = nullptr;
    if (FAILED(kssCreateSpeechObject(kClsidTtsEnumerator, s.classContext, InterfaceID,
                                     reinterpret_cast<void**>(&object))) ||
        !object) {
        s.classContext = kInProcessContext;
        object = nullptr;
        if (FAILED(kssCreateSpeechObject(kClsidTtsEnumerator, s.classContext, InterfaceID,
                                         reinterpret_cast<void**>(&object))))
            object = nullptr;
    }
    return object;
}

SDATA textBlock(const char* Text, DWORD Size)
{
    SDATA data;
    data.pData = const_cast<char*>(Text);
    data.dwSize = Size;
    return data;
}

// The engine's names are fixed-size fields that need not end in a zero.
KString modeName(const TTSMODEINFOA& Mode)
{
    char name[kTtsNameLength + 1] = {};
    std::memcpy(name, Mode.szModeName, kTtsNameLength);
    return KString(name);
}

void releaseEngine()
{
    Sapi4Layer& s = layer();
    if (s.central) {
        s.central->AudioReset();
        s.central->UnRegister(s.sinkKey);
    }
    if (s.attributes)
        s.attributes->Release();
    s.attributes = nullptr;
    if (s.central)
        s.central->Release();
    s.central = nullptr;
    pumpWaitingMessages();
    if (s.audio) {
        for (int i = 0; i < kMaxAudioReleases && s.audio->Release() != 0; ++i) {
        }
        s.audio = nullptr;
    }
}

// Waits for the warm-up blank to end, handling one message per pass; an engine that does
// not answer in time is taken as ready.
void awaitWarmUp(uint32 Start)
{
    Sapi4Layer& s = layer();
    while (s.state == kSapi4Selecting) {
        pumpOneMessage();
        if (knsGetTicks() - Start > kSapi4WarmUpMs) {
            s.state = kSapi4Idle;
            return;
        }
    }
}

long bringEngineUp(GUID& Mode)
{
    Sapi4Layer& s = layer();
    s.state = kSapi4Selecting;
    HRESULT result = kssCreateSpeechObject(kClsidMMAudioDest, s.classContext, IID_IUnknown,
                                           reinterpret_cast<void**>(&s.audio));
    if (FAILED(result) || !s.audio) {
        s.audio = nullptr;
        return FAILED(result) ? result : E_FAIL;
    }
    TTSMODEINFOA wanted{};
    wanted.gModeID = Mode;
    wanted.dwFeatures = TTSFEATURE_VISUAL;
    ITTSFindA* finder = nullptr;
    result = kssCreateSpeechObject(kClsidTtsEnumerator, s.classContext, kIidTtsFindA,
                                   reinterpret_cast<void**>(&finder));
    if (FAILED(result) || !finder)
        return FAILED(result) ? result : E_FAIL;
    TTSMODEINFOA found{};
    result = finder->Find(&wanted, nullptr, &found);
    if (result != S_OK) {
        finder->Release();
        return result;
    }
    Mode = found.gModeID;
    // The engine keeps a reference of its own to the destination.
    s.audio->AddRef();
    if (FAILED(finder->Select(found.gModeID, &s.central, s.audio)) || !s.central) {
        s.central = nullptr;
        finder->Release();
        s.audio->Release();
        return 0;
    }
    finder->Release();
    if (FAILED(s.central->QueryInterface(kIidTtsAttributesA, reinterpret_cast<void**>(&s.attributes))))
        s.attributes = nullptr;
    s.central->Register(static_cast<ITTSNotifySinkA*>(&s_engineSink), kIidTtsNotifySinkA, &s.sinkKey);

    s.state = kSapi4Selecting;
    const uint32 start = knsGetTicks();
    s.central->TextData(CHARSET_TEXT, 0, textBlock(" ", 2), nullptr, kIidTtsBufNotifySink);
    if (!s.defaultSpeed)
        kssSapi4SetSpeed(static_cast<int16>(s.storedSpeed));
    awaitWarmUp(start);
    return 0;
}

int16 percentInRange(int16 Percent) { return Percent < 0 ? 0 : (Percent > 100 ? 100 : Percent); }

// Reads the engine's lowest and highest value of an attribute by setting the extremes.
template <typename Set, typename Get>
bool readRange(Set SetValue, Get GetValue, DWORD& Minimum, DWORD& Maximum)
{
    return SUCCEEDED(SetValue(0)) && SUCCEEDED(GetValue(&Minimum)) && SUCCEEDED(SetValue(0xFFFFFFFF)) &&
        SUCCEEDED(GetValue(&Maximum));
}
} // namespace

bool kssSapi4IsAvailable()
{
    Sapi4Layer& s = layer();
    if (s.probed)
        return s.available;
    s.probed = true;
    s.available = false;
    ITTSEnumA* enumerator = createEnumerator<ITTSEnumA>(kIidTtsEnumA);
    if (!enumerator)
        return false;
    if (SUCCEEDED(enumerator->Reset())) {
        TTSMODEINFOA mode{};
        ULONG fetched = 0;
        s.available = SUCCEEDED(enumerator->Next(1, &mode, &fetched)) && fetched == 1;
    }
    enumerator->Release();
    return s.available;
}

bool kssSapi4VoicesListed() { return layer().listed; }

bool kssSapi4ListVoices()
{
    if (!kssSapi4IsAvailable())
        return false;
    Sapi4Layer& s = layer();
    if (s.listed)
        return true;
    s.classContext = kAllContexts;
    ITTSEnumA* enumerator = createEnumerator<ITTSEnumA>(kIidTtsEnumA);
    // The engine that answered the probe has gone: nothing is listed, and a later call
    // tries again.
    if (!enumerator)
        return false;
    TTSMODEINFOA mode{};
    ULONG fetched = 0;
    while (s.modeCount < kSapi4MaxModes && enumerator->Next(1, &mode, &fetched) == S_OK && fetched == 1) {
        s.modes[s.modeCount++] = mode.gModeID;
        modeNames().add(modeName(mode));
        fetched = 0;
    }
    enumerator->Release();
    s.listed = true;
    return true;
}

bool kssSapi4GetVoices(KBag& Names)
{
    if (!kssSapi4IsAvailable())
        return false;
    if (!layer().listed && !kssSapi4ListVoices())
        return false;
    const KStringBag& names = modeNames();
    for (long i = 0; i < names.getCount(); ++i)
        Names.add(names[i]);
    return true;
}

long kssSapi4SelectMode(GUID* Mode)
{
    releaseEngine();
    layer().state = kSapi4NoEngine;
    if (!Mode)
        return 0;
    return bringEngineUp(*Mode);
}

void kssSapi4Shutdown() { kssSapi4SelectMode(nullptr); }

bool kssSapi4SelectVoice(const KString& Name)
{
    Sapi4Layer& s = layer();
    KString& current = currentVoiceName();
    if (!s.forceReselect && Name == current && s.state != kSapi4NoEngine)
        return true;
    long index = -1;
    if (!modeNames().find(Name, index) || index < 0 || index >= s.modeCount)
        return false;
    const KString name = Name;
    s.currentMode = s.modes[index];
    kssSapi4SelectMode(&s.currentMode);
    current = name;
    return true;
}

void kssSapi4Reset()
{
    Sapi4Layer& s = layer();
    s.state = kSapi4Idle;
    s.pendingPause = false;
    kssSapi4SelectMode(nullptr);
    currentVoiceName().clear();
    s.forceReselect = false;
}

void kssSapi4Speak(const KString& Text)
{
    Sapi4Layer& s = layer();
    if (!s.central) {
        s.state = kSapi4Idle;
        return;
    }
    if (s.state == kSapi4Speaking) {
        kssSapi4Stop();
        s.forceReselect = true;
    }
    if (s.forceReselect) {
        kssSapi4SelectVoice(KString(currentVoiceName()));
        s.forceReselect = false;
        // The engine may not have come up again.
        if (!s.central) {
            s.state = kSapi4Idle;
            return;
        }
    }
    const long length = Text.getLength() < kSapi4MaxTextLength ? Text.getLength() : kSapi4MaxTextLength;
    std::memcpy(s.text, Text.getText(), static_cast<size_t>(length));
    s.text[length] = '\0';
    s.textData = textBlock(s.text, static_cast<DWORD>(length + 1));
    s.state = kSapi4SpeakRequested;
    s.wordStart = 0;
    s.wordLength = length;
    for (long i = 0; i < length; ++i) {
        if (s.text[i] == ' ' || s.text[i] == '\n') {
            s.wordLength = i;
            break;
        }
    }
    // A text the engine refused will never start: it must not count as being spoken.
    if (FAILED(s.central->TextData(CHARSET_TEXT, 0, s.textData, static_cast<ITTSBufNotifySink*>(&s_bufferSink),
                                   kIidTtsBufNotifySink)))
        s.state = kSapi4Idle;
}

void kssSapi4Stop()
{
    Sapi4Layer& s = layer();
    s.state = kSapi4Idle;
    if (s.central)
        s.central->AudioReset();
}

void kssSapi4Pause()
{
    Sapi4Layer& s = layer();
    if (s.state == kSapi4SpeakRequested) {
        s.pendingPause = true;
    } else if (s.state == kSapi4Speaking) {
        if (s.central)
            s.central->AudioPause();
        s.state = kSapi4Paused;
    }
}

void kssSapi4Resume()
{
    Sapi4Layer& s = layer();
    if (s.state != kSapi4Paused)
        return;
    if (s.central)
        s.central->AudioResume();
    s.state = kSapi4Speaking;
}

bool kssSapi4IsSpeaking()
{
    const uint8 state = layer().state;
    return state == kSapi4SpeakRequested || state == kSapi4Speaking;
}

void kssSapi4Poll() {}

long kssSapi4GetWordStart() { return layer().wordStart; }
long kssSapi4GetWordLength() { return layer().wordLength; }
uint8 kssSapi4GetState() { return layer().state; }

void kssSapi4SetVolume(int16 Percent)
{
    Sapi4Layer& s = layer();
    if (Percent == 100 || !s.attributes)
        return;
    const DWORD percent = static_cast<DWORD>(percentInRange(Percent));
    const DWORD level = percent * 65535 / 100;
    const HRESULT result = s.attributes->VolumeSet(level | (level << 16));
    if (result != E_UNEXPECTED)
        return;
    // An engine that takes no stereo level is given one on its own scale.
    ITTSAttributesA* attributes = s.attributes;
    DWORD kept = 0;
    DWORD minimum = 0;
    DWORD maximum = 0;
    attributes->VolumeGet(&kept);
    const bool ranged = readRange([attributes](DWORD V) { return attributes->VolumeSet(V); },
                                  [attributes](DWORD* V) { return attributes->VolumeGet(V); }, minimum, maximum);
    if (!ranged || minimum >= maximum) {
        attributes->VolumeSet(kept);
        return;
    }
    attributes->VolumeSet(minimum + static_cast<DWORD>(static_cast<uint64_t>(maximum - minimum) * percent / 100));
}

void kssSapi4SetSpeed(int16 Percent)
{
    Sapi4Layer& s = layer();
    if (Percent == 50) {
        s.defaultSpeed = true;
        if (s.storedSpeed != 50 && s.attributes)
            s.forceReselect = true;
        s.storedSpeed = 50;
        return;
    }
    s.defaultSpeed = false;
    s.forceReselect = false;
    const int16 percent = percentInRange(Percent);
    if (ITTSAttributesA* attributes = s.attributes) {
        DWORD minimum = 0;
        DWORD maximum = 0;
        if (readRange([attributes](DWORD V) { return attributes->SpeedSet(V); },
                      [attributes](DWORD* V) { return attributes->SpeedGet(V); }, minimum, maximum))
            attributes->SpeedSet(minimum +
                                 static_cast<DWORD>(static_cast<uint64_t>(maximum - minimum) * percent / 100));
    }
    s.storedSpeed = percent;
}

void kssSapi4AudioStarted()
{
    Sapi4Layer& s = layer();
    if (s.state == kSapi4SpeakRequested)
        s.state = kSapi4Speaking;
    if (s.pendingPause) {
        kssSapi4Pause();
        s.pendingPause = false;
    }
}

void kssSapi4AudioStopped()
{
    Sapi4Layer& s = layer();
    if (s.state == kSapi4Selecting)
        s.state = kSapi4WarmedUp;
    else if (s.state == kSapi4Speaking || s.state == kSapi4SpeakRequested)
        s.state = kSapi4Idle;
}

void kssSapi4WordReached(unsigned long Offset)
{
    Sapi4Layer& s = layer();
    const long length = static_cast<long>(std::strlen(s.text));
    // An offset outside the text names no word: nothing past the text is read.
    if (Offset >= static_cast<unsigned long>(length))
        return;
    s.wordStart = static_cast<long>(Offset);
    s.wordLength = kssMeasureSpokenWord(s.text, length, s.wordStart);
}

void kssSapi4ForgetInstallation()
{
    kssSapi4Shutdown();
    layer() = Sapi4Layer();
    modeNames().clear();
    currentVoiceName().clear();
}
