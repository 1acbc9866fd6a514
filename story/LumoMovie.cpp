#include "story/LumoMovie.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KGraphicDevice.h"
#include "multimedia/KSpriteSystem.h"
#include "story/ShownPage.h"
#include "story/StoryHost.h"
#include "story/StoryMediaSupport.h"
#include "story/Tape.h"
#include "story/TapeMediaFile.h"

K_DEFINE_CLASS(LumoMovie, TapeGraphicObject, 1)

namespace {
// The highlight's frames around the bounds.
constexpr short kFrameStep = 2;
constexpr short kHighlightPen = 2;

bool platformMouseButtonDown() { return knsIsMouseButtonDown(); }

LumoMovie::MouseButtonProbe s_mouseButtonDown = &platformMouseButtonDown;
} // namespace

void LumoMovie::setMouseButtonProbe(MouseButtonProbe Probe)
{
    s_mouseButtonDown = Probe ? Probe : &platformMouseButtonDown;
}

LumoMovie::LumoMovie()
{
    setKind(MovieKind);
    KGraphicRectangle page;
    if (!kFindShownPage(page)) {
        const KGraphicSize size = StoryHost::get().getNewDocumentSize();
        page = KGraphicRectangle(0, 0, size.getWidth(), size.getHeight());
    }
    KGraphicRectangle bounds(0, 0, kDefaultWidth, kDefaultHeight);
    bounds.centerIn(page);
    setBounds(bounds);
}

LumoMovie::~LumoMovie() { stop(); }

void LumoMovie::setRunningMedia(KAbstractMedia& M) { m_runningMedia.setObject(M); }
void LumoMovie::resetRunningMedia() { m_runningMedia.reset(); }

void LumoMovie::setFileReference(const KFileReference& File)
{
    if (File == m_movieFile)
        return;
    m_movieFile = File;
    releaseMovie();
    m_stillImage = nullptr;
}

void LumoMovie::endOnTape()
{
    if (hasTape())
        getTape().resetRunningObject();
}

void LumoMovie::invalidateBounds() const
{
    if (KSpriteSystem* compositor = findPageCompositor()) {
        KGraphicRectangle bounds;
        getBounds(bounds);
        compositor->invalidate(bounds);
    }
}

KGraphicRectangle LumoMovie::targetOf(const KGraphicRectangle& Source, const KGraphicRectangle& Destination) const
{
    KGraphicRectangle target;
    getBounds(target);
    target.offset(static_cast<short>(Destination.getH() - Source.getH()),
                  static_cast<short>(Destination.getV() - Source.getV()));
    return target;
}

// The movie --------------------------------------------------------------------------------

void LumoMovie::prepareMovie()
{
    KGraphicRectangle bounds;
    getBounds(bounds);
    if (!hasMovie()) {
        KSpriteSystem* compositor = findPageCompositor();
        if (!compositor || !m_movieFile.exists())
            return;
        KMoviePtr movie(new KMovie);
        m_movie = movie;
        movie->createFromFile(m_movieFile);
        movie->setTargetDevice(compositor->getBackground().getGraphicDevice());
        movie->setBounds(bounds);
        movie->load();
        movie->setVolume(m_volume);
    } else {
        if (m_movie->getState() == KAbstractMedia::Unloaded)
            m_movie->load();
        m_movie->setParameter(0.0);
        m_movie->setVolume(m_volume);
        m_movie->setBounds(bounds);
    }
    if (m_movie->getState() == KAbstractMedia::Unloaded)
        releaseMovie();
}

void LumoMovie::releaseMovie()
{
    if (!hasMovie())
        return;
    // The media manager lists every loaded movie: unloaded, it is truly let go, and its
    // engine closes the file.
    KMoviePtr movie = m_movie;
    m_movie = nullptr;
    movie->unload();
}

// Playing ----------------------------------------------------------------------------------

void LumoMovie::start()
{
    if (!kStoryHasMovieEngine()) {
        StoryHost::get().warnNoQuickTime();
        endOnTape();
        return;
    }
    prepareMovie();
    if (m_clickStops != 0)
        m_clickArmed = s_mouseButtonDown() ? 0 : 1;
    if (hasMovie()) {
        KGraphicRectangle bounds;
        getBounds(bounds);
        setRunningMedia(*m_movie);
        m_movie->stop();
        m_movie->setBounds(bounds);
        m_movie->play();
    } else {
        endOnTape();
    }
    invalidateBounds();
}

void LumoMovie::step()
{
    if (!hasRunningMedia()) {
        endOnTape();
    } else if (!static_cast<KAbstractMedia&>(m_runningMedia.getObject()).isPlaying()) {
        stop();
        endOnTape();
    } else if (m_clickStops != 0) {
        // A button held when the movie began must be let go before a press counts.
        const bool held = s_mouseButtonDown();
        if (m_clickArmed == 0) {
            m_clickArmed = held ? 0 : 1;
        } else if (held) {
            stop();
            endOnTape();
        }
    }
    invalidateBounds();
}

