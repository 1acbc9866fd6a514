#include "story/Actor.h"

#include "foundation/KClassWriter.h"
#include "foundation/KDirectory.h"
#include "foundation/KDocument.h"
#include "foundation/KFile.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KAlphaImage.h"
#include "multimedia/AnimationFloats.h"
#include "multimedia/KTimerRelay.h"
#include "story/ActorSequence.h"
#include "story/LumoProject.h"
#include "story/StoryBlocks.h"
#include "story/StoryHost.h"
#include "story/StoryWaitCursor.h"
#include "story/Tape.h"

K_DEFINE_CLASS(Actor, KSprite, 1)

namespace {
const char* const kEntryName = "Actor";
} // namespace

Actor::Actor()
    : m_timer(new KTimer)
{
    m_timer->setPeriod(kTimerPeriod);
    m_timer->setRepeating(true);
    const StoryHost& host = StoryHost::get();
    if (host.hasProject()) {
        LumoProject& project = host.getProject();
        if (project.hasTape()) {
            m_documentWidth = project.getTape().getPageSize().getWidth();
            m_documentHeight = project.getTape().getPageSize().getHeight();
        }
    }
    ActorSequencePtr movement(new ActorSequence);
    TapePtr frame(new Tape);
    frame->setPageWidth(static_cast<short>(m_documentWidth));
    frame->setPageHeight(static_cast<short>(m_documentHeight));
    frame->setFrameTape(true);
    frame->setOwnerActor(*this);
    movement->addFrame(*frame);
    m_movements.add(*movement);
}

Actor::~Actor()
{
    stopAnimation();
    m_timer->stop();
    m_timer.reset();
    m_movements.clear();
}

ActorSequence& Actor::getMovementAt(long Index) const { return static_cast<ActorSequence&>(m_movements[Index]); }

template <typename Visit>
bool Actor::anyObject(Visit&& V) const
{
    for (long m = 0; m < m_movements.getCount(); ++m) {
        const ActorSequence& movement = getMovementAt(m);
        for (long f = 0; f < movement.getFrames().getCount(); ++f) {
            Tape& frame = movement.getFrameAt(f);
            for (long o = 0; o < frame.getCount(); ++o)
                if (V(frame.getObjectAt(o)))
                    return true;
        }
    }
    return false;
}

// Movements ---------------------------------------------------------------------------------

ActorSequence& Actor::getSequence(const KString& SequenceName) const
{
    for (long m = 0; m < m_movements.getCount(); ++m)
        if (getMovementAt(m).getName() == SequenceName)
            return getMovementAt(m);
    kksReportError(18, "ActorSequence& Actor::getSequence(const KString& SequenceName)");
    return kNullReference<ActorSequence>();
}

bool Actor::hasSequence(const KString& SequenceName) const
{
    for (long m = 0; m < m_movements.getCount(); ++m)
        if (getMovementAt(m).getName() == SequenceName)
            return true;
    return false;
}

void Actor::stopTimer()
{
    m_timer->setPeriod(-1);
    m_timer->resetTarget();
}

void Actor::stopAnimation()
{
    stopTimer();
    hide();
    getFrames().clear();
    m_currentMovement.clear();
    setCurrentFrame(-1);
}

// Frames ------------------------------------------------------------------------------------

void Actor::buildFrames(const KString& Name)
{
    if (!hasSequence(Name)) {
        stopTimer();
        m_firstFrame = 0;
        m_lastFrame = 0;
        setCurrentFrame(0);
        return;
    }
    if (Name != m_currentMovement) {
        stopAnimation();
        for (long m = 0; m < m_movements.getCount(); ++m)
            if (getMovementAt(m).getName() == Name)
                renderFrames(getMovementAt(m));
    }
    m_firstFrame = 0;
    setCurrentFrame(0);
    m_flags.set(kGoingForward);
    const ActorSequence& movement = getSequence(Name);
    m_playMode = movement.getPlayType();
    if (m_playMode == OnceReverse) {
        setCurrentFrame(m_lastFrame);
        m_flags.clear(kGoingForward);
    }
    // Restarted, so that the first step of the movement comes a whole period from now.
    m_timer->stop();
    m_timer->setPeriod(movement.getSpeed() * movement.getSpeed());
    m_timer->setRepeating(true);
    // The timer reaches the actor through a relay: holding the actor itself, it would keep
    // an actor that plays alive for good.
    KTimerRelayPtr relay(new KTimerRelay(*this));
    m_timer->setTarget(*relay);
    m_timer->start();
    m_currentMovement = Name;
    show();
}

