#pragma once
// A recorded reading of a text: a sound file, the text, and markers that say at which
// millisecond of the sound each word begins. While the sound plays, the media tells its
// receivers which word is being heard ("WordStart", "WordLength" and "ElapsedTime"), and,
// with feedback on, the elapsed time every 50 ms. Stopping sends "WordStart" and
// "WordLength" −1 so that receivers clear their highlight.
#include "foundation/KFileReference.h"
#include "foundation/KString.h"
#include "foundation/KTimer.h"
#include "multimedia/KAbstractMedia.h"
#include "multimedia/KSound.h"

class KSoundHiliteMedia : public KAbstractMedia {
    K_DECLARE_CLASS(KSoundHiliteMedia)
public:
    KSoundHiliteMedia();
    // Copies the markers, the text and the sound file.
    KSoundHiliteMedia(const KSoundHiliteMedia& Other);
    KSoundHiliteMedia& operator=(const KSoundHiliteMedia&) = delete;
    ~KSoundHiliteMedia() override;

    // Section 1 holds the marker bag, the sound file and the text, each as its own block.
    // Elements of the bag that are not markers are dropped.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;
    // The poll timer: the elapsed time, while feedback is on.
    void doTimer(KTimer& T) override;

    void setVolume(double Volume) override;
    // Empties the text, the markers and the sound file, and drops the timers.
    void close() override;
    // Unloaded: a new sound from the sound file. A reading that plays or stands paused
    // keeps its sound.
    void load() override;
    // Stops a reading that plays or stands paused first.
    void unload() override;
    // Only with a text; a reading that plays already goes on.
    void play() override;
    void restart() override;
    // Also ends a paused reading.
    void stop() override;
    // The sound, the elapsed time and the elapsed-time feedback all stand still until the
    // reading resumes.
    void pause() override;
    void resume() override;
    // The sound's answer; true without a sound, which nothing then plays.
    bool isDonePlaying() override;
    // Reports the last marker whose time has passed, when its word is a new one.
    void service() override;
    virtual void setText(const KString& Text);

    void copyFrom(const KSoundHiliteMedia& Other);
    // Copies of the given bag's markers, in its order, in place of the present ones.
    void setMarkers(const KBag& Markers);
    const KBag& getMarkers() const { return m_markers; }
    void setSoundFile(const KFileReference& File) { m_soundFile = File; }
    const KFileReference& getSoundFile() const { return m_soundFile; }
    bool hasSoundFile() const { return !m_soundFile.getPath().isEmpty(); }
    const KString& getText() const { return m_text; }
    bool hasSound() const { return m_sound.hasObject(nullptr); }
    KSound& getSound() const { return m_sound.getObject(); }

    long getCurrentWordStart() const { return m_currentWordStart; }
    long getHighlightedWordStart() const { return m_highlightedWordStart; }
    long getHighlightedWordLength() const { return m_highlightedWordLength; }
    // Milliseconds of the sound played so far, the time it stood paused left out.
    long getElapsedTime() const;

private:
    void makeTimers();
    void dropTimers();
    // Both timers stopped; the poll timer lets go of the media.
    void stopTimers();
    void sendWordFeedback();

    KBag m_markers;
    KFileReference m_soundFile;
    KString m_text;
    KSoundPtr m_sound;
    // Only its elapsed time is read; it runs from the last start or resume.
    KTimerPtr m_clockTimer;
    long m_elapsedBeforeResume = 0;
    KTimerPtr m_pollTimer;
    long m_currentWordStart = -1;
    long m_highlightedWordStart = -1;
    long m_highlightedWordLength = -1;
};

K_POINTER_CLASS(KSoundHiliteMedia, KAbstractMediaPtr);
