#include "story/Tape.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KDirectory.h"
#include "foundation/KFile.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KStringBag.h"
#include "foundation/KernelFunctions.h"
#include "player/LumoApplication.h"
#include "story/Actor.h"
#include "story/LumoProject.h"
#include "story/LumoSpriteSystem.h"
#include "story/StoryBlocks.h"
#include "story/StoryWaitCursor.h"

K_DEFINE_CLASS(Tape, KBag, 1)

namespace {
// Screens up to these heights hide the menu bar while playing (flags 3 and 4), or only
// set flag 4.
constexpr long kSmallScreenHeight = 480;
constexpr long kMediumScreenHeight = 600;

Actor& actorAt(const KNamedBag& Cast, long Index) { return static_cast<Actor&>(Cast.getObjects()[Index]); }
} // namespace

Tape::Tape()
{
    const KGraphicSize pageSize = LumoApplication::getNewDocumentSize();
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
    kReadEachSection(F, Tape::getClassRecord(), [&](long ID) {
        if (ID == 2) {
            F.readLong(m_stopIndex);
            return true;
        }
        if (ID != 1)
            return false;
        const uint8 mode = KClassReader::getUnknownClassMode();
        if (mode == KClassReader::KeepEmptySlot)
            KClassReader::setUnknownClassMode(KClassReader::DropElement);
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
        return true;
    });
    for (long i = 0; i < getCount(); ++i)
        getObjectAt(i).setTape(*this);
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
    for (long i = 0; i < getCount(); ++i)
        getObjectAt(i).copyMediaTo(SourceFolder, TargetFolder);
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
    LumoProject* project = nullptr;
    if (hasProject())
        project = &getProject();
    else if (LumoApplication::hasApplication() && LumoApplication::getApplication().hasProject())
        project = &LumoApplication::getApplication().getProject();
    if (!project || !project->hasMediaDirectory())
        return;
    // Actor files are known by the type code of the application's actor file type.
    if (!LumoApplication::hasApplication())
        return;
    const KFileTypeID actorType = LumoApplication::getApplication().getActorFileType();
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
    if (!LumoApplication::hasApplication() || !LumoApplication::getApplication().hasProject())
        return;
    LumoProject& project = LumoApplication::getApplication().getProject();
    if (project.hasMediaDirectory())
        loadCast(project.getMediaDirectory(), SearchMedia);
}
