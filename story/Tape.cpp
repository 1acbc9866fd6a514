#include "story/Tape.h"

#include "application/KCursorManager.h"
#include "application/KMenuBar.h"
#include "application/KMenuManager.h"
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KDirectory.h"
#include "foundation/KFile.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KStringBag.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KColor.h"
#include "multimedia/KMediaManager.h"
#include "story/Actor.h"
#include "story/ActorAction.h"
#include "story/LumoProject.h"
#include "story/LumoSpriteSystem.h"
#include "story/StoryBlocks.h"
#include "story/StoryHost.h"
#include "story/StoryMediaSupport.h"
#include "story/StoryStage.h"
#include "story/StoryWaitCursor.h"
#include "story/WipeOut.h"

K_DEFINE_CLASS(Tape, KBag, 1)

namespace {
// Screens up to these heights hide the menu bar while playing (flags 3 and 4), or only
// set flag 4.
constexpr long kSmallScreenHeight = 480;
constexpr long kMediumScreenHeight = 600;
// The playback timer never falls further behind than this.
constexpr long kMaxTickLag = 200;

Actor& actorAt(const KNamedBag& Cast, long Index) { return static_cast<Actor&>(Cast.getObjects()[Index]); }
} // namespace

Tape::Tape()
{
    const KGraphicSize pageSize = StoryHost::get().getNewDocumentSize();
    m_pageSize = pageSize;
    const long screenHeight = knsGetScreenHeight();
    if (screenHeight <= kSmallScreenHeight) {
        m_flags.set(HideMenuBarFlag);
        m_flags.set(SmallScreenFlag);
    } else if (screenHeight <= kMediumScreenHeight) {
        m_flags.clear(HideMenuBarFlag);
        m_flags.set(SmallScreenFlag);
    } else {
        m_flags.clear(HideMenuBarFlag);
        m_flags.clear(SmallScreenFlag);
    }
    KTimerPtr timer(new KTimer);
    setTimer(*timer);
    m_cast.setCaseSensitive(false);
}

Tape::~Tape()
{
    resetRunningObject();
    resetProject();
    resetOwnerActor();
}

// Links ------------------------------------------------------------------------------------

void Tape::setRunningObject(TapeObject& O) { m_runningObject.setObject(O); }
void Tape::resetRunningObject() { m_runningObject.reset(); }
void Tape::setTimer(KTimer& T) { m_timer.setObject(T); }
void Tape::resetTimer() { m_timer.reset(); }

void Tape::setSpriteSystem(LumoSpriteSystem& S)
{
    resetSpriteSystem();
    m_spriteSystem.setObject(S);
}

void Tape::resetSpriteSystem()
{
    clearCastSprites();
    m_spriteSystem.reset();
}

LumoSpriteSystem& Tape::getSpriteSystem() const
{
    return static_cast<LumoSpriteSystem&>(m_spriteSystem.getObject());
}

void Tape::setOwnerActor(Actor& A) { m_ownerActor.setNativePtr(&A); }
void Tape::resetOwnerActor() { m_ownerActor.reset(); }
Actor& Tape::getOwnerActor() const { return static_cast<Actor&>(m_ownerActor.getNativePtr()); }
void Tape::setProject(LumoProject& P) { m_project.setNativePtr(&P); }
void Tape::resetProject() { m_project.reset(); }
LumoProject& Tape::getProject() const { return static_cast<LumoProject&>(m_project.getNativePtr()); }

// Input ------------------------------------------------------------------------------------

bool Tape::keyDown(KKeyEvent& E) { return hasRunningObject() && getRunningObject().keyDown(E); }
bool Tape::mouseMoved(KMouseEvent& E) { return hasRunningObject() && getRunningObject().mouseMoved(E); }
bool Tape::mouseKind4(KMouseEvent& E) { return hasRunningObject() && getRunningObject().mouseKind4(E); }
bool Tape::mouseUp(KMouseEvent& E) { return hasRunningObject() && getRunningObject().mouseUp(E); }

uint8 Tape::mouseDown(KMouseEvent& E)
{
    if (hasRunningObject() && getRunningObject().mouseDown(E) == TapeObject::kCaptureMouse)
        return TapeObject::kCaptureMouse;
    return 0;
}

// The class block -------------------------------------------------------------------------

