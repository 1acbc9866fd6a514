#pragma once
// A sound of the story: a file from the project's media, played when the tape reaches it.
// It either holds the tape until the sound has finished, or lets the story go on at once
// while the sound plays on under the media manager.
#include "foundation/KFileReference.h"
#include "multimedia/KSound.h"
#include "story/TapeObject.h"

class LumoSound : public TapeObject {
    K_DECLARE_CLASS(LumoSound)
public:
    // Waits until done, at full volume, without a file.
    LumoSound();
    // Stops the sound first.
    ~LumoSound() override;

    // Section 1: the base block, the file reference's block, the wait byte and the volume
    // (a double). The reader takes section 1 only when it comes first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Plays the file, from its beginning; a file that is not there ends the object at once.
    void start() override;
    // While waiting: ends the object once the sound no longer plays.
    void step() override;
    // Stops and unloads the sound, and lets it go.
    void stop() override;
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    bool findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder) override;
    void copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder) override;
    bool replaceMediaFile(const KFileReference& Old, const KFileReference& New) override;
    void collectMediaNames(KStringBag& Names) override;
    bool usesMediaName(const KString& Name) override;
    // The wait byte, the file and the volume; the enabled flag and the label stay as
    // they were made, and the sound object goes.
    void copyFrom(const TapeObject& Other) override;

    virtual void setFileReference(const KFileReference& File);
    virtual void resetFileReference();
    virtual void setSound(KSound& S);
    virtual void resetSound();

    const KFileReference& getFileReference() const { return m_file; }
    bool hasFileReference() const { return !m_file.getPath().isEmpty(); }
    // Error 18 without one.
    KSound& getSound() const { return m_sound.getObject(); }
    bool hasSound() const { return m_sound.hasObject(nullptr); }
    void setWaitUntilDone(uint8 Wait) { m_waitUntilDone = Wait; }
    bool waitsUntilDone() const { return m_waitUntilDone != 0; }
    void setVolume(double Volume) { m_volume = Volume; }
    double getVolume() const { return m_volume; }

private:
    void endOnTape();

    KFileReference m_file;
    KSoundPtr m_sound;
    uint8 m_waitUntilDone = 1;
    double m_volume = 1.0;
};

K_POINTER_CLASS(LumoSound, TapeObjectPtr);
