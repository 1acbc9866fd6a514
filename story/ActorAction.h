#pragma once
// The tape object that does one thing to one actor of the story's cast: brings it on
// stage in a movement, takes it off, moves and scales it smoothly or at once, changes its
// drawing order or its movement. The actor is named by its cast name, the leaf name of its
// actor file, and looked up in the cast of the action's own tape.
//
// Only a move lasts beyond its start: it runs for duration × duration ticks and lands
// exactly on the target. When a page is drawn again the tape replays the page's actions
// to put the actors back where the story left them.
#include "foundation/KGraphicPoint.h"
#include "multimedia/KAnimationPoint.h"
#include "multimedia/KAnimationVector.h"
#include "story/ActorTapeObject.h"

class Actor;

class ActorAction : public ActorTapeObject {
    K_DECLARE_CLASS(ActorAction)
public:
    enum Action : uint8 {
        NotDefined = 0,
        EnterOnScene = 1,
        ExitFromScene = 2,
        MoveResize = 3,
        JumpToPosition = 4,
        ChangeOrder = 5,
        ChangeMovement = 6,
    };
    // The drawing orders of "Change Order".
    enum Order : uint8 {
        BringToFront = 0,
        BringForward = 1,
        SendToBack = 2,
        SendBackward = 3,
    };
    static constexpr long kDefaultDuration = 10;
    // What a move of duration 0 takes instead.
    static constexpr long kZeroDurationReplacement = 100;

    ActorAction();
    ~ActorAction() override;

    // Section 1: the nested TapeObject block, the actor and movement names' blocks, the
    // action (16 bits), the target position's and scale's blocks, the duration (32 bits)
    // and the order (16 bits). The reader takes section 1 only when it comes first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // An action whose actor is not in the cast, or that is no move, ends in its start;
    // a move of an actor that is not on stage ends at once too.
    void start() override;
    // One tick of a move.
    void step() override;
    // The action's lasting effect, applied at once.
    void drawOnPage() override;
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    void redraw() override;
    // Only an actor entering the scene has its file looked for.
    bool findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder) override;
    // The base fields and every stored field of another action.
    void copyFrom(const TapeObject& Other) override;

    // The scene state when a page is drawn again: places and shows or hides the actor
    // without animating it, and gives the movement it enters in or changes to in
    // Movement (left as it was by the other actions).
    virtual void replayOnPage(KString& Movement);

    const KString& getMovementName() const { return m_movementName; }
    void setMovementName(const KString& Name) { m_movementName = Name; }
    uint8 getAction() const { return m_action; }
    void setAction(uint8 Action) { m_action = Action; }
    long getDuration() const { return m_duration; }
    void setDuration(long Duration) { m_duration = Duration; }
    uint8 getOrder() const { return m_order; }
    void setOrder(uint8 Order) { m_order = Order; }
    const KGraphicPoint& getTargetPosition() const { return m_targetPosition; }
    void setTargetPosition(const KGraphicPoint& P) { m_targetPosition = P; }
    const KAnimationVector& getTargetScale() const { return m_targetScale; }
    void setTargetScale(const KAnimationVector& V) { m_targetScale = V; }

private:
    void placeAtTarget(Actor& A) const;

    KString m_movementName;
    uint8 m_action = EnterOnScene;
    long m_duration = kDefaultDuration;
    uint8 m_order = BringToFront;
    KGraphicPoint m_targetPosition{10, 10};
    KAnimationVector m_targetScale{1.0f, 1.0f};
    KAnimationVector m_startScale;
    KAnimationPoint m_startPosition;
    long m_stepCount = 0;
};

K_POINTER_CLASS(ActorAction, TapeObjectPtr);
