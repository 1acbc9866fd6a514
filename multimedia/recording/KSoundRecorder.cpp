#include "multimedia/recording/KSoundRecorder.h"

#include "foundation/KFileReference.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/recording/SoundCaptureWin32.h"

namespace {
KSoundRecorderPtr s_recorder;

constexpr float kUnmeasuredLevel = 50.0f;
} // namespace

K_DEFINE_CLASS(KSoundRecorder, KThing, 1)

KSoundRecorder::KSoundRecorder() = default;

KSoundRecorder::~KSoundRecorder()
{
    close();
}

void KSoundRecorder::initialize() { s_recorder = new KSoundRecorder; }
void KSoundRecorder::terminate() { s_recorder.reset(); }
KSoundRecorder& KSoundRecorder::getInstance() { return s_recorder.getObject(); }
bool KSoundRecorder::exists() { return s_recorder.hasObject(nullptr); }

bool KSoundRecorder::open(const KString& Name)
{
    m_name = Name;
    return SoundCapture::init();
}

void KSoundRecorder::close()
{
    // Letting go of the device under a running recording would leave its file unfinished.
    stopRecording();
    m_name.clear();
    SoundCapture::release();
}

void KSoundRecorder::startRecording(const KFileReference& File)
{
    if (isRecording())
        return;
    if (KMediaManager::hasMediaManager())
        KMediaManager::getMediaManager().closeMediaSupport();
    m_recording = SoundCapture::startRecording(File.getNativePath().getText(), true) ? 1 : 0;
    // A recording that never started must not keep every sound, movie and speech silent.
    if (!isRecording())
        openMediaSupport();
}

void KSoundRecorder::stopRecording()
{
    if (!isRecording())
        return;
    SoundCapture::stopRecording();
    m_recording = 0;
    openMediaSupport();
}

float KSoundRecorder::getLevel() const { return kUnmeasuredLevel; }

void KSoundRecorder::openMediaSupport()
{
    if (KMediaManager::hasMediaManager())
        KMediaManager::getMediaManager().openMediaSupport();
}
