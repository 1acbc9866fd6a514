#include "multimedia/KSpeechSupport.h"

#include "multimedia/speech/Sapi4EngineWin32.h"
#include "multimedia/speech/Sapi5EngineWin32.h"

namespace {
KSpeechSupportPtr s_support;

short compareVoices(const KArray& Voices, long A, long B)
{
    const auto& a = static_cast<const KString&>(Voices[A]);
    const auto& b = static_cast<const KString&>(Voices[B]);
    return a < b ? -1 : (a > b ? 1 : 0);
}
} // namespace

K_DEFINE_CLASS(KSpeechSupport, KThing, 1)

KSpeechSupport::KSpeechSupport() { m_voices.setCompareProcedure(&compareVoices); }

void KSpeechSupport::createSpeechSupport() { s_support = new KSpeechSupport; }
void KSpeechSupport::releaseSpeechSupport() { s_support.reset(); }
KSpeechSupport& KSpeechSupport::getSpeechSupport() { return s_support.getObject(); }
bool KSpeechSupport::hasSpeechSupport() { return s_support.hasObject(nullptr); }

void KSpeechSupport::sortVoices()
{
    m_voices.setSortOrder(KArray::Ascending);
    m_voices.sort();
}

void KSpeechSupport::open()
{
    // A second opening after a close starts from nothing, so no voice is listed twice.
    m_voices.clear();
    m_defaultVoice.clear();
    if (m_requestedMask & Sapi5Engine) {
        kssSapi5ListVoices(m_voices);
        // SAPI 5 without a voice cannot speak; it must not make speech look available.
        if (kssSapi5IsAvailable()) {
            m_activeMask |= m_requestedMask;
            sortVoices();
            m_defaultVoice = static_cast<const KString&>(m_voices[0]);
        }
    }
    if ((m_requestedMask & Sapi4Engine) && kssSapi4IsAvailable() && kssSapi4ListVoices()) {
        m_activeMask |= m_requestedMask;
        m_defaultVoice = "Default";
        kssSapi4GetVoices(m_voices);
        sortVoices();
        if (!m_voices.isEmpty()) {
            m_defaultVoice = static_cast<const KString&>(m_voices[0]);
            for (long i = 0; i < m_voices.getCount(); ++i) {
                const auto& voice = static_cast<const KString&>(m_voices[i]);
                if (voice.contains(kPreferredVoiceWord)) {
                    m_defaultVoice = voice;
                    break;
                }
            }
        }
    }
}

void KSpeechSupport::close()
{
    kssSapi5Shutdown();
    if (m_activeMask & Sapi4Engine)
        kssSapi4Shutdown();
    m_activeMask = 0;
}

uint16 KSpeechSupport::getVoiceIndex(const KString& Name) const
{
    for (long i = 0; i < m_voices.getCount() && i < kNoVoice; ++i) {
        if (static_cast<const KString&>(m_voices[i]) == Name)
            return static_cast<uint16>(i);
    }
    return kNoVoice;
}

const KString& KSpeechSupport::getVoiceAt(uint16 Index) const { return static_cast<const KString&>(m_voices[Index]); }
