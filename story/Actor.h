#pragma once
// An animated character of a story: a sprite whose frames are drawn from small tapes.
// It has named movements, each a list of frame tapes, and lives in the cast of the
// story's tape under its name, the leaf name of the actor file it was loaded from. The
// actor file is a document of type "LMAC" with one entry "Actor" holding the actor's
// class block.
#include "foundation/KBag.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KPath.h"
#include "foundation/KSet.h"
#include "foundation/KString.h"
#include "foundation/KTimer.h"
#include "multimedia/KSprite.h"

class ActorSequence;
class KDirectory;
class KDocument;
class KFileReference;
class KStringBag;

class Actor : public KSprite {
    K_DECLARE_CLASS(Actor)
public:
    static constexpr long kDocumentType = 0x4C4D4143; // "LMAC"
    static constexpr long kDocumentVersion = 2;
    static constexpr short kDefaultDocumentWidth = 640;
    static constexpr short kDefaultDocumentHeight = 480;
    static constexpr long kTimerPeriod = 10;

    // How the running movement goes through its frames: the play type of a movement.
    enum PlayMode : uint8 {
        StaticImage = 1,
        PlayOnce = 2,
        OnceReverse = 3,
        PlayOnceForwardAndReverse = 4,
        PlayRepeated = 5,
        PlayRepeatedReverse = 6,
        PlayRepeatedForwardAndReverse = 7,
    };
    // Bit of the flags: a back-and-forth movement is on its way forward.
    static constexpr uint32 kGoingForward = 3;

    // One default movement with one empty frame tape on a page of the current project's
    // size (640 × 480 without one); the frame timer made but not started.
    Actor();
    ~Actor() override;

    // Section 1: the movements' bag block and the bounds' block; section 2: the document
    // width and height. Writing computes the bounds first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;
    // One frame step of the running movement, by its play mode; only for the actor's own
    // frame timer.
    void doTimer(KTimer& T) override;
    // The actor's bounds, scaled and placed like a sprite's frame, whatever the frames.
    void getBounds(KGraphicRectangle& R) override;

    // Applied to every movement, frame tape and object.
    virtual void copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder);
    virtual bool replaceMediaFile(const KFileReference& Old, const KFileReference& New);
    virtual void collectMediaNames(KStringBag& Names);
    virtual bool usesMediaName(const KString& Name);
    // The objects' searches up to the first whose user gave up; true then.
    virtual bool findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder);

    // The first movement of the name; error 18 and no movement when there is none.
    ActorSequence& getSequence(const KString& SequenceName) const;
    bool hasSequence(const KString& SequenceName) const;
    // Renders the frames of the movements of that name (unless they are the current
    // movement's already) and starts the first of them at its speed and in its play mode.
    // A name no movement has stops the frame timer on frame 0 of what the sprite holds.
    void buildFrames(const KString& Name);
    // Stops the frame timer, hides the actor and forgets its frames and movement.
    void stopAnimation();
    // Stops the frame timer and leaves it without target.
    void stopTimer();
    // The union of the bounds of every object of every frame tape.
    void computeBounds();

    // The sprite part, a copy of the other's movements, its bounds, name and document
    // size; the frame tapes of the copy belong to this actor.
    void copyFrom(const Actor& Other);

    // Writes the actor file; the name becomes the file's leaf name even when writing
    // failed. True when the document was written.
    bool save(const KFileReference& File);
    // Reads the actor file; a missing file answers false silently, a file that is not an
    // actor document with a message. With SearchMedia set, missing media are looked for;
    // SearchMedia is cleared when the user gives that up.
    bool load(const KFileReference& File, KDirectory& MediaFolder, bool& SearchMedia);

    const KString& getName() const { return m_name; }
    void setName(const KString& Name) { m_name = Name; }
    KBag& getMovements() { return m_movements; }
    const KBag& getMovements() const { return m_movements; }
    ActorSequence& getMovementAt(long Index) const;
    const KGraphicRectangle& getActorBounds() const { return m_bounds; }
    KTimer& getTimer() const { return m_timer.getObject(); }
    long getDocumentWidth() const { return m_documentWidth; }
    long getDocumentHeight() const { return m_documentHeight; }
    const KString& getCurrentMovement() const { return m_currentMovement; }
    uint8 getPlayMode() const { return m_playMode; }

private:
    template <typename Visit>
    bool anyObject(Visit&& V) const;
    // Every frame tape belongs to this actor and has its page size.
    void adoptFrames();
    // The actor file's document on a copy of the file reference.
    static void bindDocument(KDocument& Document, const KFileReference& File);
    // The movement's frame tapes drawn into images of the actor's size, with their masks,
    // appended to the sprite's frames.
    void renderFrames(const ActorSequence& Movement);
    // The frame after F in the play mode, which a finished movement turns into 1.
    long nextFrame(long F);

    KString m_name;
    KBag m_movements;
    KGraphicRectangle m_bounds;
    KTimerPtr m_timer;
    long m_firstFrame = 0;
    long m_lastFrame = 0;
    uint8 m_playMode = StaticImage;
    KSet m_flags;
    long m_documentWidth = kDefaultDocumentWidth;
    long m_documentHeight = kDefaultDocumentHeight;
    KString m_currentMovement;
};

K_POINTER_CLASS(Actor, KSpritePtr);
