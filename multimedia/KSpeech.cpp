#include "multimedia/KSpeech.h"

#include "foundation/ErrorTable.h"
#include "foundation/KMemory.h"
#include "foundation/KStringBag.h"
#include "foundation/KVariable.h"
#include "multimedia/KSpeechSupport.h"
#include "multimedia/speech/Sapi4EngineWin32.h"
#include "multimedia/speech/Sapi5EngineWin32.h"

namespace {
constexpr uint8 kSapi5Record = 1;

// The word of the last event sent on the SAPI 4 path. SAPI 4 has one engine for the
// program, so the pair is shared by every speech.
long s_lastSapi4Start = 0;
long s_lastSapi4Length = 0;

double limit(double Value) { return Value > 1.0 ? 1.0 : (Value < 0.0 ? 0.0 : Value); }

// Hundredths, truncated towards zero.
int16 percentOf(double Value) { return static_cast<int16>(static_cast<long>(Value * 100.0)); }

// A volume below nothing is silence, not a wrapped-around loudness.
uint16 volumePercentOf(double Value)
{
    const int16 percent = percentOf(Value);
    return static_cast<uint16>(percent < 0 ? 0 : percent);
}

KSpeechSupport* speechSupport()
{
    return KSpeechSupport::hasSpeechSupport() ? &KSpeechSupport::getSpeechSupport() : nullptr;
}

KString defaultVoice()
{
    KSpeechSupport* support = speechSupport();
    return support ? support->getDefaultVoice() : KString();
}

bool bagHasName(const KBag& Names, const KString& Name)
{
    for (long i = 0; i < Names.getCount(); ++i) {
        if (static_cast<const KString&>(Names[i]) == Name)
            return true;
    }
    return false;
}
} // namespace

K_DEFINE_CLASS(KSpeech, KAbstractMedia, 1)

KSpeech::KSpeech()
    : m_voiceName(defaultVoice())
{
    if (!isOnHeap())
        kksReportError(3, "KSpeech::KSpeech()");
}

KSpeech::KSpeech(DerivedConstruction)
    : m_voiceName(defaultVoice())
{
}

KSpeech::~KSpeech()
{
    // Nothing may count an object being destroyed: the engine is let go directly.
    if (isSapi5()) {
        kssVoiceStop(record());
        kssVoiceClose(record());
    } else if (isSapi4()) {
        kssSapi4Reset();
    }
    freeRecord();
}

KSapiVoice* KSpeech::record() const { return static_cast<KSapiVoice*>(getNativeHandle()); }
bool KSpeech::isSapi5() const { return record() && record()->engineFlag == kSapi5Record; }
bool KSpeech::isSapi4() const { return record() && record()->engineFlag != kSapi5Record; }

void KSpeech::freeRecord()
{
    if (KSapiVoice* voice = record())
        KMemory::dispose(voice);
    clearNativeHandle();
}

void KSpeech::setVolume(double Volume)
{
    if (hasNativeHandle()) {
        Volume = limit(Volume);
        if (isSapi5())
            kssVoiceSetVolume(record(), volumePercentOf(Volume));
        else
            kssSapi4SetVolume(percentOf(Volume));
    }
    KAbstractMedia::setVolume(Volume);
}

void KSpeech::setSpeed(double Speed)
{
    if (hasNativeHandle()) {
        Speed = limit(Speed);
        if (isSapi5())
            kssVoiceSetRate(record(), percentOf(Speed));
        else
            kssSapi4SetSpeed(percentOf(Speed));
    }
    KAbstractMedia::setSpeed(Speed);
}

double KSpeech::getSpeed()
{
    if (isSapi5() && getState() != Unloaded)
        return kssVoiceGetRate(record()) / 100.0;
    return KAbstractMedia::getSpeed();
}

void KSpeech::close()
{
    m_text.clear();
    m_voiceName.clear();
    m_wordStart = -1;
    m_wordLength = -1;
}

void KSpeech::load()
{
    if (getState() != Unloaded)
        return;
    KSpeechSupport* support = speechSupport();
    if (!support)
        return;
    const long active = support->getActiveEngineMask();
    if (active & KSpeechSupport::Sapi5Engine) {
        KBag voices;
        kssSapi5ListVoices(voices);
        if (bagHasName(voices, m_voiceName)) {
            loadSapi5();
            return;
        }
    }
    if (active & KSpeechSupport::Sapi4Engine) {
        KStringBag modes;
        kssSapi4GetVoices(modes);
        if (modes.contains(m_voiceName))
            loadSapi4();
    }
}