void LumoMovie::stop()
{
    if (hasRunningMedia()) {
        KThingPtr running = m_runningMedia;
        resetRunningMedia();
        static_cast<KAbstractMedia&>(running.getObject()).stop();
    }
    releaseMovie();
}

void LumoMovie::redraw() {}

// Drawing ----------------------------------------------------------------------------------

void LumoMovie::makeStillImage()
{
    KGraphicRectangle bounds;
    getBounds(bounds);
    const KGraphicRectangle whole(0, 0, bounds.getWidth(), bounds.getHeight());
    KImagePtr still(new KImage);
    m_stillImage = still;
    still->create(bounds.getSize());
    prepareMovie();
    KGraphicDevice& device = still->getGraphicDevice();
    if (hasMovie()) {
        m_movie->draw(device, whole);
    } else {
        device.paintRect(whole, kWhite);
        device.outlineRect(whole, kBlack);
    }
    resetRunningMedia();
}

void LumoMovie::draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination)
{
    if (!kStoryHasMovieEngine())
        StoryHost::get().warnNoQuickTime();
    if (!m_stillImage.hasObject(nullptr))
        makeStillImage();
    m_stillImage->draw(D, targetOf(Source, Destination));
    invalidateBounds();
    m_stillImage = nullptr;
    releaseMovie();
}

void LumoMovie::drawKindIcon(KGraphicDevice& D, const KGraphicRectangle&, const KGraphicRectangle&)
{
    KGraphicRectangle target;
    getBounds(target);
    target.expand(2 * kFrameStep, 2 * kFrameStep);
    D.saveState();
    D.setPenSize(kHighlightPen);
    D.paintRect(target, kWhite);
    target.inset(kFrameStep, kFrameStep);
    D.paintRect(target, kBlack);
    target.inset(kFrameStep, kFrameStep);
    D.restoreState();
    if (!kStoryHasMovieEngine())
        StoryHost::get().warnNoQuickTime();
    makeStillImage();
    // The still frame with its edge outlined in inverted pixels.
    const KGraphicRectangle whole(0, 0, target.getWidth(), target.getHeight());
    KImagePtr marked(new KImage);
    marked->create(target.getSize());
    m_stillImage->getGraphicDevice().copyBits(marked->getGraphicDevice(), whole, whole);
    marked->getGraphicDevice().invertOutlineRect(whole);
    marked->draw(D, target);
    invalidateBounds();
    m_stillImage = nullptr;
    releaseMovie();
}

void LumoMovie::drawWithColor(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination)
{
    D.outlineRect(targetOf(Source, Destination), kBlack);
}

// Media ------------------------------------------------------------------------------------

bool LumoMovie::findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder)
{
    return TapeMediaFile::findMissing(m_movieFile, MediaFolder, FurtherFolder);
}

void LumoMovie::copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder)
{
    KFileReference file(m_movieFile);
    TapeMediaFile::copyTo(file, SourceFolder, TargetFolder);
    setFileReference(file);
}

bool LumoMovie::replaceMediaFile(const KFileReference& Old, const KFileReference& New)
{
    KFileReference file(m_movieFile);
    if (!TapeMediaFile::replace(file, Old, New))
        return false;
    setFileReference(file);
    return true;
}

void LumoMovie::collectMediaNames(KStringBag& Names) { TapeMediaFile::collectName(m_movieFile, Names); }

bool LumoMovie::usesMediaName(const KString& Name) { return TapeMediaFile::usesName(m_movieFile, Name); }

// Copies and blocks ------------------------------------------------------------------------

void LumoMovie::copyFrom(const TapeObject& Other)
{
    TapeGraphicObject::copyFrom(Other);
    const auto* other = dynamic_cast<const LumoMovie*>(&Other);
    if (!other)
        return;
    m_clickStops = other->m_clickStops;
    setFileReference(other->m_movieFile);
    resetRunningMedia();
    m_volume = other->m_volume;
}

void LumoMovie::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, LumoMovie::getClassRecord());
    writer.newSection(1);
    TapeGraphicObject::writeToFile(F, 1);
    m_movieFile.writeToFile(F, 1);
    F.writeByte(m_clickStops);
    F.writeDouble(m_volume);
    writer.end();
}

void LumoMovie::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, LumoMovie::getClassRecord(), 1)) {
        TapeGraphicObject::readFromFile(F);
        setKind(MovieKind);
        KFileReference file;
        file.readFromFile(F);
        setFileReference(file);
        F.readByte(m_clickStops);
        F.readDouble(m_volume);
    }
    reader.end();
}
