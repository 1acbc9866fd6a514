#pragma once
// Speech media: one text spoken with one installed voice, reporting while it speaks which
// word of its text is being spoken. It drives the SAPI 5 or the SAPI 4 layer; which one
// is decided when it loads, by the engine that offers its voice (SAPI 5 first). Its
// native handle is a voice record whose first byte names the layer.
#include "foundation/KString.h"
#include "multimedia/KAbstractMedia.h"

struct KSapiVoice;

class KSpeech : public KAbstractMedia {
    K_DECLARE_CLASS(KSpeech)
public:
    KSpeech();
    ~KSpeech() override;

    // With a loaded voice the value is held to 0.0 to 1.0 and given to the engine; the
    // value stored is the one the engine got, or the one passed without a voice.
    void setVolume(double Volume) override;
    void setSpeed(double Speed) override;
    double getSpeed() override;
    // Forgets the text and the voice.
    void close() override;
    // Finds an engine that offers the voice; a voice that none offers leaves the speech
    // unloaded, and it then speaks nothing and is done at once.
    void load() override;
    void unload() override;
    void play() override;
    void restart() override;
    // Only while playing: a paused speech stays paused.
    void stop() override;
    void pause() override;
    void resume() override;
    bool isDonePlaying() override;
    // Reads the word being spoken and sends it to the receivers when it is new.
    void service() override;

    virtual void setText(const KString& Text);
    // A voice that no engine offers is ignored, except that "Fred" falls back to "Mike".
    // A new voice stops and unloads the speech, so the next play loads it.
    virtual void setVoice(const KString& Voice);
    // Stops, takes the text and, when it is not empty, the voice, and plays.
    virtual void speak(const KString& Voice, const KString& Text);
    virtual void stopSpeaking();

    const KString& getText() const { return m_text; }
    const KString& getVoiceName() const { return m_voiceName; }
    long getWordStart() const { return m_wordStart; }
    long getWordLength() const { return m_wordLength; }

    // Sends the word feedback ("MediaType" "Speech", "WordStart", "WordLength") to the
    // receivers at once; the engine layers call it on a new word.
    void sendWordFeedback(long Start, long Length);

protected:
    // For derived speeches, which check their own construction.
    struct DerivedConstruction {};
    explicit KSpeech(DerivedConstruction);

private:
    void loadSapi5();
    void loadSapi4();
    // The voice record; null without one.
    KSapiVoice* record() const;
    bool isSapi5() const;
    bool isSapi4() const;
    void freeRecord();

    KString m_voiceName;
    KString m_text;
    long m_wordStart = -1;
    long m_wordLength = -1;
};

K_POINTER_CLASS(KSpeech, KAbstractMediaPtr);