void Tape::writeToFile(KFile& F, long)
{
    m_flags.clear(MarkFlag0);
    m_flags.set(MarkFlag1);
    KClassWriter writer;
    writer.begin(F, Tape::getClassRecord());
    writer.newSection(1);
    KBag::writeToFile(F, 1);
    F.writeLong(m_currentPosition);
    F.writeLong(m_tickInterval);
    m_flags.writeToFile(F, 1);
    F.writeShort(m_frameTape);
    if (m_stopIndex >= 0) {
        writer.newSection(2);
        F.writeLong(m_stopIndex);
    }
    writer.end();
}

void Tape::readFromFile(KFile& F)
{
    clearCast();
    bool objectsRead = false;
    const bool ofClass = kReadEachSection(F, Tape::getClassRecord(), [&](long ID) {
        if (ID == 2) {
            F.readLong(m_stopIndex);
            return true;
        }
        if (ID != 1)
            return false;
        const uint8 mode = KClassReader::getUnknownClassMode();
        if (mode == KClassReader::KeepEmptySlot)
            KClassReader::setUnknownClassMode(KClassReader::DropElement);
        setReadableClasses({TapeObject::getClassRecord()});
        KBag::readFromFile(F);
        KClassReader::setUnknownClassMode(mode);
        kDropElementsNotOf<TapeObject>(*this);
        long position = 0;
        short frameTape = 0;
        F.readLong(position);
        F.readLong(m_tickInterval);
        m_flags.readFromFile(F);
        F.readShort(frameTape);
        // A position outside the objects would name no current object.
        m_currentPosition = position < 0 ? 0 : (position > getCount() ? getCount() : position);
        m_frameTape = static_cast<uint8>(frameTape);
        objectsRead = true;
        return true;
    });
    // Every tape is written with its objects' section: a block of the class without it was
    // damaged (the section's ID hit, say) and would otherwise read as an empty story.
    if (ofClass && !objectsRead && F.getError() == 0)
        F.setError(KClassReader::kDamagedDataError);
    for (long i = 0; i < getCount(); ++i) {
        TapeObject& object = getObjectAt(i);
        object.setTape(*this);
        // A story that needs what this machine lacks says so once in a run.
        if ((object.getKind() == TapeObject::SpeechKind || object.readsAloud()) && !kStoryHasSpeechEngine())
            StoryHost::get().warnNoSpeech();
        if (object.getKind() == TapeObject::MovieKind && !kStoryHasMovieEngine())
            StoryHost::get().warnNoQuickTime();
    }
}

// Copies and media -------------------------------------------------------------------------

void Tape::copyObjectsFrom(const Tape& Other)
{
    if (&Other == this)
        return;
    KBag::clear();
    m_pageSize = Other.m_pageSize;
    for (long i = 0; i < Other.getCount(); ++i) {
        const TapeObject& source = Other.getObjectAt(i);
        if (!TapeObject::isKnownKind(source.getKind()))
            continue;
        KThingPtr made(source.getClass().createObject());
        auto* copy = dynamic_cast<TapeObject*>(made.get());
        if (!copy)
            continue;
        copy->copyFrom(source);
        copy->setTape(*this);
        add(*copy);
    }
    m_currentPosition = Other.m_currentPosition;
    m_stopIndex = Other.m_stopIndex;
    setTickInterval(Other.m_tickInterval);
    m_frameTape = Other.m_frameTape;
    if (Other.hasOwnerActor())
        setOwnerActor(Other.getOwnerActor());
    resetRunningObject();
}

bool Tape::findMissingMedia(const KPath& MediaFolder)
{
    for (long i = 0; i < getCount(); ++i) {
        if (getObjectAt(i).findMissingMedia(MediaFolder, KPathPtr()))
            return true;
    }
    return false;
}

void Tape::copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder)
{
    StoryWaitCursor wait;
    KStringBag actors;
    for (long i = 0; i < getCount(); ++i) {
        getObjectAt(i).copyMediaTo(SourceFolder, TargetFolder);
        if (auto* action = dynamic_cast<ActorAction*>(&getObjectAt(i)); action && !actors.contains(action->getActorName()))
            actors.add(action->getActorName());
    }
    // The media inside the frames of the actors that the story brings on stage go along.
    for (long i = 0; i < actors.getCount(); ++i) {
        ActorPtr actor;
        if (findActor(actors.getStringAt(i), actor))
            actor->copyMediaTo(SourceFolder, TargetFolder);
    }
}

