#pragma once
// A whole story: the ordered tape objects that playback walks under a timer, with the
// page size, the playback settings, the cast of actors that the story's actor steps move,
// and the links to the story sprite layer it draws into and the project it belongs to.
// Every frame of an actor's movement is a small tape too, marked as a frame tape.
//
// The bag itself holds the objects in story order; the tape gives each object itself as
// its tape whenever it reads, copies or takes in objects.
//
// Playback walks the objects under the tape's timer: each tick steps the running object,
// or, when none runs, makes the object at the play index the running one and starts it,
// so at most one object starts per tick. An object runs until it ends itself with
// resetRunningObject. A page begins at a page transition; drawing a page replays its
// objects onto the story layer's page image.
#include "foundation/KBag.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KNamedBag.h"
#include "foundation/KNativePtr.h"
#include "foundation/KSet.h"
#include "foundation/KTimer.h"
#include "story/TapeObject.h"

class Actor;
class ActorPtr;
class KColor;
class KDirectory;
class KFileReference;
class KKeyEvent;
class KMouseEvent;
class KSpriteLayer;
class LumoProject;
class LumoSpriteSystem;

class Tape : public KBag {
    K_DECLARE_CLASS(Tape)
public:
    enum PlayState : uint8 {
        Stopped = 0,
        Playing = 1,
        Paused = 2,
    };
    // Bits of the flag set.
    enum FlagBit : uint32 {
        // Marks of conversion, rewinding, writing and loading.
        MarkFlag0 = 0,
        MarkFlag1 = 1,
        LoopFlag = 2,
        HideMenuBarFlag = 3,
        // Set with bit 3 from the screen size.
        SmallScreenFlag = 4,
    };
    static constexpr long kDefaultTickInterval = 20;
    static constexpr long kNoStopIndex = -1;

    // An empty story tape whose page has the new-document size of the application's
    // preferences.
    Tape();
    ~Tape() override;

    // Section 1: the objects as the bag's block, the current position, the tick interval,
    // the flags' block and the frame-tape byte (16 bits); section 2, only with a stop
    // index: the stop index. Writing clears flag 0 and sets flag 1 first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    virtual void setRunningObject(TapeObject& O);
    virtual void resetRunningObject();
    virtual void setTimer(KTimer& T);
    virtual void resetTimer();
    // Takes the layer the tape draws into, giving up the previous one first.
    virtual void setSpriteSystem(LumoSpriteSystem& S);
    // Stops the cast's actors and takes their sprites off the layer, then drops it.
    virtual void resetSpriteSystem();
    virtual void setOwnerActor(Actor& A);
    virtual void resetOwnerActor();
    virtual void setProject(LumoProject& P);
    virtual void resetProject();
    // Each object's search in order, up to the first whose user gave the search up;
    // true then.
    virtual bool findMissingMedia(const KPath& MediaFolder);
    // Input while the tape plays, passed to the running object; false (0) without one.
    virtual bool keyDown(KKeyEvent& E);
    virtual bool mouseMoved(KMouseEvent& E);
    // 4 when the running object asks for the mouse to be captured, else 0.
    virtual uint8 mouseDown(KMouseEvent& E);
    virtual bool mouseKind4(KMouseEvent& E);
    virtual bool mouseUp(KMouseEvent& E);

    // Playback. Begins at the object Index: the page is drawn up to it (cleared first when
    // Index is 0) and the timer ticks at the tick interval. Nothing unless the tape is
    // stopped and Index names an object.
    void start(long Index);
    // The timer's tick.
    void doTimer(KTimer& T) override;
    void tick();
    // Stops all media and drops the running object, which starts again from its beginning
    // on resume.
    void pause();
    void resume();
    // Stops the running object, the timer and all media, and sets the actors' scene.
    void stop();
    // To the start of the story, or just after the stop index.
    void rewind();
    // Moves the current position (clamped to the objects) and draws its page; not to a
    // place before the stop index.
    void goToIndex(long Index);
    // Clamped to the objects.
    void setPlayIndex(long Index);
    // The index of the page transition that begins the page of Position; 0 for the first
    // page. A transition at index 0 begins no page of its own.
    long findPageStart(long Position) const;
    // The nearest stop point before Position, else 0; the first one at or after it, else
    // the count (Position itself when it lies past the objects).
    long findPreviousStopPoint(long Position) const;
    long findNextStopPoint(long Position) const;
    // The page up to the drawing position, drawn anew, then the actors' scene.
    void redrawPage();
    // The actors' scene at the drawing position: the page's actor actions and motions
    // replayed since the last transition that hides the actors; the actors they leave on
    // stage play their movements, the others are stopped.
    void prepareActors();
    // Where the user may go back or on to: page transitions, movies, speeches, sounds and
    // texts read aloud.
    static bool isStopPoint(const TapeObject& O);

