#pragma once
// One named movement of an actor: its frames, each a small tape of drawing objects, with
// the speed and the play mode in which the actor runs through them.
#include "foundation/KBag.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KDirectory;
class KFileReference;
class KStringBag;
class Tape;

class ActorSequence : public KThing {
    K_DECLARE_CLASS(ActorSequence)
public:
    static constexpr long kDefaultSpeed = 10;
    static constexpr uint8 kDefaultPlayType = 5;

    // Named with the localised "Movement" followed by "1"; no frames.
    ActorSequence();
    ~ActorSequence() override;

    // The same name, speed and play type, and a copy of every frame.
    KThing& deepCopy() const override;
    // Section 1 holds the frames' bag block, the name's block, the speed (32 bits) and the
    // play type (16 bits, of which the low byte counts).
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Passed on to every frame.
    virtual void copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder);
    // True when any frame took the new file; every frame is asked.
    virtual bool replaceMediaFile(const KFileReference& Old, const KFileReference& New);
    virtual void collectMediaNames(KStringBag& Names);
    // True at the first object of any frame that uses the name.
    virtual bool usesMediaName(const KString& Name);

    const KString& getName() const { return m_name; }
    void setName(const KString& Name) { m_name = Name; }
    // The frame tapes in playing order.
    KBag& getFrames() { return m_frames; }
    const KBag& getFrames() const { return m_frames; }
    Tape& getFrameAt(long Index) const;
    void addFrame(Tape& Frame);
    // While the movement plays the actor steps a frame every speed × speed ms.
    long getSpeed() const { return m_speed; }
    void setSpeed(long Speed) { m_speed = Speed; }
    uint8 getPlayType() const { return m_playType; }
    void setPlayType(uint8 PlayType) { m_playType = PlayType; }

private:
    KString m_name;
    KBag m_frames;
    long m_speed = kDefaultSpeed;
    uint8 m_playType = kDefaultPlayType;
};

K_POINTER_CLASS(ActorSequence, KThingPtr);