bool Tape::replaceMediaFile(const KFileReference& Old, const KFileReference& New)
{
    StoryWaitCursor wait;
    bool replaced = false;
    for (long i = 0; i < getCount(); ++i)
        replaced = getObjectAt(i).replaceMediaFile(Old, New) || replaced;
    return replaced;
}

// The cast ---------------------------------------------------------------------------------

Actor& Tape::getActor(const KString& Name) const { return static_cast<Actor&>(m_cast.getNamedObject(Name)); }

bool Tape::findActor(const KString& Name, ActorPtr& Out) const
{
    long index = -1;
    if (!m_cast.findName(Name, &index))
        return false;
    Out = actorAt(m_cast, index);
    return true;
}

void Tape::addActor(Actor& A) { m_cast.addNamedObject(A.getName(), A, true); }

KSpriteLayer* Tape::getActorLayer() const
{
    if (!hasSpriteSystem() || !getSpriteSystem().hasFirstLayer())
        return nullptr;
    return &getSpriteSystem().getFirstLayer();
}

void Tape::forEachActor(void (*Do)(Actor& A))
{
    for (long i = 0; i < m_cast.getCount(); ++i)
        Do(actorAt(m_cast, i));
}

void Tape::showActor(const KString& Name)
{
    ActorPtr actor;
    if (!findActor(Name, actor))
        return;
    actor->show();
    // An actor already on stage is not put on the layer a second time.
    KSpriteLayer* layer = getActorLayer();
    if (layer && !layer->hasSprite(*actor))
        layer->addSprite(*actor);
}

void Tape::hideActor(const KString& Name)
{
    ActorPtr actor;
    if (!findActor(Name, actor))
        return;
    actor->stopTimer();
    actor->hide();
    if (KSpriteLayer* layer = getActorLayer(); layer && layer->hasSprite(*actor))
        layer->removeSprite(*actor);
}

bool Tape::isActorVisible(const KString& Name) const
{
    ActorPtr actor;
    return findActor(Name, actor) && actor->isVisible();
}

void Tape::hideCast()
{
    if (KSpriteLayer* layer = getActorLayer())
        layer->removeAllSprites();
    forEachActor([](Actor& A) {
        A.hide();
        A.stopTimer();
    });
}

void Tape::clearCastSprites()
{
    forEachActor([](Actor& A) { A.stopTimer(); });
    if (KSpriteLayer* layer = getActorLayer())
        layer->removeAllSprites();
}

void Tape::clearCast()
{
    clearCastSprites();
    m_cast.clear();
}

void Tape::loadCast(KDirectory& Folder, bool& SearchMedia)
{
    const StoryHost& host = StoryHost::get();
    LumoProject* project = nullptr;
    if (hasProject())
        project = &getProject();
    else if (host.hasProject())
        project = &host.getProject();
    if (!project || !project->hasMediaDirectory())
        return;
    // Actor files are known by the type code of the application's actor file type.
    const KFileTypeID actorType = host.getActorFileType();
    if (!KFileTypeHandler::hasAssociation(actorType))
        return;
    const KString typeCode = KFileTypeHandler::getAssociation(actorType).getType();

    KBagPtr entries = project->getMediaDirectory().getFiles(KDirectory::Files);
    for (long i = 0; entries.hasObject(nullptr) && i < entries->getCount(); ++i) {
        auto* file = dynamic_cast<KFileReference*>(&entries->getObjectAt(i));
        if (!file || file->getPath().getKind() != KPath::FileKind)
            continue;
        const KFileTypeID type = file->getFileTypeHandle();
        if (!KFileTypeHandler::hasAssociation(type) || KFileTypeHandler::getAssociation(type).getType() != typeCode)
            continue;
        if (m_cast.findName(file->getPath().getName()))
            continue;
        ActorPtr actor(new Actor);
        if (!actor->load(*file, Folder, SearchMedia))
            continue;
        actor->computeBounds();
        addActor(*actor);
        actor->hide();
    }
}

void Tape::loadCastFromProject(bool& SearchMedia)
{
    const StoryHost& host = StoryHost::get();
    if (!host.hasProject())
        return;
    LumoProject& project = host.getProject();
    if (project.hasMediaDirectory())
        loadCast(project.getMediaDirectory(), SearchMedia);
}

// Playback ---------------------------------------------------------------------------------

