#pragma once
// The one global object that knows which speech engines were asked for and opened, the
// installed voices and the default voice. The media manager gives it its engine mask and
// opens and closes it; speech objects, the text objects and the settings read its voice
// list and default voice.
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KSpeechSupport : public KThing {
    K_DECLARE_CLASS(KSpeechSupport)
public:
    enum Engine : long {
        Sapi4Engine = 0x1,
        Sapi5Engine = 0x2,
    };

    // The voice word that opening prefers among the SAPI 4 voices.
    static constexpr const char* kPreferredVoiceWord = "Mike";
    static constexpr uint16 kNoVoice = 0xFFFF;

    KSpeechSupport();

    static void createSpeechSupport();
    static void releaseSpeechSupport();
    // Error 18 when there is none.
    static KSpeechSupport& getSpeechSupport();
    static bool hasSpeechSupport();

    void setEngineMask(long Mask) { m_requestedMask = Mask; }
    long getEngineMask() const { return m_requestedMask; }
    // Non-zero exactly when an engine opened: then speech is available.
    long getActiveEngineMask() const { return m_activeMask; }

    // Opens the requested engines and lists their voices, sorted, with the default voice.
    void open();
    void close();

    // The index of the first voice of that name (case counts), or kNoVoice.
    uint16 getVoiceIndex(const KString& Name) const;
    bool hasVoice(const KString& Name) const { return getVoiceIndex(Name) != kNoVoice; }
    const KString& getVoiceAt(uint16 Index) const;
    const KBag& getVoices() const { return m_voices; }
    const KString& getDefaultVoice() const { return m_defaultVoice; }

private:
    void sortVoices();

    long m_requestedMask = Sapi4Engine | Sapi5Engine;
    long m_activeMask = 0;
    KBag m_voices;
    KString m_defaultVoice;
};

K_POINTER_CLASS(KSpeechSupport, KThingPtr);
