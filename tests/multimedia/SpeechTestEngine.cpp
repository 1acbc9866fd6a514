#include "tests/multimedia/SpeechTestEngine.h"

#include "multimedia/speech/Sapi4Interfaces.h"
#include "multimedia/speech/SpeechObjectsWin32.h"

#include <deque>
#include <sapi.h>
#include <sperror.h>

#define K_FAKE_UNUSED(Name, Parameters) \
    HRESULT STDMETHODCALLTYPE Name Parameters override { return E_NOTIMPL; }

namespace {
TestSpeechEngine* s_engine = nullptr;

void note(const std::string& Call)
{
    if (s_engine)
        s_engine->calls.push_back(Call);
}

void noteListing(const std::string& Call)
{
    if (s_engine)
        s_engine->listingCalls.push_back(Call);
}

std::string narrow(const wchar_t* Text)
{
    std::string out;
    for (; Text && *Text; ++Text)
        out += static_cast<char>(*Text);
    return out;
}

wchar_t* taskCopy(const std::string& Text)
{
    auto* out = static_cast<wchar_t*>(CoTaskMemAlloc((Text.size() + 1) * sizeof(wchar_t)));
    for (size_t i = 0; i <= Text.size(); ++i)
        out[i] = i < Text.size() ? static_cast<wchar_t>(Text[i]) : L'\0';
    return out;
}

// The start of each word of a text: runs of characters other than blanks.
std::vector<DWORD> wordStarts(const std::string& Text)
{
    std::vector<DWORD> starts;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != ' ' && (i == 0 || Text[i - 1] == ' '))
            starts.push_back(static_cast<DWORD>(i));
    }
    return starts;
}

// Counting and the interface queries of a fake with one interface besides IUnknown.
template <typename Interface>
class Fake : public Interface {
public:
    explicit Fake(const GUID& ID) : m_id(ID) {}
    virtual ~Fake() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID ID, void** Out) override
    {
        *Out = nullptr;
        if (ID != IID_IUnknown && ID != m_id)
            return E_NOINTERFACE;
        *Out = this;
        this->AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_count; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG count = --m_count;
        if (count == 0)
            delete this;
        return count;
    }

private:
    GUID m_id;
    ULONG m_count = 1;
};

template <typename Interface>
class FakeDataKey : public Fake<Interface> {
public:
    using Fake<Interface>::Fake;
    K_FAKE_UNUSED(SetData, (LPCWSTR, ULONG, const BYTE*)) K_FAKE_UNUSED(GetData, (LPCWSTR, ULONG*, BYTE*))
    K_FAKE_UNUSED(SetStringValue, (LPCWSTR, LPCWSTR)) K_FAKE_UNUSED(SetDWORD, (LPCWSTR, DWORD))
    K_FAKE_UNUSED(GetDWORD, (LPCWSTR, DWORD*)) K_FAKE_UNUSED(OpenKey, (LPCWSTR, ISpDataKey**))
    K_FAKE_UNUSED(CreateKey, (LPCWSTR, ISpDataKey**)) K_FAKE_UNUSED(DeleteKey, (LPCWSTR))
    K_FAKE_UNUSED(DeleteValue, (LPCWSTR)) K_FAKE_UNUSED(EnumKeys, (ULONG, LPWSTR*))
    K_FAKE_UNUSED(EnumValues, (ULONG, LPWSTR*))
};