long Tape::getDrawingPosition() const
{
    const long position = (m_playState == Playing || m_playState == Paused) ? m_playIndex : m_currentPosition;
    // A position set from outside may name no object; a page ends at the last one.
    return position < 0 ? 0 : (position > getCount() ? getCount() : position);
}

bool Tape::isStopPoint(const TapeObject& O)
{
    switch (O.getKind()) {
    case TapeObject::PageTransitionKind:
    case TapeObject::MovieKind:
    case TapeObject::SpeechKind:
    case TapeObject::SoundKind:
        return true;
    case TapeObject::TextKind:
        return O.readsAloud();
    default:
        return false;
    }
}

void Tape::stopAllMedia()
{
    if (KMediaManager::hasMediaManager())
        KMediaManager::getMediaManager().stopAll();
}

void Tape::fillPage(const KColor& Color)
{
    if (!hasSpriteSystem())
        return;
    KSpriteSystem& compositor = getSpriteSystem().getSpriteSystem();
    if (!compositor.hasBackground())
        return;
    KGraphicDevice& page = compositor.getBackground().getGraphicDevice();
    page.setForeColor(Color);
    page.paintRect(page.getBounds());
    compositor.invalidate(page.getBounds());
}

void Tape::clearPage() { fillPage(isFrameTape() ? kWhite : kBlack); }

void Tape::start(long Index)
{
    StoryStage* stage = StoryStage::find();
    if (stage)
        stage->clearHighlight(false);
    if (m_playState != Stopped || Index < 0 || Index >= getCount())
        return;

    // The page as it stands before the object Index.
    const long position = m_currentPosition;
    m_currentPosition = Index;
    redrawPage();
    m_currentPosition = position;
    m_playIndex = Index;
    if (Index == 0)
        clearPage();

    KTimer& timer = getTimer();
    timer.setPeriod(m_tickInterval);
    timer.setCatchUpMode(KTimer::SteadyWithLagLimit);
    timer.setMaxLag(kMaxTickLag);
    timer.setTarget(*this);
    timer.setRepeating(true);
    m_playState = Playing;
    if (KMenuManager::exists() && KMenuManager::getMenuManager().hasMenuBar())
        KMenuManager::getMenuManager().getMenuBar().sendUpdateEvents();
    timer.start();
}

void Tape::doTimer(KTimer& T)
{
    if (&T == &getTimer())
        tick();
}

void Tape::tick()
{
    if (m_playState != Playing)
        return;
    if (hasRunningObject()) {
        TapeObjectPtr running(getRunningObject());
        running->step();
    } else if (m_playIndex >= 0 && m_playIndex < getCount()) {
        TapeObjectPtr next(getObjectAt(m_playIndex));
        if (next->isEnabled()) {
            setRunningObject(*next);
            next->start();
        }
    }
    // The object may have stopped or paused the story itself.
    if (hasRunningObject() || m_playState != Playing)
        return;
    if (++m_playIndex < getCount())
        return;

    if (hasSpriteSystem())
        getSpriteSystem().getSpriteSystem().redrawAll();
    if (isFlagSet(LoopFlag)) {
        m_playIndex = 0;
        clearPage();
        hideCast();
        forEachActor([](Actor& A) { A.stopAnimation(); });
        stopAllMedia();
        return;
    }
    if (StoryStage* stage = StoryStage::find())
        stage->stopStory();
    else
        stop();
}

void Tape::pause()
{
    if (m_playState != Playing)
        return;
    if (StoryStage* stage = StoryStage::find())
        stage->showOverlays(StoryStage::PauseOverlay);
    stopAllMedia();
    resetRunningObject();
    m_playState = Paused;
}

void Tape::resume()
{
    if (m_playState != Paused)
        return;
    if (StoryStage* stage = StoryStage::find())
        stage->hideOverlays();
    m_playState = Playing;
}

void Tape::stop()
{
    if (m_playState == Stopped)
        return;
    if (hasRunningObject()) {
        TapeObjectPtr running(getRunningObject());
        running->stop();
        resetRunningObject();
    }
    m_playState = Stopped;
    // The timer names the tape as its target; kept, the two would hold each other for good.
    getTimer().stop();
    getTimer().resetTarget();
    if (KMediaManager::hasMediaManager()) {
        KMediaManager::getMediaManager().stopAll();
        KMediaManager::getMediaManager().unloadAll();
    }
    if (KCursorManager::exists())
        KCursorManager::get().showCursor();
    prepareActors();
}

