#pragma once
// The framework's sound recorder: the one global object that opens the capture device and
// records from it into WAV files. While it records, the media supports are closed, so that
// nothing else plays through the sound device; they open again when the recording stops.
#include "foundation/KClass.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KFileReference;

class KSoundRecorder : public KThing {
    K_DECLARE_CLASS(KSoundRecorder)
public:
    KSoundRecorder();
    // Ends a running recording and lets go of the device.
    ~KSoundRecorder() override;

    static void initialize();
    static void terminate();
    // Error 18 when there is none.
    static KSoundRecorder& getInstance();
    static bool exists();

    // Opens the capture device; the name is kept for those who ask which source was
    // chosen. False when there is no device to record from.
    bool open(const KString& Name);
    // A running recording is finished first.
    void close();
    // Nothing while recording. When the recording cannot start, the media supports open
    // again and the recorder stays idle: isRecording tells.
    void startRecording(const KFileReference& File);
    void stopRecording();
    bool isRecording() const { return m_recording != 0; }

    // The recorder measures no input level: always 50.0.
    float getLevel() const;
    // Kept for the dialogs that offer a choice; the capture format does not depend on it.
    void setQuality(uint8 Quality) { m_quality = Quality; }
    uint8 getQuality() const { return m_quality; }
    const KString& getName() const { return m_name; }

private:
    void openMediaSupport();

    uint8 m_recording = 0;
    KString m_name;
    uint8 m_quality = 7;
};

K_POINTER_CLASS(KSoundRecorder, KThingPtr);