class FakeToken : public FakeDataKey<ISpObjectToken> {
public:
    FakeToken(const std::string& Name, TestSpeechEngine::Description D)
        : FakeDataKey(__uuidof(ISpObjectToken)), name(Name), description(D)
    {
    }
    HRESULT STDMETHODCALLTYPE GetStringValue(LPCWSTR ValueName, LPWSTR* Value) override
    {
        *Value = nullptr;
        noteListing("GetStringValue " + (ValueName ? narrow(ValueName) : std::string("(default)")));
        const bool has = ValueName ? description == TestSpeechEngine::InUILanguage
                                   : description != TestSpeechEngine::NoDescription;
        if (!has)
            return SPERR_NOT_FOUND;
        *Value = taskCopy(name);
        return S_OK;
    }
    K_FAKE_UNUSED(SetId, (LPCWSTR, LPCWSTR, WINBOOL)) K_FAKE_UNUSED(GetId, (LPWSTR*))
    K_FAKE_UNUSED(GetCategory, (ISpObjectTokenCategory**))
    K_FAKE_UNUSED(CreateInstance, (IUnknown*, DWORD, REFIID, void**))
    K_FAKE_UNUSED(GetStorageFileName, (REFCLSID, LPCWSTR, LPCWSTR, ULONG, LPWSTR*))
    K_FAKE_UNUSED(RemoveStorageFileName, (REFCLSID, LPCWSTR, WINBOOL)) K_FAKE_UNUSED(Remove, (const CLSID*))
    K_FAKE_UNUSED(IsUISupported, (LPCWSTR, void*, ULONG, IUnknown*, WINBOOL*))
    K_FAKE_UNUSED(DisplayUI, (HWND, LPCWSTR, LPCWSTR, void*, ULONG, IUnknown*))
    K_FAKE_UNUSED(MatchesAttributes, (LPCWSTR, WINBOOL*))

    std::string name;
    TestSpeechEngine::Description description;
};

class FakeTokenList : public Fake<IEnumSpObjectTokens> {
public:
    explicit FakeTokenList(const std::vector<ISpObjectToken*>& Tokens)
        : Fake(__uuidof(IEnumSpObjectTokens)), m_tokens(Tokens)
    {
        for (ISpObjectToken* token : m_tokens)
            token->AddRef();
    }
    ~FakeTokenList() override
    {
        for (ISpObjectToken* token : m_tokens)
            token->Release();
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG, ISpObjectToken** Token, ULONG*) override
    {
        if (m_next >= m_tokens.size())
            return S_FALSE;
        *Token = m_tokens[m_next++];
        (*Token)->AddRef();
        return S_OK;
    }
    K_FAKE_UNUSED(Skip, (ULONG)) K_FAKE_UNUSED(Reset, ()) K_FAKE_UNUSED(Clone, (IEnumSpObjectTokens**))
    K_FAKE_UNUSED(Item, (ULONG, ISpObjectToken**)) K_FAKE_UNUSED(GetCount, (ULONG*))

private:
    std::vector<ISpObjectToken*> m_tokens;
    size_t m_next = 0;
};

class FakeCategory : public FakeDataKey<ISpObjectTokenCategory> {
public:
    FakeCategory() : FakeDataKey(__uuidof(ISpObjectTokenCategory)) {}
    HRESULT STDMETHODCALLTYPE SetId(LPCWSTR ID, WINBOOL Create) override
    {
        noteListing("SetId " + narrow(ID) + (Create ? " create" : ""));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumTokens(LPCWSTR, LPCWSTR, IEnumSpObjectTokens** List) override
    {
        *List = new FakeTokenList(s_engine ? s_engine->tokens : std::vector<ISpObjectToken*>());
        return S_OK;
    }
    K_FAKE_UNUSED(GetStringValue, (LPCWSTR, LPWSTR*)) K_FAKE_UNUSED(GetId, (LPWSTR*))
    K_FAKE_UNUSED(GetDataKey, (SPDATAKEYLOCATION, ISpDataKey**)) K_FAKE_UNUSED(SetDefaultTokenId, (LPCWSTR))
    K_FAKE_UNUSED(GetDefaultTokenId, (LPWSTR*))
};

// A voice speaks its text word by word on the clock, from the moment Speak took it.
class FakeVoice : public Fake<ISpVoice> {
public:
    FakeVoice(const TestSpeechEngine& Engine)
        : Fake(__uuidof(ISpVoice)), m_leadMs(Engine.leadMs), m_wordMs(Engine.wordMs), m_refuses(Engine.refusesSpeech)
    {
        if (Engine.voicesStartWithFirstToken && !Engine.tokens.empty()) {
            m_token = Engine.tokens.front();
            m_token->AddRef();
        } else {
            m_token = new FakeToken("system default", TestSpeechEngine::InUILanguage);
        }
    }
    ~FakeVoice() override { m_token->Release(); }

