#include "multimedia/speech/Sapi5EngineWin32.h"

#include "foundation/KBag.h"
#include "foundation/KString.h"
#include "multimedia/KSpeech.h"
#include "multimedia/speech/SpeechObjectsWin32.h"
#include "multimedia/speech/SpokenWord.h"

#include <cwchar>
#include <string>

#include <windows.h>
#include <sapi.h>
#include <sperror.h>

namespace {
constexpr const wchar_t* kVoicesCategory = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices";

// The layer's two tables, index for index: the tokens of the listed voices (raw pointers,
// each holding one reference) and their names.
KBag& voiceTokens()
{
    static KBag tokens;
    return tokens;
}

KBag& voiceNames()
{
    static KBag names;
    return names;
}

ISpObjectToken* tokenAt(long Index) { return reinterpret_cast<ISpObjectToken*>(voiceTokens().getDirectDataAt(Index)); }

void forgetVoiceTables()
{
    KBag& tokens = voiceTokens();
    for (long i = 0; i < tokens.getCount(); ++i) {
        if (ISpObjectToken* token = tokenAt(i))
            token->Release();
    }
    tokens.clear();
    voiceNames().clear();
    tokens.setIsDirect(true);
}

// The language whose descriptions the voices are listed with: the user-interface
// language where the system has one (Windows 2000 and later), else the user's language.
LANGID descriptionLanguage()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5) {
        using UILanguageProcedure = LANGID(WINAPI*)();
        if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
            FARPROC found = GetProcAddress(kernel, "GetUserDefaultUILanguage");
            auto procedure = reinterpret_cast<UILanguageProcedure>(reinterpret_cast<void (*)()>(found));
            if (procedure) {
                if (LANGID language = procedure())
                    return language;
            }
        }
    }
    return GetUserDefaultLangID();
}

// The description value is named by the language in upper-case hexadecimal without
// leading zeros ("409"); a token without it falls back to its default value.
wchar_t* readDescription(ISpObjectToken& Token, const wchar_t* LanguageValue)
{
    wchar_t* description = nullptr;
    HRESULT result = Token.GetStringValue(LanguageValue, &description);
    if (result == SPERR_NOT_FOUND)
        result = Token.GetStringValue(nullptr, &description);
    if (FAILED(result)) {
        if (description)
            CoTaskMemFree(description);
        return nullptr;
    }
    return description;
}

KString ansiText(const wchar_t* Wide)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, Wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return KString();
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, Wide, -1, &text[0], size, nullptr, nullptr);
    return KString(text.c_str());
}

// The whole text, however long: positions the engine reports are indices into it.
std::wstring wideText(const KString& Text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, Text.getText(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size > 0 ? size : 1), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, Text.getText(), -1, &wide[0], size);
    return wide;
}

long findListedVoice(const KString& Name)
{
    const KBag& names = voiceNames();
    for (long i = 0; i < names.getCount(); ++i) {
        if (static_cast<const KString&>(names[i]) == Name)
            return i;
    }
    return -1;
}

void releaseVoiceObject(KSapiVoice& Record)
{
    if (Record.voice)
        Record.voice->Release();
    Record.voice = nullptr;
}

bool isOpen(const KSapiVoice* Record) { return Record && Record->openFlag && Record->voice; }
} // namespace

bool kssSapi5IsAvailable() { return voiceNames().getCount() > 0; }

void kssSapi5Shutdown() {}

void kssSapi5ListVoices(KBag& Names)
{
    Names.clear();
    forgetVoiceTables();

    ISpObjectTokenCategory* category = nullptr;
    if (FAILED(kssCreateSpeechObject(__uuidof(SpObjectTokenCategory), CLSCTX_ALL, __uuidof(ISpObjectTokenCategory),
                                     reinterpret_cast<void**>(&category))) ||
        !category)
        return;
    IEnumSpObjectTokens* tokens = nullptr;
    if (FAILED(category->SetId(kVoicesCategory, FALSE)) || FAILED(category->EnumTokens(L"", L"", &tokens)) ||
        !tokens) {
        category->Release();
        return;
    }

    wchar_t languageValue[8];
    std::swprintf(languageValue, sizeof languageValue / sizeof *languageValue, L"%X",
                  static_cast<unsigned>(descriptionLanguage()));
    ISpObjectToken* token = nullptr;
    while (tokens->Next(1, &token, nullptr) == S_OK && token) {
        wchar_t* description = readDescription(*token, languageValue);
        if (!description) {
            token->Release();
        } else {
            const KString name = ansiText(description);
            KString* listed = new KString(name);
            KString* kept = new KString(name);
            if (listed && kept) {
                Names.add(*listed);
                voiceNames().add(*kept);
                voiceTokens().addDirectData(reinterpret_cast<long>(token));
            } else {
                delete listed;
                delete kept;
                token->Release();
            }
            CoTaskMemFree(description);
        }
        token = nullptr;
    }
    tokens->Release();
    category->Release();
}

long kssVoiceGetRecordSize() { return kSapiVoiceRecordSize; }

void kssVoiceSetOwner(KSapiVoice* Record, KSpeech& Owner)
{
    if (Record)
        Record->owner = &Owner;
}

