#pragma once
// A sentence of the story spoken without being shown: a text read by speech synthesis in
// a chosen voice, at the speed the player's preferences give, through a speech that
// applies the pronunciation exceptions. Like a sound, it either holds the tape until the
// speech has finished or lets the story go on at once.
#include "multimedia/KExtendedSpeech.h"
#include "story/TapeObject.h"

class LumoSpeech : public TapeObject {
    K_DECLARE_CLASS(LumoSpeech)
public:
    // The localised greeting in the last used voice, at full volume, waiting until done;
    // the speech is made and loaded at once and kept for the object's whole life.
    LumoSpeech();
    // Stops and unloads the speech, which the media manager would otherwise keep.
    ~LumoSpeech() override;

    // Section 1: the base block, the text's and the voice's blocks, the wait byte and the
    // volume (a double). The reader takes section 1 only when it comes first, and hands
    // text, voice and volume to the speech.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Speaks the text, when there is a speech engine, in the stored voice or, when no
    // engine offers it, the default voice.
    void start() override;
    // While waiting: ends the object once the speech no longer plays, at once without an
    // engine.
    void step() override;
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    // Text, wait byte, voice and volume, passed on to the speech; the enabled flag and
    // the label stay as they were made.
    void copyFrom(const TapeObject& Other) override;

    virtual void setSpeech(KExtendedSpeech& S);
    virtual void resetSpeech();

    // Each is passed on to the speech as well.
    void setText(const KString& Text);
    void setVoice(const KString& Voice);
    void setVolume(double Volume);
    void setWaitUntilDone(uint8 Wait) { m_waitUntilDone = Wait; }

    // Error 18 without one.
    KExtendedSpeech& getSpeech() const { return m_speech.getObject(); }
    bool hasSpeech() const { return m_speech.hasObject(nullptr); }
    const KString& getText() const { return m_text; }
    const KString& getVoice() const { return m_voice; }
    double getVolume() const { return m_volume; }
    bool waitsUntilDone() const { return m_waitUntilDone != 0; }

private:
    // The player's custom speed when it is on and not the voice's own, else the speech's
    // own speed again.
    void applySpeed();
    void passFieldsToSpeech();
    void endOnTape();

    KExtendedSpeechPtr m_speech;
    KString m_text;
    KString m_voice;
    uint8 m_waitUntilDone = 1;
    double m_volume = 1.0;
};

K_POINTER_CLASS(LumoSpeech, TapeObjectPtr);