void Tape::setPlayIndex(long Index)
{
    const long last = getCount() - 1;
    m_playIndex = Index > last ? last : Index;
    if (m_playIndex < 0)
        m_playIndex = 0;
}

void Tape::goToIndex(long Index)
{
    const long count = getCount();
    Index = Index < 0 ? 0 : (Index > count ? count : Index);
    if (isBeforeStopIndex(Index))
        return;
    StoryWaitCursor wait;
    if (StoryStage* stage = StoryStage::find())
        stage->clearHighlight(false);
    m_currentPosition = Index;
    redrawPage();
}

void Tape::rewind()
{
    if (m_stopIndex > 0) {
        if (m_stopIndex + 1 > getCount())
            return;
        m_currentPosition = m_stopIndex + 1;
    } else {
        m_currentPosition = 0;
    }
    if (!isFrameTape())
        setFlag(MarkFlag0);
    StoryWaitCursor wait;
    StoryStage* stage = StoryStage::find();
    if (stage)
        stage->clearHighlight(false);
    redrawPage();
    if (stage && stage->highlightsElements())
        stage->highlightCurrentObject();
}

long Tape::findPageStart(long Position) const
{
    for (long i = (Position > getCount() ? getCount() : Position) - 1; i >= 1; --i) {
        if (getObjectAt(i).getKind() == TapeObject::PageTransitionKind)
            return i;
    }
    return 0;
}

long Tape::findPreviousStopPoint(long Position) const
{
    for (long i = (Position > getCount() ? getCount() : Position) - 1; i >= 1; --i) {
        if (isStopPoint(getObjectAt(i)))
            return i;
    }
    return 0;
}

long Tape::findNextStopPoint(long Position) const
{
    if (Position >= getCount())
        return Position;
    for (long i = Position < 0 ? 0 : Position; i < getCount(); ++i) {
        if (isStopPoint(getObjectAt(i)))
            return i;
    }
    return getCount();
}

void Tape::redrawPage()
{
    if (!hasSpriteSystem())
        return;
    const long position = getDrawingPosition();
    StoryWaitCursor wait;
    if (!isFrameTape())
        fillPage(kBlack);
    for (long i = findPageStart(position); i < position; ++i) {
        TapeObjectPtr object(getObjectAt(i));
        const uint8 kind = object->getKind();
        if (object->isEnabled() && kind != TapeObject::ActorActionKind && kind != TapeObject::ActorMotionKind)
            object->drawOnPage();
    }
    KSpriteSystem& compositor = getSpriteSystem().getSpriteSystem();
    if (compositor.hasBackground())
        compositor.invalidate(compositor.getBackground().getGraphicDevice().getBounds());
    prepareActors();
}

void Tape::prepareActors()
{
    hideCast();
    const long position = getDrawingPosition();
    // The page's actors came on after the last transition that cleared the stage.
    long first = 0;
    for (long i = position - 1; i >= 0 && first == 0; --i) {
        const auto* transition = dynamic_cast<const WipeOut*>(&getObjectAt(i));
        if (transition && transition->hidesActors())
            first = i;
    }
    // The movement each actor on stage is in, by actor name.
    KNamedBag movements;
    movements.setCaseSensitive(false);
    for (long i = first; i < position; ++i) {
        TapeObjectPtr object(getObjectAt(i));
        if (auto* action = dynamic_cast<ActorAction*>(object.get())) {
            const KString& actor = action->getActorName();
            KString movement;
            if (movements.findName(actor))
                movement = static_cast<KString&>(movements.getNamedObject(actor));
            action->replayOnPage(movement);
            if (!movement.isEmpty())
                movements.addNamedObject(actor, *KStringPtr(new KString(movement)), true);
            if (action->getAction() == ActorAction::ExitFromScene)
                movements.removeNamedObject(actor);
        } else if (object->getKind() == TapeObject::ActorMotionKind) {
            object->drawOnPage();
        }
    }
    for (long i = 0; i < m_cast.getCount(); ++i) {
        Actor& actor = actorAt(m_cast, i);
        const KString& name = actor.getName();
        if (!movements.findName(name) || !actor.hasSequence(static_cast<KString&>(movements.getNamedObject(name)))) {
            actor.stopAnimation();
            continue;
        }
        const bool onStage = actor.isVisible();
        actor.buildFrames(static_cast<KString&>(movements.getNamedObject(name)));
        if (!onStage)
            showActor(name);
    }
}
