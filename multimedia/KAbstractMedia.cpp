#include "multimedia/KAbstractMedia.h"

#include "foundation/ErrorTable.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/KMediaManager.h"

namespace {
void mustBeOverloaded(const char* Signature)
{
    knsMessageBox(Signature, "Must be overloaded in child class!");
}

// The manager is made by the library at start-up; a medium used without one still keeps
// its states, it is only not serviced.
KMediaManager* currentManager()
{
    return KMediaManager::hasMediaManager() ? &KMediaManager::getMediaManager() : nullptr;
}
} // namespace

K_DEFINE_CLASS(KAbstractMedia, KThing, 1)

KAbstractMedia::KAbstractMedia() = default;

KAbstractMedia::~KAbstractMedia()
{
    KAbstractMedia::unload();
}

double KAbstractMedia::getDuration() { return 0.0; }
void KAbstractMedia::setVolume(double Volume) { m_volume = Volume; }
void KAbstractMedia::setBalance(double Balance) { m_balance = Balance; }
void KAbstractMedia::setSpeed(double Speed) { m_speed = Speed; }
double KAbstractMedia::getSpeed() { return 0.5; }
void KAbstractMedia::setParameter(double Parameter) { m_parameter = Parameter; }
void KAbstractMedia::setParameterMin() { setParameter(0.0); }
void KAbstractMedia::setParameterMax() { setParameter(1.0); }

void KAbstractMedia::close()
{
    unload();
    clearNativeHandle();
}

void KAbstractMedia::createFromResource(short) { mustBeOverloaded("KAbstractMedia::createFromResource(short ResID)"); }

void KAbstractMedia::createFromFile(const KDiskObjectReference&)
{
    mustBeOverloaded("KAbstractMedia::createFromFile(const KDiskObjectReference& File)");
}

void KAbstractMedia::load()
{
    if (m_state != Unloaded)
        return;
    m_state = Loaded;
    if (KMediaManager* manager = currentManager())
        manager->addMedia(*this);
}

void KAbstractMedia::unload()
{
    if (m_state != Loaded)
        return;
    m_state = Unloaded;
    clearNativeHandle();
    if (KMediaManager* manager = currentManager())
        manager->removeMedia(*this);
}

void KAbstractMedia::play()
{
    if (m_state != Loaded)
        return;
    m_state = Playing;
    if (KMediaManager* manager = currentManager())
        manager->updateIdleRegistration();
}

void KAbstractMedia::restart() {}

void KAbstractMedia::stop()
{
    if (m_state != Playing && m_state != Paused)
        return;
    m_state = Loaded;
    if (KMediaManager* manager = currentManager())
        manager->updateIdleRegistration();
}

void KAbstractMedia::pause()
{
    if (m_state == Playing)
        m_state = Paused;
}

void KAbstractMedia::resume()
{
    if (m_state == Paused)
        m_state = Playing;
}

bool KAbstractMedia::isPlaying() { return m_state == Playing; }
bool KAbstractMedia::isPaused() { return m_state == Paused; }

bool KAbstractMedia::isDonePlaying()
{
    mustBeOverloaded("KAbstractMedia::isDonePlaying()");
    return true;
}

void KAbstractMedia::service() {}

void KAbstractMedia::setNativeHandle(void* Record)
{
    clearNativeHandle();
    m_nativeHandle = Record;
}

void KAbstractMedia::setStreamingMode(KMediaStreamingMode Mode)
{
    if (m_state != Unloaded) {
        kksReportError(4, "KAbstractMedia::setStreamingMode(KMediaStreamingMode M)");
        return;
    }
    m_streamingMode = Mode;
}

KMediaFeedbackEventPtr KAbstractMedia::makeFeedbackEvent()
{
    KMediaFeedbackEventPtr event = new KMediaFeedbackEvent;
    if (event.hasObject(nullptr)) {
        event->addReceivers(m_receivers);
        event->setSource(*this);
    }
    return event;
}