void KSpeech::loadSapi5()
{
    auto* voice = static_cast<KSapiVoice*>(KMemory::allocate(static_cast<unsigned long>(kssVoiceGetRecordSize()), true));
    if (!voice)
        return;
    voice->engineFlag = kSapi5Record;
    setNativeHandle(voice);
    kssVoiceSetOwner(voice, *this);
    if (!kssVoiceOpen(voice, m_voiceName)) {
        kssVoiceClose(voice);
        freeRecord();
        return;
    }
    kssVoiceSetVolume(voice, volumePercentOf(getVolume()));
    kssVoiceSetRate(voice, percentOf(getStoredSpeed()));
    KAbstractMedia::load();
}

void KSpeech::loadSapi4()
{
    auto* voice = static_cast<KSapiVoice*>(KMemory::allocate(static_cast<unsigned long>(kssVoiceGetRecordSize()), true));
    if (!voice)
        return;
    setNativeHandle(voice);
    if (!kssSapi4SelectVoice(m_voiceName)) {
        freeRecord();
        return;
    }
    kssSapi4SetVolume(percentOf(getVolume()));
    kssSapi4SetSpeed(percentOf(getStoredSpeed()));
    KAbstractMedia::load();
}

void KSpeech::unload()
{
    if (getState() != Loaded)
        return;
    // Leaving the media manager's list may drop the last count of the speech.
    KThingPtr hold(isOnHeap() ? this : nullptr);
    if (isSapi5())
        kssVoiceClose(record());
    else if (isSapi4())
        kssSapi4Reset();
    freeRecord();
    KAbstractMedia::unload();
}

void KSpeech::play()
{
    // Every SAPI 4 play brings the engine up anew for this speech's voice.
    if (isSapi4())
        unload();
    load();
    if (getState() != Loaded || m_text.isEmpty())
        return;
    if (isSapi5()) {
        kssVoiceSpeak(record(), m_text);
    } else {
        // The words of an earlier text must not hide those of this one that sit at the
        // same place, such as the only word of a text spoken twice.
        s_lastSapi4Start = -1;
        s_lastSapi4Length = -1;
        kssSapi4Speak(m_text);
    }
    KAbstractMedia::play();
}

void KSpeech::restart()
{
    stop();
    play();
    KAbstractMedia::restart();
}

void KSpeech::stop()
{
    if (getState() != Playing)
        return;
    if (isSapi5())
        kssVoiceStop(record());
    else if (isSapi4())
        kssSapi4Stop();
    KAbstractMedia::stop();
    m_wordStart = -1;
    m_wordLength = -1;
}

void KSpeech::pause()
{
    if (getState() != Playing)
        return;
    if (isSapi5())
        kssVoicePause(record());
    else if (isSapi4())
        kssSapi4Pause();
    KAbstractMedia::pause();
}

void KSpeech::resume()
{
    if (getState() != Paused)
        return;
    if (isSapi5())
        kssVoiceResume(record());
    else if (isSapi4())
        kssSapi4Resume();
    KAbstractMedia::resume();
}

bool KSpeech::isDonePlaying()
{
    if (!hasNativeHandle())
        return true;
    return isSapi5() ? !kssVoiceIsBusy(record()) : !kssSapi4IsSpeaking();
}

void KSpeech::service()
{
    if (!hasNativeHandle())
        return;
    if (isSapi5()) {
        kssVoicePoll(record());
        m_wordStart = kssVoiceGetWordStart(record());
        m_wordLength = kssVoiceGetWordLength(record());
        return;
    }
    m_wordStart = kssSapi4GetWordStart();
    m_wordLength = kssSapi4GetWordLength();
    if (!sendsFeedback() || m_wordLength <= 0 || (m_wordStart == s_lastSapi4Start && m_wordLength == s_lastSapi4Length))
        return;
    s_lastSapi4Start = m_wordStart;
    s_lastSapi4Length = m_wordLength;
    sendWordFeedback(m_wordStart, m_wordLength);
}

void KSpeech::setText(const KString& Text) { m_text = Text; }

void KSpeech::setVoice(const KString& Voice)
{
    if (Voice == m_voiceName)
        return;
    KSpeechSupport* support = speechSupport();
    if (!support)
        return;
    if (support->hasVoice(Voice))
        m_voiceName = Voice;
    else if (Voice == "Fred" && support->hasVoice(KString("Mike")))
        m_voiceName = "Mike";
    else
        return;
    stop();
    unload();
}

void KSpeech::speak(const KString& Voice, const KString& Text)
{
    stop();
    setText(Text);
    if (Text.isEmpty())
        return;
    setVoice(Voice);
    play();
}

void KSpeech::stopSpeaking() { stop(); }

void KSpeech::sendWordFeedback(long Start, long Length)
{
    KMediaFeedbackEventPtr event = makeFeedbackEvent();
    if (!event.hasObject(nullptr))
        return;
    event->setVariable(KString(KMediaFeedbackEvent::kMediaType), KVariable(KString("Speech")));
    event->setLong(KMediaFeedbackEvent::kWordStart, Start);
    event->setLong(KMediaFeedbackEvent::kWordLength, Length);
    KEvent::send(*event);
}
