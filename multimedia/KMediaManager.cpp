#include "multimedia/KMediaManager.h"

#include "application/KApplication.h"
#include "foundation/ErrorTable.h"
#include "multimedia/KAbstractMedia.h"
#include "multimedia/KMovieSupport.h"
#include "multimedia/KSpeechSupport.h"
#include "multimedia/soundengine/KSoundSupport.h"

namespace {
KMediaManagerPtr s_manager;

constexpr long kMediaListStep = 64;

KAbstractMedia& mediumAt(const KBag& Media, long Index)
{
    return static_cast<KAbstractMedia&>(Media[Index]);
}
} // namespace

K_DEFINE_CLASS(KMediaManager, KThing, 1)

KMediaManager::KMediaManager()
{
    m_media.setMinSize(kMediaListStep);
    m_media.setGrowSize(kMediaListStep);
}

KMediaManager::~KMediaManager()
{
    stopAll();
    unloadAll();
    closeMediaSupport();
}

void KMediaManager::createMediaManager() { s_manager = new KMediaManager; }
KMediaManager& KMediaManager::getMediaManager() { return s_manager.getObject(); }
bool KMediaManager::hasMediaManager() { return s_manager.hasObject(nullptr); }

void KMediaManager::releaseMediaManager()
{
    if (!hasMediaManager())
        return;
    // The media find the manager through the global while they stop and unload, and an
    // idle list that still held the manager would keep it alive and serviced.
    KMediaManagerPtr manager = s_manager;
    manager->closeMediaSupport();
    if (KApplication* application = KApplication::getApplication())
        application->removeIdleHandler(*manager);
    s_manager.reset();
}

void KMediaManager::initMediaSupport(KMediaSupportFlagSet F)
{
    KMediaManager& manager = getMediaManager();
    if (kIsNullReference(&manager))
        return;
    manager.setActiveMediaSupport(F);
    if ((F & MovieSupport) && KMovieSupport::hasMovieSupport())
        KMovieSupport::getMovieSupport().setEngineMask(KMovieSupport::QuickTimeEngineBit | KMovieSupport::StreamEngineBit);
    if ((F & SoundSupport) && KSoundSupport::exists())
        KSoundSupport::getInstance().setEngineMask(7);
    if ((F & SpeechSupport) && KSpeechSupport::hasSpeechSupport())
        KSpeechSupport::getSpeechSupport().setEngineMask(7);
    manager.openMediaSupport();
}

void KMediaManager::setActiveMediaSupport(KMediaSupportFlagSet F)
{
    if (m_openSupports & OpenStepDone) {
        kksReportError(4, "KMediaManager::setActiveMediaSupport(KMediaSupportFlagSet F)");
        return;
    }
    m_requestedSupports = F;
}

void KMediaManager::openMediaSupport()
{
    if (m_openSupports & OpenStepDone) {
        kksReportError(4, "void KMediaManager::openMediaSupport()");
        return;
    }
    if ((m_requestedSupports & SoundSupport) && KSoundSupport::exists()) {
        KSoundSupport::getInstance().start();
        m_openSupports |= SoundSupport;
    }
    if ((m_requestedSupports & MovieSupport) && KMovieSupport::hasMovieSupport()) {
        KMovieSupport::getMovieSupport().open();
        m_openSupports |= MovieSupport;
    }
    if ((m_requestedSupports & SpeechSupport) && KSpeechSupport::hasSpeechSupport()) {
        KSpeechSupport::getSpeechSupport().open();
        m_openSupports |= SpeechSupport;
    }
    m_openSupports |= OpenStepDone;
}

void KMediaManager::closeMediaSupport()
{
    stopAll();
    unloadAll();
    if ((m_openSupports & SoundSupport) && KSoundSupport::exists())
        KSoundSupport::getInstance().stop();
    if ((m_openSupports & MovieSupport) && KMovieSupport::hasMovieSupport())
        KMovieSupport::getMovieSupport().close();
    if ((m_openSupports & SpeechSupport) && KSpeechSupport::hasSpeechSupport())
        KSpeechSupport::getSpeechSupport().close();
    m_openSupports = 0;
}

void KMediaManager::addMedia(KAbstractMedia& M) { m_media.add(M); }
void KMediaManager::removeMedia(KAbstractMedia& M) { m_media.remove(M); }

void KMediaManager::updateIdleRegistration()
{
    KApplication* application = KApplication::getApplication();
    if (!application)
        return;
    for (long i = 0; i < m_media.getCount(); ++i) {
        KAbstractMedia& medium = mediumAt(m_media, i);
        if (medium.isPlaying() || medium.isPaused()) {
            application->addIdleHandler(*this);
            return;
        }
    }
    application->removeIdleHandler(*this);
}

void KMediaManager::stopAll()
{
    // Stopping may unload a medium and so change the list.
    KBag media;
    media.copyFrom(m_media);
    for (long i = 0; i < media.getCount(); ++i)
        mediumAt(media, i).stop();
}

void KMediaManager::unloadAll()
{
    while (m_media.getCount() > 0) {
        KAbstractMediaPtr medium = &mediumAt(m_media, 0);
        medium->stop();
        // Sounds and speech stay paused when stopped; they must end loaded to let go of
        // their engine records.
        if (medium->isPaused()) {
            medium->resume();
            medium->stop();
        }
        medium->unload();
        // A medium that will not unload must not hold this walk forever.
        if (m_media.getCount() > 0 && &m_media[0] == medium.get())
            m_media.removeAt(0);
    }
    updateIdleRegistration();
}

void KMediaManager::periodicTask()
{
    for (long i = 0; i < m_media.getCount();) {
        // Stopping a finished sound unloads it, and the list may hold its last reference.
        KAbstractMediaPtr medium = &mediumAt(m_media, i);
        serviceMedium(*medium);
        // An unloaded medium leaves the list and the next one takes its place: that one is
        // served in this pass too.
        if (i < m_media.getCount() && &mediumAt(m_media, i) == medium.get())
            ++i;
    }
}

void KMediaManager::serviceMedium(KAbstractMedia& Medium)
{
    if (!Medium.isPlaying())
        return;
    Medium.service();
    if (!Medium.isDonePlaying())
        return;
    if (Medium.isLooping())
        Medium.restart();
    else
        Medium.stop();
}
