#pragma once
// The speech that story texts use: before speaking, its text is rewritten with the
// pronunciation exceptions, so that words the engine says badly are replaced by forms it
// says well. The rewritten text is spoken through an inner speech, whose word feedback
// (positions in the rewritten text) is translated back to positions in the written text
// and sent to this speech's own receivers.
#include "foundation/KBag.h"
#include "multimedia/KSpeech.h"

class KExtendedSpeech : public KSpeech {
    K_DECLARE_CLASS(KExtendedSpeech)
public:
    // The position table reserves this many entries.
    static constexpr long kPositionTableMinSize = 512;

    KExtendedSpeech();

    // Takes the inner speech's word feedback and sends it on, translated.
    bool handleEvent(KEvent& E) override;

    // Passed to the inner speech, then stored unchanged.
    void setVolume(double Volume) override;
    void setSpeed(double Speed) override;
    double getSpeed() override;
    // Forgets the written text only.
    void close() override;
    // Loads even when the inner speech cannot load its voice: it then is done at once.
    void load() override;
    void unload() override;
    void play() override;
    void restart() override;
    void stop() override;
    void pause() override;
    void resume() override;
    bool isDonePlaying() override;
    void service() override;

    // Rewrites the text with the global exceptions at once, also while speaking.
    void setText(const KString& Text) override;
    void setVoice(const KString& Voice) override;

    const KString& getWrittenText() const { return m_writtenText; }
    const KString& getSpokenText() const { return m_spokenText; }
    // Entry i: the index in the written text of the character that produced character i
    // of the spoken text.
    const KBag& getPositionTable() const { return m_positionTable; }
    KSpeech& getInnerSpeech() const { return *m_inner; }

private:
    friend class KSpeechExceptionHandler;

    void stopHearingInnerSpeech();

    KSpeechPtr m_inner;
    KBag m_positionTable;
    KString m_writtenText;
    KString m_spokenText;
};

K_POINTER_CLASS(KExtendedSpeech, KSpeechPtr);