void Actor::renderFrames(const ActorSequence& Movement)
{
    const KGraphicRectangle whole(0, 0, m_bounds.getWidth(), m_bounds.getHeight());
    for (long k = 0; k < Movement.getFrames().getCount(); ++k) {
        KAlphaImagePtr image(new KAlphaImage);
        KImagePtr mask(new KImage);
        image->create(whole.getSize());
        mask->create(whole.getSize());
        KGraphicDevice& imageDevice = image->getGraphicDevice();
        KGraphicDevice& maskDevice = mask->getGraphicDevice();
        maskDevice.paintRect(whole, kWhite);
        const Tape& frame = Movement.getFrameAt(k);
        for (long o = 0; o < frame.getCount(); ++o) {
            frame.getObjectAt(o).draw(imageDevice, m_bounds, whole);
            frame.getObjectAt(o).drawWithColor(maskDevice, m_bounds, whole);
        }
        image->setAlphaMask(*mask);
        image->setAlphaMode(KAlphaImage::kMaskByRaster);
        addFrame(*image);
        m_lastFrame = k;
    }
}

void Actor::doTimer(KTimer& T)
{
    if (&T != m_timer.get() || m_playMode == StaticImage)
        return;
    long f = nextFrame(getCurrentFrame());
    if (f < m_firstFrame)
        f = m_firstFrame;
    if (f > m_lastFrame)
        f = m_lastFrame;
    setCurrentFrame(f);
}

long Actor::nextFrame(long F)
{
    const long first = m_firstFrame;
    const long last = m_lastFrame;
    const bool forward = m_flags.isSet(kGoingForward);
    switch (m_playMode) {
    case PlayOnce:
        if (++F == last)
            m_playMode = StaticImage;
        break;
    case OnceReverse:
        if (--F < first) {
            F = first;
            m_playMode = StaticImage;
        }
        break;
    case PlayOnceForwardAndReverse:
        if (forward && ++F >= last) {
            F = last;
            m_flags.clear(kGoingForward);
        } else if (!forward && --F <= first) {
            F = first;
            m_playMode = StaticImage;
        }
        break;
    case PlayRepeated:
        if (++F > last)
            F = first;
        break;
    case PlayRepeatedReverse:
        if (--F < first)
            F = last;
        break;
    case PlayRepeatedForwardAndReverse:
        if (forward && ++F >= last)
            m_flags.clear(kGoingForward);
        else if (!forward && --F <= first)
            m_flags.set(kGoingForward);
        break;
    default:
        break;
    }
    return F;
}

void Actor::computeBounds()
{
    m_bounds.set(0, 0, 0, 0);
    anyObject([this](TapeObject& O) {
        KGraphicRectangle bounds;
        O.getBounds(bounds);
        m_bounds.unionWith(bounds);
        return false;
    });
}

void Actor::getBounds(KGraphicRectangle& R)
{
    short left = 0;
    short top = 0;
    getScaledCorner(left, top);
    R.set(left, top, kTruncateToShort(m_bounds.getWidth() * getScale().getX()),
          kTruncateToShort(m_bounds.getHeight() * getScale().getY()));
}

void Actor::copyFrom(const Actor& Other)
{
    KSprite::copyFrom(Other);
    KBagPtr movements(static_cast<KBag*>(&Other.m_movements.deepCopy()));
    m_movements.clear();
    if (movements.hasObject(nullptr))
        m_movements.addAll(*movements);
    m_bounds = Other.m_bounds;
    m_name = Other.m_name;
    m_documentWidth = Other.m_documentWidth;
    m_documentHeight = Other.m_documentHeight;
    for (long m = 0; m < m_movements.getCount(); ++m) {
        const ActorSequence& movement = getMovementAt(m);
        for (long f = 0; f < movement.getFrames().getCount(); ++f)
            movement.getFrameAt(f).setOwnerActor(*this);
    }
}

// Media -------------------------------------------------------------------------------------

