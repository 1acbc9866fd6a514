#pragma once
// An animated character of a story: a sprite whose frames are drawn from small tapes.
// It has named movements, each a list of frame tapes, and lives in the cast of the
// story's tape under its name, the leaf name of the actor file it was loaded from. The
// actor file is a document of type "LMAC" with one entry "Actor" holding the actor's
// class block.
#include "foundation/KBag.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KPath.h"
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

    // One default movement with one empty frame tape on a page of the current project's
    // size (640 × 480 without one); the frame timer made but not started.
    Actor();
    ~Actor() override;

    // Section 1: the movements' bag block and the bounds' block; section 2: the document
    // width and height. Writing computes the bounds first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;
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

private:
    template <typename Visit>
    bool anyObject(Visit&& V) const;
    // Every frame tape belongs to this actor and has its page size.
    void adoptFrames();
    // The actor file's document on a copy of the file reference.
    static void bindDocument(KDocument& Document, const KFileReference& File);

    KString m_name;
    KBag m_movements;
    KGraphicRectangle m_bounds;
    KTimerPtr m_timer;
    long m_documentWidth = kDefaultDocumentWidth;
    long m_documentHeight = kDefaultDocumentHeight;
    KString m_currentMovement;
};

K_POINTER_CLASS(Actor, KSpritePtr);
