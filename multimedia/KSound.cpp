#include "multimedia/KSound.h"

#include "foundation/ErrorTable.h"
#include "foundation/KMemory.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/soundengine/KSoundBuffer.h"
#include "multimedia/soundengine/KSoundManager.h"
#include "multimedia/soundengine/KSoundSupport.h"
#include "multimedia/soundengine/KStreamingSound.h"
#include "multimedia/soundengine/SoundGraphWin32.h"

#include <cmath>

namespace {
constexpr uint32 kPlayLooping = 1;
// The volume's range in hundredths of a decibel: 0.0 is this far down.
constexpr double kVolumeRange = 4000.0;
constexpr double kPanScale = 10000.0;

double limit(double Value, double Low, double High)
{
    return Value > High ? High : (Value < Low ? Low : Value);
}
} // namespace

K_DEFINE_CLASS(KSound, KAbstractMedia, 1)

KSound::KSound()
{
    if (!isOnHeap())
        kksReportError(3, "KSound::KSound()");
}

KSound::~KSound()
{
    // As close, without holding the sound: nothing may count an object being destroyed.
    releaseEngineRecord();
    m_resourceNumber = -1;
    clearNativeHandle();
}

KSoundGraphRecord* KSound::graphRecord() const
{
    return getStreamingMode() == kStreamingModeGraph ? static_cast<KSoundGraphRecord*>(getNativeHandle()) : nullptr;
}

KSoundBuffer* KSound::soundBuffer() const
{
    return getStreamingMode() == kStreamingModeBuffer ? static_cast<KSoundBuffer*>(getNativeHandle()) : nullptr;
}

KSoundBuffer* KSound::directSoundBuffer() const
{
    if (KSoundGraphRecord* record = graphRecord())
        return record->streamedSound;
    return soundBuffer();
}

KString KSound::nativePath() const
{
    KString path;
    m_file.getPath().getPathText(path, kPlatformWindows, KPath::AsStored);
    return path;
}

void KSound::close()
{
    unload();
    m_resourceNumber = -1;
    KAbstractMedia::close();
}

void KSound::createFromResource(short ResID)
{
    close();
    m_resourceNumber = ResID;
    setStreamingMode(kStreamingModeBuffer);
}

void KSound::createFromFile(const KDiskObjectReference& File)
{
    close();
    if (const auto* file = dynamic_cast<const KFileReference*>(&File))
        m_file = *file;
    else
        m_file = KFileReference(File);
}

void KSound::load()
{
    if (getState() != Unloaded)
        return;
    if (hasNativeHandle()) {
        kksReportError(4, "KSound::load()");
        return;
    }
    if (!KSoundSupport::exists())
        return;
    if (getStreamingMode() == kStreamingModeGraph)
        loadGraph();
    else
        loadBuffer();
    if (!hasNativeHandle())
        return;
    KAbstractMedia::load();
    setVolume(getVolume());
}

void KSound::loadGraph()
{
    auto* record = static_cast<KSoundGraphRecord*>(KMemory::allocate(sizeof(KSoundGraphRecord), true));
    if (!record)
        return;
    setNativeHandle(record);
    if (renderSoundFileWin32(*record, nativePath().getText()) >= 0)
        return;
    // Loaded only to be unloaded, which releases what the graph had acquired.
    KAbstractMedia::load();
    unload();
}

void KSound::loadBuffer()
{
    KSoundManager* manager = KSoundSupport::getInstance().getSoundManager();
    if (!manager)
        return;
    KSoundBuffer* buffer = nullptr;
    const long result = m_resourceNumber == -1
        ? manager->createSound(&buffer, nativePath().getText(), KSoundManager::kStaticSoundFlags, nullptr, 1)
        : manager->createSoundFromResource(&buffer, m_resourceNumber);
    if (result != 0 || !buffer) {
        delete buffer;
        return;
    }
    setNativeHandle(buffer);
}

void KSound::unload()
{
    if (getState() != Loaded)
        return;
    // Leaving the streaming thread's list may drop the last count of the sound.
    KThingPtr hold(isOnHeap() ? this : nullptr);
    releaseEngineRecord();
}

