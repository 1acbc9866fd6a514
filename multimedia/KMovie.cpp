#include "multimedia/KMovie.h"

#include "foundation/ErrorTable.h"
#include "foundation/KMemory.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/KMovieSupport.h"
#include "multimedia/movie/KMovieEngine.h"

K_DEFINE_CLASS(KMovie, KAbstractMedia, 1)

KMovie::KMovie()
{
    if (!isOnHeap())
        kksReportError(3, "KMovie::KMovie()");
}

KMovie::~KMovie() { close(); }

uint32 KMovie::getEngineNumber() const
{
    return hasNativeHandle() ? *static_cast<const uint32*>(getNativeHandle()) : 0;
}

KMovieEngine* KMovie::engine() const { return KMovieEngine::find(getEngineNumber()); }

KMovieEngine* KMovie::targetedEngine() const { return hasTargetDevice() ? engine() : nullptr; }

double KMovie::getDuration() { return 0.0; }

void KMovie::setVolume(double Volume)
{
    if (KMovieEngine* e = targetedEngine())
        e->setVolume(getNativeHandle(), Volume);
}

void KMovie::setBalance(double) {}

void KMovie::close() { unload(); }

void KMovie::createFromFile(const KDiskObjectReference& File)
{
    close();
    if (const auto* file = dynamic_cast<const KFileReference*>(&File))
        m_movieFile = *file;
    else
        m_movieFile = KFileReference(File);
}

void KMovie::load()
{
    if (hasNativeHandle()) {
        KAbstractMedia::load();
        return;
    }
    const uint32 engines = KMovieSupport::hasMovieSupport() ? KMovieSupport::getMovieSupport().getAvailableEngines() : 0;
    // A file counts as a QuickTime movie only when the "MOV" type is known at all.
    const KFileTypeID movType = KFileTypeHandler::getTypeIDOfExtension("MOV");
    const bool quickTimeFirst = movType != kNoFileType && m_movieFile.getFileTypeHandle() == movType;
    const struct {
        uint32 number;
        bool wanted;
    } attempts[] = {
        {KMovieEngine::kQuickTimeEngine, quickTimeFirst},
        {KMovieEngine::kStreamEngine, true},
        {KMovieEngine::kQuickTimeEngine, true},
    };
    for (const auto& attempt : attempts) {
        if (attempt.wanted && (engines & attempt.number) && tryEngine(attempt.number))
            break;
    }
    if (hasNativeHandle())
        KAbstractMedia::load();
}

bool KMovie::tryEngine(uint32 Number)
{
    KMovieEngine* e = KMovieEngine::find(Number);
    if (!e)
        return false;
    void* record = KMemory::allocate(e->getRecordSize(), true);
    if (!record)
        return false;
    *static_cast<uint32*>(record) = Number;
    // QuickTime is given an absolute path; the stream opens the path as it is stored.
    KString path;
    m_movieFile.getPath().getPathText(path, kPlatformWindows,
                                      Number == KMovieEngine::kQuickTimeEngine ? KPath::Absolute : KPath::AsStored);
    KGraphicSize natural;
    if (!e->open(record, path.getText(), natural)) {
        KMemory::dispose(record);
        return false;
    }
    m_naturalSize = natural;
    setNativeHandle(record);
    return true;
}

void KMovie::unload()
{
    if (KMovieEngine* e = engine()) {
        void* record = getNativeHandle();
        e->close(record);
        KMemory::dispose(record);
        clearNativeHandle();
    }
    KAbstractMedia::unload();
}

void KMovie::play()
{
    KMovieEngine* e = targetedEngine();
    if (!e)
        return;
    e->setTarget(getNativeHandle(), static_cast<KGraphicDevice&>(m_targetDevice.getObject()));
    e->setBounds(getNativeHandle(), m_bounds);
    // A movie that cannot start (QuickTime without its offscreen) stays where it was.
    if (e->play(getNativeHandle()))
        KAbstractMedia::play();
}

void KMovie::restart()
{
    KMovieEngine* e = targetedEngine();
    if (!e)
        return;
    e->restart(getNativeHandle());
    KAbstractMedia::restart();
}

void KMovie::stop()
{
    if (KMovieEngine* e = targetedEngine())
        e->stop(getNativeHandle());
    KAbstractMedia::stop();
}

void KMovie::pause()
{
    if (KMovieEngine* e = targetedEngine())
        e->pause(getNativeHandle());
    KAbstractMedia::pause();
}

void KMovie::resume()
{
    if (KMovieEngine* e = targetedEngine())
        e->resume(getNativeHandle());
    KAbstractMedia::resume();
}

bool KMovie::isDonePlaying()
{
    KMovieEngine* e = targetedEngine();
    return !e || e->isDone(getNativeHandle());
}

void KMovie::service()
{
    if (KMovieEngine* e = engine())
        e->service(getNativeHandle());
}

void KMovie::setTargetDevice(KGraphicDevice& Dev)
{
    if (hasNativeHandle())
        knsFatalError("void KMovie::setTargetDevice(KGraphicDevice& Dev)", "unload first");
    clearTargetDevice();
    m_targetDevice.setObject(Dev);
}

void KMovie::clearTargetDevice()
{
    if (hasTargetDevice())
        m_targetDevice.reset();
}

void KMovie::setBounds(const KGraphicRectangle& R)
{
    m_bounds = R;
    if (KMovieEngine* e = engine())
        e->setBounds(getNativeHandle(), m_bounds);
}

void KMovie::draw(KGraphicDevice& Dev, const KGraphicRectangle& R)
{
    if (KMovieEngine* e = engine())
        e->drawStill(getNativeHandle(), Dev, R);
}

void KMovie::drawFrame(KGraphicDevice& Dev, const KGraphicRectangle& R, long Frame)
{
    if (KMovieEngine* e = engine())
        e->drawFrame(getNativeHandle(), Dev, R, Frame);
}