void Actor::copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder)
{
    for (long m = 0; m < m_movements.getCount(); ++m)
        getMovementAt(m).copyMediaTo(SourceFolder, TargetFolder);
}

bool Actor::replaceMediaFile(const KFileReference& Old, const KFileReference& New)
{
    bool replaced = false;
    for (long m = 0; m < m_movements.getCount(); ++m)
        replaced = getMovementAt(m).replaceMediaFile(Old, New) || replaced;
    return replaced;
}

void Actor::collectMediaNames(KStringBag& Names)
{
    for (long m = 0; m < m_movements.getCount(); ++m)
        getMovementAt(m).collectMediaNames(Names);
}

bool Actor::usesMediaName(const KString& Name)
{
    for (long m = 0; m < m_movements.getCount(); ++m)
        if (getMovementAt(m).usesMediaName(Name))
            return true;
    return false;
}

bool Actor::findMissingMedia(const KPath& MediaFolder, const KPathPtr&)
{
    return anyObject([&](TapeObject& O) { return O.findMissingMedia(MediaFolder, KPathPtr()); });
}

// The class block and the actor file ----------------------------------------------------------

void Actor::writeToFile(KFile& F, long)
{
    computeBounds();
    KClassWriter writer;
    writer.begin(F, Actor::getClassRecord());
    writer.newSection(1);
    m_movements.writeToFile(F, 1);
    m_bounds.writeToFile(F, 1);
    writer.newSection(2);
    F.writeLong(m_documentWidth);
    F.writeLong(m_documentHeight);
    writer.end();
}

void Actor::readFromFile(KFile& F)
{
    m_documentWidth = kDefaultDocumentWidth;
    m_documentHeight = kDefaultDocumentHeight;
    kReadEachSection(F, Actor::getClassRecord(), [&](long ID) {
        if (ID == 1) {
            m_movements.setReadableClasses({ActorSequence::getClassRecord()});
            m_movements.readFromFile(F);
            m_bounds.readFromFile(F);
        } else if (ID == 2) {
            F.readLong(m_documentWidth);
            F.readLong(m_documentHeight);
        }
        return ID == 1 || ID == 2;
    });
    kDropElementsNotOf<ActorSequence>(m_movements);
    adoptFrames();
}

void Actor::adoptFrames()
{
    for (long m = 0; m < m_movements.getCount(); ++m) {
        const ActorSequence& movement = getMovementAt(m);
        for (long f = 0; f < movement.getFrames().getCount(); ++f) {
            Tape& frame = movement.getFrameAt(f);
            frame.setOwnerActor(*this);
            frame.setPageWidth(static_cast<short>(m_documentWidth));
            frame.setPageHeight(static_cast<short>(m_documentHeight));
        }
    }
}

void Actor::bindDocument(KDocument& Document, const KFileReference& File)
{
    KFileReferencePtr reference(new KFileReference(File));
    Document.setFileReference(*reference);
    Document.setType(kDocumentType);
    Document.setCreator(kDocumentVersion);
    // An actor document holds its actor and nothing else.
    Document.getObjects().setReadableClasses({Actor::getClassRecord()});
}

bool Actor::save(const KFileReference& File)
{
    StoryWaitCursor wait;
    KDocument document;
    bindDocument(document, File);
    document.addNamedObject(KString(kEntryName), *this);
    const bool saved = document.save();
    document.clear();
    m_name = File.getPath().getName();
    return saved;
}

bool Actor::load(const KFileReference& File, KDirectory& MediaFolder, bool& SearchMedia)
{
    StoryWaitCursor wait;
    if (!File.exists())
        return false;
    KDocument document;
    bindDocument(document, File);
    const KString entry(kEntryName);
    // Only an actor under the exact entry name is an actor document.
    Actor* stored = nullptr;
    if (document.load() && document.findName(entry))
        stored = dynamic_cast<Actor*>(&document.getNamedObject(entry));
    if (!stored) {
        const StoryHost& host = StoryHost::get();
        knsMessageBox(host.getLocalizedText("Error while reading file"),
                      host.getLocalizedText("This file is not an Actor Document File!"));
        return false;
    }
    copyFrom(*stored);
    document.clear();
    m_name = File.getPath().getName();
    if (SearchMedia)
        SearchMedia = !findMissingMedia(MediaFolder.getPath(), KPathPtr());
    return true;
}