void KSound::releaseEngineRecord()
{
    if (getState() != Loaded)
        return;
    if (KSoundGraphRecord* record = graphRecord()) {
        if (record->streamedSound) {
            if (KSoundSupport::exists())
                KSoundSupport::getInstance().unregisterStreamedSound(*this);
            delete record->streamedSound;
            record->streamedSound = nullptr;
        }
        releaseSoundGraphWin32(*record);
        KMemory::dispose(record);
    } else {
        delete soundBuffer();
    }
    clearNativeHandle();
    KAbstractMedia::unload();
}

void KSound::play()
{
    load();
    if (getState() != Loaded || !hasNativeHandle())
        return;
    KSoundGraphRecord* record = graphRecord();
    if (record && record->streamedSound) {
        KStreamingSound& streamed = *record->streamedSound;
        streamed.reset();
        streamed.fillBuffer(streamed.getBuffer(0), false);
        streamed.play(0, kPlayLooping);
    } else if (record) {
        if (record->graph && !playSoundGraphWin32(*record))
            return;
    } else if (soundBuffer()->play(0, isLooping() ? kPlayLooping : 0) < 0) {
        // A buffer lost to another program, or refused: the sound stays silent and says so.
        kksReportError(53, "KSound::play()");
        return;
    }
    KAbstractMedia::play();
}

void KSound::restart()
{
    if (getState() != Playing)
        return;
    stop();
    play();
}

void KSound::stop()
{
    if (getState() != Playing)
        return;
    KThingPtr hold(isOnHeap() ? this : nullptr);
    bool releaseGraph = false;
    KSoundGraphRecord* record = graphRecord();
    if (record && record->streamedSound) {
        record->streamedSound->stop();
        record->streamedSound->reset();
    } else if (record) {
        releaseGraph = record->graph && stopSoundGraphWin32(*record);
    } else if (KSoundBuffer* buffer = soundBuffer()) {
        buffer->stop();
        buffer->reset();
    }
    KAbstractMedia::stop();
    if (releaseGraph)
        unload();
}

void KSound::pause()
{
    if (getState() != Playing)
        return;
    KSoundGraphRecord* record = graphRecord();
    if (record && !record->streamedSound) {
        if (record->graph && !pauseSoundGraphWin32(*record))
            return;
    } else if (KSoundBuffer* buffer = directSoundBuffer()) {
        buffer->stop();
    }
    KAbstractMedia::pause();
}

void KSound::resume()
{
    if (getState() != Paused)
        return;
    KSoundGraphRecord* record = graphRecord();
    if (record && record->streamedSound) {
        record->streamedSound->play(0, kPlayLooping);
    } else if (record) {
        if (record->graph && !resumeSoundGraphWin32(*record))
            return;
    } else if (KSoundBuffer* buffer = soundBuffer()) {
        // The loop flag is not passed: a looping sound that reaches its end is restarted
        // by the media manager.
        buffer->play(0, 0);
    }
    KAbstractMedia::resume();
}

void KSound::setVolume(double Volume)
{
    const double volume = limit(Volume, 0.0, 1.0);
    KAbstractMedia::setVolume(volume);
    if (!hasNativeHandle())
        return;
    const auto level = static_cast<long>(std::trunc(-(1.0 - volume) * kVolumeRange));
    KSoundGraphRecord* record = graphRecord();
    if (record && !record->streamedSound)
        setSoundGraphVolumeWin32(*record, level);
    else if (KSoundBuffer* buffer = directSoundBuffer())
        buffer->setVolume(level);
}

void KSound::setBalance(double Balance)
{
    const double balance = limit(Balance, -1.0, 1.0);
    if (hasNativeHandle()) {
        KSoundGraphRecord* record = graphRecord();
        if (record && !record->streamedSound) {
            if (!setSoundGraphBalanceWin32(*record, static_cast<long>(std::trunc(balance * kPanScale))))
                return;
        } else if (KSoundBuffer* buffer = directSoundBuffer()) {
            buffer->setPan(balance);
        }
    }
    KAbstractMedia::setBalance(balance);
}

bool KSound::isDonePlaying()
{
    if (!hasNativeHandle())
        return true;
    if (KSoundBuffer* buffer = directSoundBuffer())
        return !buffer->isPlaying() && getState() != Paused;
    KSoundGraphRecord* record = graphRecord();
    return !record || isSoundGraphDoneWin32(*record);
}

double KSound::getDuration()
{
    KSoundGraphRecord* record = graphRecord();
    if (!record || record->streamedSound)
        return 0.0;
    return getSoundGraphDurationWin32(*record);
}