    // Error 18 for what is not set.
    TapeObject& getRunningObject() const { return m_runningObject.getObject(); }
    bool hasRunningObject() const { return m_runningObject.hasObject(nullptr); }
    KTimer& getTimer() const { return m_timer.getObject(); }
    LumoSpriteSystem& getSpriteSystem() const;
    bool hasSpriteSystem() const { return m_spriteSystem.hasObject(nullptr); }
    LumoProject& getProject() const;
    bool hasProject() const { return m_project.hasNativePtr(); }
    Actor& getOwnerActor() const;
    bool hasOwnerActor() const { return m_ownerActor.hasNativePtr(); }

    TapeObject& getObjectAt(long Index) const { return static_cast<TapeObject&>(KBag::getObjectAt(Index)); }

    const KGraphicSize& getPageSize() const { return m_pageSize; }
    void setPageWidth(short Width) { m_pageSize.setWidth(Width); }
    void setPageHeight(short Height) { m_pageSize.setHeight(Height); }
    void setFlag(uint32 Bit) { m_flags.set(Bit); }
    void resetFlag(uint32 Bit) { m_flags.clear(Bit); }
    bool isFlagSet(uint32 Bit) const { return m_flags.isSet(Bit); }
    uint8 getPlayState() const { return m_playState; }
    bool isFrameTape() const { return m_frameTape != 0; }
    void setFrameTape(bool On) { m_frameTape = On ? 1 : 0; }
    long getCurrentPosition() const { return m_currentPosition; }
    void setCurrentPosition(long Position) { m_currentPosition = Position; }
    // Stored, and used at the next start.
    void setTickInterval(long Milliseconds) { m_tickInterval = Milliseconds; }
    long getTickInterval() const { return m_tickInterval; }
    long getStopIndex() const { return m_stopIndex; }
    void setStopIndex(long Index) { m_stopIndex = Index; }
    void clearStopIndex() { m_stopIndex = kNoStopIndex; }
    // True when a stop index is set and lies after Index: the user may not go there.
    bool isBeforeStopIndex(long Index) const { return m_stopIndex >= 0 && m_stopIndex > Index; }
    long getPlayIndex() const { return m_playIndex; }
    // What a page drawing works to: the play index while playing or paused, else the
    // current position.
    long getDrawingPosition() const;
    // 1 ≤ current position ≤ count: the current object is the one before the position.
    bool isCurrentIndexValid() const { return m_currentPosition >= 1 && m_currentPosition <= getCount(); }
    TapeObject& getCurrentObject() const { return getObjectAt(m_currentPosition - 1); }

    // Empties the tape and takes copies of the other's objects of the known kinds, its
    // page size, position, stop index, tick interval, frame-tape mark and owner actor.
    // The flags stay those of this tape.
    void copyObjectsFrom(const Tape& Other);
    // Every object's media copied into the target folder, and those of the frames of the
    // actors that actor actions name.
    void copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder);
    // True when any object took the new file for the old one.
    bool replaceMediaFile(const KFileReference& Old, const KFileReference& New);

    // The cast, by actor name (letter case does not count).
    const KNamedBag& getCast() const { return m_cast; }
    bool hasActor(const KString& Name) const { return m_cast.findName(Name); }
    // Error 18 for a name not in the cast: callers test with hasActor or use findActor.
    Actor& getActor(const KString& Name) const;
    bool findActor(const KString& Name, ActorPtr& Out) const;
    // Adds the actor under its name, replacing one of that name.
    void addActor(Actor& A);
    // Shows the actor and puts it on the actor sprite layer.
    void showActor(const KString& Name);
    // Stops its frames, hides it and takes it off the layer.
    void hideActor(const KString& Name);
    bool isActorVisible(const KString& Name) const;
    void hideCast();
    void clearCastSprites();
    void clearCast();
    // Loads the actor files of the project's media folder that are not in the cast yet:
    // the tape's project, else the application's current one.
    void loadCast(KDirectory& Folder, bool& SearchMedia);
    void loadCastFromProject(bool& SearchMedia);

private:
    // The actors' sprite layer of the story sprite layer, null without one.
    KSpriteLayer* getActorLayer() const;
    void forEachActor(void (*Do)(Actor& A));
    // The page in one colour, shown: black for a story, white for an actor's frame.
    void clearPage();
    void fillPage(const KColor& Color);
    static void stopAllMedia();

    TapeObjectPtr m_runningObject;
    KTimerPtr m_timer;
    KThingPtr m_spriteSystem;
    KNativePtr m_ownerActor;
    KNativePtr m_project;
    KSet m_flags;
    uint8 m_playState = Stopped;
    uint8 m_frameTape = 0;
    KGraphicSize m_pageSize;
    long m_currentPosition = 0;
    long m_tickInterval = kDefaultTickInterval;
    long m_stopIndex = kNoStopIndex;
    long m_playIndex = 0;
    KNamedBag m_cast;
};

K_POINTER_CLASS(Tape, KBagPtr);