bool kssVoiceOpen(KSapiVoice* Record, const KString& Name)
{
    if (!Record)
        return false;
    if (Record->openFlag)
        kssVoiceClose(Record);
    releaseVoiceObject(*Record);
    if (FAILED(kssCreateSpeechObject(__uuidof(SpVoice), CLSCTX_ALL, __uuidof(ISpVoice),
                                     reinterpret_cast<void**>(&Record->voice))) ||
        !Record->voice) {
        Record->voice = nullptr;
        return false;
    }
    Record->wordStart = -1;
    Record->wordLength = -1;
    Record->speakingState = KSapiVoice::Done;
    Record->openFlag = 0;
    Record->voiceIndex = 0xFFFF;

    const long index = findListedVoice(Name);
    if (index < 0)
        return false;
    ISpObjectToken* wanted = tokenAt(index);
    ISpObjectToken* current = nullptr;
    if (SUCCEEDED(Record->voice->GetVoice(&current)) && current) {
        // A voice object that already speaks with the wanted voice needs no change; it
        // must still count as open, or it would never speak.
        if (current == wanted) {
            Record->openFlag = 1;
        } else if (SUCCEEDED(Record->voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr))) {
            Record->voice->SetVoice(wanted);
            Record->openFlag = 1;
        }
        current->Release();
    }
    return true;
}

void kssVoiceClose(KSapiVoice* Record)
{
    if (!Record)
        return;
    releaseVoiceObject(*Record);
    Record->wordStart = -1;
    Record->wordLength = -1;
    Record->openFlag = 0;
}

void kssVoiceSpeak(KSapiVoice* Record, const KString& Text)
{
    if (!Record)
        return;
    Record->wordStart = -1;
    Record->wordLength = -1;
    if (!isOpen(Record))
        return;
    const std::wstring wide = wideText(Text);
    ULONG stream = 0;
    const HRESULT result = Record->voice->Speak(wide.c_str(), SPF_ASYNC | SPF_IS_NOT_XML, &stream);
    Record->streamNumber = stream;
    // A text the engine refused is not being spoken: reporting it as started would keep
    // the speech busy for ever.
    Record->speakingState = SUCCEEDED(result) ? KSapiVoice::Started : KSapiVoice::Done;
}

void kssVoicePause(KSapiVoice* Record)
{
    if (!isOpen(Record))
        return;
    if (Record->speakingState == KSapiVoice::Started || Record->speakingState == KSapiVoice::Speaking) {
        Record->voice->Pause();
        Record->speakingState = KSapiVoice::Paused;
    }
}

void kssVoiceResume(KSapiVoice* Record)
{
    if (!isOpen(Record) || Record->speakingState != KSapiVoice::Paused)
        return;
    Record->voice->Resume();
    Record->speakingState = KSapiVoice::Speaking;
}

void kssVoiceStop(KSapiVoice* Record)
{
    if (!isOpen(Record))
        return;
    Record->voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
    Record->speakingState = KSapiVoice::Done;
}

bool kssVoiceIsBusy(KSapiVoice* Record)
{
    if (!Record)
        return false;
    return Record->speakingState == KSapiVoice::Started || Record->speakingState == KSapiVoice::Speaking ||
        Record->speakingState == KSapiVoice::Paused;
}

void kssVoicePoll(KSapiVoice* Record)
{
    if (!isOpen(Record))
        return;
    SPVOICESTATUS status{};
    if (FAILED(Record->voice->GetStatus(&status, nullptr)))
        return;
    switch (status.dwRunningState) {
    case 0:
        Record->speakingState = KSapiVoice::Started;
        break;
    case SPRS_IS_SPEAKING:
        Record->speakingState = KSapiVoice::Speaking;
        break;
    case SPRS_DONE:
        Record->speakingState = KSapiVoice::Done;
        break;
    default:
        break;
    }
    if (Record->speakingState != KSapiVoice::Speaking) {
        Record->wordStart = -1;
        Record->wordLength = -1;
        return;
    }
    const long position = static_cast<long>(status.ulInputWordPos);
    // The same word is reported once, however often it is polled.
    if (position == Record->wordStart)
        return;
    Record->wordStart = position;
    Record->wordLength = 0;
    KSpeech* owner = Record->owner;
    if (!owner)
        return;
    const KString& text = owner->getText();
    Record->wordLength = kssMeasureSpokenWord(text.getText(), text.getLength(), position);
    if (owner->sendsFeedback() && Record->wordLength > 0)
        owner->sendWordFeedback(Record->wordStart, Record->wordLength);
}

long kssVoiceGetWordStart(KSapiVoice* Record) { return Record ? Record->wordStart : 0; }
long kssVoiceGetWordLength(KSapiVoice* Record) { return Record ? Record->wordLength : 0; }

void kssVoiceSetRate(KSapiVoice* Record, int16 Percent)
{
    if (!isOpen(Record))
        return;
    const long percent = Percent < 0 ? 0 : (Percent > 100 ? 100 : Percent);
    Record->voice->SetRate(percent / 5 - 10);
}

short kssVoiceGetRate(KSapiVoice*) { return 50; }

bool kssVoiceSetVolume(KSapiVoice* Record, uint16 Percent)
{
    if (!Record)
        return false;
    if (isOpen(Record))
        Record->voice->SetVolume(static_cast<USHORT>(Percent > 100 ? 100 : Percent));
    return true;
}
