#pragma once
// The Speech API 4 text-to-speech interfaces that the SAPI 4 layer calls and implements,
// declared here because the platform headers do not carry them: the ANSI variants, with
// their methods in the published slot order and the records they exchange. Only the
// Win32 layer and its notification sinks include this.
#include <windows.h>
#include <objbase.h>

using QWORD = unsigned __int64;

constexpr size_t kTtsNameLength = 262;
constexpr size_t kTtsDialectLength = 64;

struct TTSLANGUAGEA {
    LANGID LanguageID;
    char szDialect[kTtsDialectLength];
};

// A mode of an engine: one voice in one language and style.
struct TTSMODEINFOA {
    GUID gEngineID;
    char szMfgName[kTtsNameLength];
    char szProductName[kTtsNameLength];
    GUID gModeID;
    char szModeName[kTtsNameLength];
    TTSLANGUAGEA language;
    char szSpeaker[kTtsNameLength];
    char szStyle[kTtsNameLength];
    WORD wGender;
    WORD wAge;
    DWORD dwFeatures;
    DWORD dwInterfaces;
    DWORD dwEngineFeatures;
};

struct TTSMODEINFORANK;
struct TTSMOUTH;

// A block of data handed to the engine: the text with its terminating zero.
struct SDATA {
    void* pData;
    DWORD dwSize;
};

enum VOICECHARSET : DWORD {
    CHARSET_TEXT = 0,
    CHARSET_IPAPHONETIC = 1,
    CHARSET_ENGINEPHONETIC = 2,
};

constexpr DWORD TTSFEATURE_VISUAL = 0x40;

struct ITTSCentralA;

struct ITTSEnumA : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG Count, TTSMODEINFOA* Modes, ULONG* Fetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE Skip(ULONG Count) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(ITTSEnumA** Clone) = 0;
    virtual HRESULT STDMETHODCALLTYPE Select(GUID ModeID, ITTSCentralA** Central, IUnknown* AudioDestination) = 0;
};

struct ITTSFindA : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Find(TTSMODEINFOA* Wanted, TTSMODEINFORANK* Ranking, TTSMODEINFOA* Found) = 0;
    virtual HRESULT STDMETHODCALLTYPE Select(GUID ModeID, ITTSCentralA** Central, IUnknown* AudioDestination) = 0;
};

struct ITTSCentralA : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Inject(const char* Tag) = 0;
    virtual HRESULT STDMETHODCALLTYPE ModeGet(TTSMODEINFOA* Mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE Phoneme(VOICECHARSET Set, DWORD Flags, SDATA Text, SDATA* Phonemes) = 0;
    virtual HRESULT STDMETHODCALLTYPE PosnGet(QWORD* Position) = 0;
    virtual HRESULT STDMETHODCALLTYPE TextData(VOICECHARSET Set, DWORD Flags, SDATA Text, void* NotifySink,
                                               IID NotifyInterface) = 0;
    virtual HRESULT STDMETHODCALLTYPE ToFileTime(QWORD* Position, FILETIME* Time) = 0;
    virtual HRESULT STDMETHODCALLTYPE AudioPause() = 0;
    virtual HRESULT STDMETHODCALLTYPE AudioResume() = 0;
    virtual HRESULT STDMETHODCALLTYPE AudioReset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Register(void* NotifySink, IID NotifyInterface, DWORD* Key) = 0;
    virtual HRESULT STDMETHODCALLTYPE UnRegister(DWORD Key) = 0;
};

struct ITTSAttributesA : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE PitchGet(WORD* Pitch) = 0;
    virtual HRESULT STDMETHODCALLTYPE PitchSet(WORD Pitch) = 0;
    virtual HRESULT STDMETHODCALLTYPE RealTimeGet(DWORD* RealTime) = 0;
    virtual HRESULT STDMETHODCALLTYPE RealTimeSet(DWORD RealTime) = 0;
    virtual HRESULT STDMETHODCALLTYPE SpeedGet(DWORD* Speed) = 0;
    virtual HRESULT STDMETHODCALLTYPE SpeedSet(DWORD Speed) = 0;
    virtual HRESULT STDMETHODCALLTYPE VolumeGet(DWORD* Volume) = 0;
    virtual HRESULT STDMETHODCALLTYPE VolumeSet(DWORD Volume) = 0;
};

// The engine's news of its audio, which the program implements.
struct ITTSNotifySinkA : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE AttribChanged(DWORD Attribute) = 0;
    virtual HRESULT STDMETHODCALLTYPE AudioStart(QWORD Time) = 0;
    virtual HRESULT STDMETHODCALLTYPE AudioStop(QWORD Time) = 0;
    virtual HRESULT STDMETHODCALLTYPE Visual(QWORD Time, char IPAPhoneme, char EnginePhoneme, DWORD Hints,
                                             TTSMOUTH* Mouth) = 0;
};

// The engine's news of one text it speaks, which the program implements.
struct ITTSBufNotifySink : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE TextDataDone(QWORD Time, DWORD Flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE TextDataStarted(QWORD Time) = 0;
    virtual HRESULT STDMETHODCALLTYPE BookMark(QWORD Time, DWORD Mark) = 0;
    virtual HRESULT STDMETHODCALLTYPE WordPosition(QWORD Time, DWORD Offset) = 0;
};

// The published class and interface identifiers.
constexpr GUID kClsidTtsEnumerator = {0xD67C0280, 0xC743, 0x11CD, {0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50}};
constexpr GUID kClsidMMAudioDest = {0xCB96B400, 0xC743, 0x11CD, {0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50}};
constexpr GUID kIidTtsEnumA = {0x05EB6C6D, 0xDBAB, 0x11CD, {0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F}};
constexpr GUID kIidTtsFindA = {0x05EB6C6E, 0xDBAB, 0x11CD, {0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F}};
constexpr GUID kIidTtsCentralA = {0x05EB6C6A, 0xDBAB, 0x11CD, {0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F}};
constexpr GUID kIidTtsAttributesA = {0x0FD6E2A1, 0xE77D, 0x11CD, {0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F}};
constexpr GUID kIidTtsNotifySinkA = {0x05EB6C6F, 0xDBAB, 0x11CD, {0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F}};
constexpr GUID kIidTtsBufNotifySink = {0xE4963D40, 0xC743, 0x11CD, {0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50}};