    HRESULT STDMETHODCALLTYPE GetVoice(ISpObjectToken** Token) override
    {
        *Token = m_token;
        m_token->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetVoice(ISpObjectToken* Token) override
    {
        note("SetVoice " + static_cast<FakeToken*>(Token)->name);
        Token->AddRef();
        m_token->Release();
        m_token = Token;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Speak(LPCWSTR Text, DWORD Flags, ULONG* Stream) override
    {
        if (!Text) {
            note("Purge " + std::to_string(Flags));
            m_words.clear();
            return S_OK;
        }
        note("Speak " + std::to_string(Flags) + " " + narrow(Text));
        if (m_refuses)
            return E_NOTIMPL;
        m_words = wordStarts(narrow(Text));
        m_start = DrivenClock::now();
        m_paused = false;
        if (Stream)
            *Stream = ++m_streams;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Pause() override
    {
        note("Pause");
        m_paused = true;
        m_pausedAt = DrivenClock::now();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Resume() override
    {
        note("Resume");
        m_start += DrivenClock::now() - m_pausedAt;
        m_paused = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetStatus(SPVOICESTATUS* Status, LPWSTR*) override
    {
        *Status = SPVOICESTATUS();
        if (m_refuses)
            return E_NOTIMPL;
        const uint32 elapsed = (m_paused ? m_pausedAt : DrivenClock::now()) - m_start;
        const uint32 word = elapsed < m_leadMs ? 0 : (elapsed - m_leadMs) / m_wordMs;
        if (m_words.empty() || word >= m_words.size()) {
            Status->dwRunningState = SPRS_DONE;
        } else if (elapsed >= m_leadMs) {
            Status->dwRunningState = SPRS_IS_SPEAKING;
            Status->ulInputWordPos = m_words[word];
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetRate(LONG Rate) override
    {
        note("SetRate " + std::to_string(Rate));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetVolume(USHORT Volume) override
    {
        note("SetVolume " + std::to_string(Volume));
        return S_OK;
    }
    K_FAKE_UNUSED(SetNotifySink, (ISpNotifySink*)) K_FAKE_UNUSED(SetNotifyWindowMessage, (HWND, UINT, WPARAM, LPARAM))
    K_FAKE_UNUSED(SetNotifyCallbackFunction, (SPNOTIFYCALLBACK*, WPARAM, LPARAM))
    K_FAKE_UNUSED(SetNotifyCallbackInterface, (ISpNotifyCallback*, WPARAM, LPARAM))
    K_FAKE_UNUSED(SetNotifyWin32Event, ()) K_FAKE_UNUSED(WaitForNotifyEvent, (DWORD))
    HANDLE STDMETHODCALLTYPE GetNotifyEventHandle() override { return nullptr; }
    K_FAKE_UNUSED(SetInterest, (ULONGLONG, ULONGLONG)) K_FAKE_UNUSED(GetEvents, (ULONG, SPEVENT*, ULONG*))
    K_FAKE_UNUSED(GetInfo, (SPEVENTSOURCEINFO*)) K_FAKE_UNUSED(SetOutput, (IUnknown*, WINBOOL))
    K_FAKE_UNUSED(GetOutputObjectToken, (ISpObjectToken**)) K_FAKE_UNUSED(GetOutputStream, (ISpStreamFormat**))
    K_FAKE_UNUSED(SpeakStream, (IStream*, DWORD, ULONG*)) K_FAKE_UNUSED(Skip, (LPCWSTR, LONG, ULONG*))
    K_FAKE_UNUSED(SetPriority, (SPVPRIORITY)) K_FAKE_UNUSED(GetPriority, (SPVPRIORITY*))
    K_FAKE_UNUSED(SetAlertBoundary, (SPEVENTENUM)) K_FAKE_UNUSED(GetAlertBoundary, (SPEVENTENUM*))
    K_FAKE_UNUSED(GetRate, (LONG*)) K_FAKE_UNUSED(GetVolume, (USHORT*)) K_FAKE_UNUSED(WaitUntilDone, (ULONG))
    K_FAKE_UNUSED(SetSyncSpeakTimeout, (ULONG)) K_FAKE_UNUSED(GetSyncSpeakTimeout, (ULONG*))
    HANDLE STDMETHODCALLTYPE SpeakCompleteEvent() override { return nullptr; }
    K_FAKE_UNUSED(IsUISupported, (LPCWSTR, void*, ULONG, WINBOOL*))
    K_FAKE_UNUSED(DisplayUI, (HWND, LPCWSTR, LPCWSTR, void*, ULONG))

private:
    uint32 m_leadMs;
    uint32 m_wordMs;
    bool m_refuses;
    ISpObjectToken* m_token;
    std::vector<DWORD> m_words;
    uint32 m_start = 0;
    uint32 m_pausedAt = 0;
    bool m_paused = false;
    ULONG m_streams = 0;
};

GUID modeID(size_t Index) { return GUID{static_cast<unsigned long>(Index + 1), 0x5A4, 0x1, {1, 2, 3, 4, 5, 6, 7, 8}}; }

void describeMode(size_t Index, TTSMODEINFOA& Mode)
{
    Mode = TTSMODEINFOA();
    Mode.gModeID = modeID(Index);
    lstrcpynA(Mode.szModeName, s_engine->modes[Index].c_str(), sizeof Mode.szModeName);
}

class FakeTtsAttributes : public Fake<ITTSAttributesA> {
public:
    FakeTtsAttributes() : Fake(kIidTtsAttributesA) {}
    HRESULT STDMETHODCALLTYPE SpeedGet(DWORD* Speed) override
    {
        *Speed = m_speed;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SpeedSet(DWORD Speed) override
    {
        m_speed = Speed < s_engine->speedMinimum ? s_engine->speedMinimum
                                                 : (Speed > s_engine->speedMaximum ? s_engine->speedMaximum : Speed);
        note("SpeedSet " + std::to_string(Speed));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE VolumeGet(DWORD* Volume) override
    {
        *Volume = m_volume;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE VolumeSet(DWORD Volume) override
    {
        note("VolumeSet " + std::to_string(Volume));
        const bool stereo = Volume != 0xFFFFFFFF && (Volume >> 16) != 0 && (Volume >> 16) == (Volume & 0xFFFF);
        if (stereo && s_engine->stereoVolumeAnswer != S_OK)
            return s_engine->stereoVolumeAnswer;
        m_volume = Volume < s_engine->volumeMinimum
            ? s_engine->volumeMinimum
            : (Volume > s_engine->volumeMaximum ? s_engine->volumeMaximum : Volume);
        return S_OK;
    }
    K_FAKE_UNUSED(PitchGet, (WORD*)) K_FAKE_UNUSED(PitchSet, (WORD)) K_FAKE_UNUSED(RealTimeGet, (DWORD*))
    K_FAKE_UNUSED(RealTimeSet, (DWORD))

private:
    DWORD m_speed = 150;
    DWORD m_volume = 0x5000;
};

} // namespace

// The engine of one mode: it speaks a text as audio start, one word position per word and
// audio stop, each falling due on the clock.
class FakeTtsCentral : public Fake<ITTSCentralA> {
public:
    FakeTtsCentral(const std::string& Mode, IUnknown* Audio)
        : Fake(kIidTtsCentralA), m_audio(Audio)
    {
        note("Select " + Mode);
        s_engine->central = this;
    }
    ~FakeTtsCentral() override
    {
        m_audio->Release();
        if (s_engine && s_engine->central == this)
            s_engine->central = nullptr;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID ID, void** Out) override
    {
        if (ID != kIidTtsAttributesA)
            return Fake::QueryInterface(ID, Out);
        *Out = static_cast<ITTSAttributesA*>(new FakeTtsAttributes);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Register(void* Sink, IID, DWORD* Key) override
    {
        m_sink = static_cast<ITTSNotifySinkA*>(Sink);
        *Key = 7;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UnRegister(DWORD) override
    {
        m_sink = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE TextData(VOICECHARSET, DWORD, SDATA Text, void* BufferSink, IID) override
    {
        const std::string text(static_cast<const char*>(Text.pData));
        note("TextData " + std::to_string(Text.dwSize) + " " + (text.size() > 20 ? text.substr(0, 20) + "..." : text));
        if (!BufferSink) {
            if (s_engine->answersWarmUp && m_sink) {
                m_sink->AudioStart(0);
                m_sink->AudioStop(0);
            }
            return S_OK;
        }
        if (FAILED(s_engine->textDataAnswer))
            return s_engine->textDataAnswer;
        m_bufferSink = static_cast<ITTSBufNotifySink*>(BufferSink);
        const uint32 start = DrivenClock::now() + s_engine->leadMs;
        m_due.push_back({start, Event::Start, 0});
        const std::vector<DWORD> words = wordStarts(text);
        for (size_t i = 0; i < words.size(); ++i)
            m_due.push_back({static_cast<uint32>(start + i * s_engine->wordMs), Event::Word, words[i]});
        m_due.push_back({static_cast<uint32>(start + words.size() * s_engine->wordMs), Event::Stop, 0});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AudioPause() override
    {
        note("AudioPause");
        m_pausedAt = DrivenClock::now();
        m_paused = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AudioResume() override
    {
        note("AudioResume");
        for (Due& due : m_due)
            due.at += DrivenClock::now() - m_pausedAt;
        m_paused = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AudioReset() override
    {
        note("AudioReset");
        m_due.clear();
        return S_OK;
    }
    K_FAKE_UNUSED(Inject, (const char*)) K_FAKE_UNUSED(ModeGet, (TTSMODEINFOA*))
    K_FAKE_UNUSED(Phoneme, (VOICECHARSET, DWORD, SDATA, SDATA*)) K_FAKE_UNUSED(PosnGet, (QWORD*))
    K_FAKE_UNUSED(ToFileTime, (QWORD*, FILETIME*))

    void deliverDue()
    {
        while (!m_paused && !m_due.empty() && m_due.front().at <= DrivenClock::now()) {
            const Due due = m_due.front();
            m_due.pop_front();
            if (due.event == Event::Word && m_bufferSink)
                m_bufferSink->WordPosition(0, due.offset);
            else if (due.event == Event::Start && m_sink)
                m_sink->AudioStart(0);
            else if (due.event == Event::Stop && m_sink)
                m_sink->AudioStop(0);
        }
    }

private:
    enum class Event { Start, Word, Stop };
    struct Due {
        uint32 at;
        Event event;
        DWORD offset;
    };

    IUnknown* m_audio;
    ITTSNotifySinkA* m_sink = nullptr;
    ITTSBufNotifySink* m_bufferSink = nullptr;
    std::deque<Due> m_due;
    uint32 m_pausedAt = 0;
    bool m_paused = false;
};

namespace {
class FakeTtsEnum : public Fake<ITTSEnumA> {
public:
    FakeTtsEnum() : Fake(kIidTtsEnumA) {}
    HRESULT STDMETHODCALLTYPE Next(ULONG, TTSMODEINFOA* Mode, ULONG* Fetched) override
    {
        *Fetched = 0;
        if (m_next >= s_engine->modes.size())
            return S_FALSE;
        describeMode(m_next++, *Mode);
        *Fetched = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        m_next = 0;
        return S_OK;
    }
    K_FAKE_UNUSED(Skip, (ULONG)) K_FAKE_UNUSED(Clone, (ITTSEnumA**))
    K_FAKE_UNUSED(Select, (GUID, ITTSCentralA**, IUnknown*))

private:
    size_t m_next = 0;
};

class FakeTtsFind : public Fake<ITTSFindA> {
public:
    FakeTtsFind() : Fake(kIidTtsFindA) {}
    HRESULT STDMETHODCALLTYPE Find(TTSMODEINFOA* Wanted, TTSMODEINFORANK*, TTSMODEINFOA* Found) override
    {
        for (size_t i = 0; i < s_engine->modes.size(); ++i) {
            if (IsEqualGUID(modeID(i), Wanted->gModeID) && Wanted->dwFeatures == TTSFEATURE_VISUAL) {
                describeMode(i, *Found);
                return S_OK;
            }
        }
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE Select(GUID Mode, ITTSCentralA** Central, IUnknown* Audio) override
    {
        *Central = new FakeTtsCentral(s_engine->modes[Mode.Data1 - 1], Audio);
        return S_OK;
    }
};

long fakeFactory(const GUID& Class, unsigned long, const GUID& Interface, void** Object)
{
    return s_engine ? s_engine->create(Class, Interface, Object) : REGDB_E_CLASSNOTREG;
}
} // namespace

TestSpeechEngine::TestSpeechEngine()
{
    s_engine = this;
    kssSetSpeechObjectFactory(&fakeFactory);
}

TestSpeechEngine::~TestSpeechEngine()
{
    kssSetSpeechObjectFactory(nullptr);
    for (ISpObjectToken* token : tokens)
        token->Release();
    s_engine = nullptr;
}

TestSpeechEngine* TestSpeechEngine::current() { return s_engine; }

void TestSpeechEngine::addVoice(const std::string& Name, Description D)
{
    voices.push_back(Name);
    tokens.push_back(new FakeToken(Name, D));
}

void TestSpeechEngine::addMode(const std::string& Name) { modes.push_back(Name); }

void TestSpeechEngine::advance(uint32 Ms)
{
    clock.advance(Ms);
    if (central)
        central->deliverDue();
}

bool TestSpeechEngine::called(const std::string& Call) const
{
    for (const auto* list : {&calls, &listingCalls}) {
        for (const std::string& made : *list) {
            if (made == Call)
                return true;
        }
    }
    return false;
}

std::vector<std::string> TestSpeechEngine::callsStartingWith(const std::string& Prefix) const
{
    std::vector<std::string> found;
    for (const std::string& made : calls) {
        if (made.compare(0, Prefix.size(), Prefix) == 0)
            found.push_back(made);
    }
    return found;
}

long TestSpeechEngine::create(const GUID& Class, const GUID& Interface, void** Object)
{
    IUnknown* made = nullptr;
    if (Class == __uuidof(SpObjectTokenCategory))
        made = static_cast<ISpObjectTokenCategory*>(new FakeCategory);
    else if (Class == __uuidof(SpVoice))
        made = static_cast<ISpVoice*>(new FakeVoice(*this));
    else if (Class == kClsidTtsEnumerator && !modes.empty() && Interface == kIidTtsEnumA)
        made = static_cast<ITTSEnumA*>(new FakeTtsEnum);
    else if (Class == kClsidTtsEnumerator && !modes.empty() && Interface == kIidTtsFindA)
        made = static_cast<ITTSFindA*>(new FakeTtsFind);
    else if (Class == kClsidMMAudioDest && !modes.empty())
        made = new Fake<IUnknown>(IID_IUnknown);
    if (!made)
        return REGDB_E_CLASSNOTREG;
    const HRESULT result = made->QueryInterface(Interface, Object);
    made->Release();
    return result;
}
