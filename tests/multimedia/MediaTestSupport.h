#pragma once
// What the media tests share: an application with the media layer's globals for the
// length of a test, WAV and AIFF data made on the spot, a receiver that notes the
// feedback it hears, and a bounded wait for the platform's audio threads to progress.
#include "application/KTimerManager.h"
#include "application/KWindowManager.h"
#include "foundation/KFileReference.h"
#include "multimedia/KMediaFeedbackEvent.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/MultimediaClasses.h"
#include "multimedia/soundengine/KSoundSupport.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/support/TemporaryFolder.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>

using Bytes = std::vector<uint8>;

// Notes the feedback variables it hears, one text per event, and answers as told.
class FeedbackRecorder : public KThing {
public:
    bool handleEvent(KEvent& E) override
    {
        auto* feedback = dynamic_cast<KMediaFeedbackEvent*>(&E);
        if (!feedback)
            return false;
        std::string text;
        for (const char* name : {KMediaFeedbackEvent::kWordStart, KMediaFeedbackEvent::kWordLength,
                                 KMediaFeedbackEvent::kElapsedTime}) {
            long value = 0;
            if (feedback->findLong(name, value))
                text += (text.empty() ? "" : " ") + std::string(name) + "=" + std::to_string(value);
        }
        seen.push_back(text);
        return takes;
    }
    std::vector<std::string> seen;
    bool takes = true;
};
K_POINTER_CLASS(FeedbackRecorder, KThingPtr);

// The application object hears what no receiver took.
class RecordingApplication : public KApplication {
public:
    bool handleEvent(KEvent& E) override
    {
        if (dynamic_cast<KMediaFeedbackEvent*>(&E))
            ++feedbackHeard;
        return false;
    }
    int feedbackHeard = 0;
};

// An application with a timer manager, the sound support and the media manager; with
// MainWindow also a main window, and with SoundEngine the DirectSound engine started on
// it. The application empties the class registry when it goes, so the media classes are
// registered again afterwards.
class MediaScope {
public:
    enum Option : unsigned {
        MainWindow = 0x1,
        SoundEngine = 0x2,
    };

    explicit MediaScope(unsigned Options = 0)
    {
        KTimerManager::initManager();
        if (Options & MainWindow) {
            m_application->createWindowManager(*KWindowManager::getClassRecord());
            m_application->createMainWindow(*KWindow::getClassRecord());
        }
        KSoundSupport::create();
        KMediaManager::createMediaManager();
        if (Options & SoundEngine)
            KMediaManager::initMediaSupport(KMediaManager::SoundSupport);
    }
    ~MediaScope()
    {
        KMediaManager::releaseMediaManager();
        KSoundSupport::release();
        m_application->closeMainWindow();
        m_application->destroyWindowManager();
        KTimerManager::exitManager();
    }
    MediaScope(const MediaScope&) = delete;
    MediaScope& operator=(const MediaScope&) = delete;

    RecordingApplication& application() { return *m_application; }
    KMediaManager& manager() { return KMediaManager::getMediaManager(); }
    bool managerIsIdleHandler() const { return m_application->getIdleHandlerCount() > 0; }

private:
    struct Reregistration {
        ~Reregistration()
        {
            kksRegisterMultimediaClasses();
            kksRegisterSoundHiliteClasses();
        }
    };
    Reregistration m_reregistration;
    ApplicationScope<RecordingApplication> m_application;
};

// Lets the platform's own threads (DirectShow's graph, DirectSound's mixer) move on for a
// moment, answering the messages they post. Tests call it between polls of a condition;
// the number of polls is a safety bound, never a measure of time.
inline void letPlatformRun()
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

template <typename Condition>
bool pollUntil(Condition Holds, int Polls = 5000)
{
    for (int poll = 0; poll < Polls; ++poll) {
        if (Holds())
            return true;
        letPlatformRun();
    }
    return Holds();
}

inline void putLittle(Bytes& B, uint32 Value, int Size)
{
    for (int i = 0; i < Size; ++i)
        B.push_back(static_cast<uint8>(Value >> (8 * i)));
}

inline void putBig(Bytes& B, uint32 Value, int Size)
{
    for (int i = Size - 1; i >= 0; --i)
        B.push_back(static_cast<uint8>(Value >> (8 * i)));
}

inline void putID(Bytes& B, const char* ID)
{
    for (int i = 0; i < 4; ++i)
        B.push_back(static_cast<uint8>(ID[i]));
}

struct WaveShape {
    uint16 formatTag = 1;
    uint16 channels = 1;
    uint32 rate = 8000;
    uint16 bits = 8;
    uint32 milliseconds = 60;
    // For other tags: the extra bytes after the 18-byte header; fmtSize overrides the
    // chunk's stated size when not 0.
    Bytes extra;
    bool withExtraSize = true;
    uint32 fmtSize = 0;
};

inline WaveShape pcm(uint16 Channels, uint32 Rate, uint16 Bits, uint32 Milliseconds)
{
    WaveShape shape;
    shape.channels = Channels;
    shape.rate = Rate;
    shape.bits = Bits;
    shape.milliseconds = Milliseconds;
    return shape;
}

// 8-bit mono at 8,000 Hz in another format tag, or with a format chunk of a stated size.
inline WaveShape coded(uint16 Tag, const Bytes& Extra, bool WithExtraSize = true, uint32 FmtSize = 0)
{
    WaveShape shape;
    shape.formatTag = Tag;
    shape.extra = Extra;
    shape.withExtraSize = WithExtraSize;
    shape.fmtSize = FmtSize;
    return shape;
}

// A sawtooth in the given shape. The data chunk holds exactly the samples.
inline Bytes waveBytes(const WaveShape& S)
{
    const uint32 blockAlign = S.bits / 8 * S.channels;
    const uint32 frames = S.rate * S.milliseconds / 1000;
    Bytes format;
    putLittle(format, S.formatTag, 2);
    putLittle(format, S.channels, 2);
    putLittle(format, S.rate, 4);
    putLittle(format, S.rate * blockAlign, 4);
    putLittle(format, blockAlign, 2);
    putLittle(format, S.bits, 2);
    if (S.formatTag != 1 && S.withExtraSize) {
        putLittle(format, static_cast<uint32>(S.extra.size()), 2);
        format.insert(format.end(), S.extra.begin(), S.extra.end());
    }
    Bytes samples;
    for (uint32 i = 0; i < frames * S.channels; ++i) {
        if (S.bits == 8)
            samples.push_back(static_cast<uint8>(0x40 + (i % 64) * 2));
        else
            putLittle(samples, static_cast<uint16>((i % 64) * 400 - 12800), 2);
    }
    Bytes out;
    putID(out, "RIFF");
    putLittle(out, static_cast<uint32>(4 + 8 + format.size() + 8 + samples.size()), 4);
    putID(out, "WAVE");
    putID(out, "fmt ");
    putLittle(out, S.fmtSize ? S.fmtSize : static_cast<uint32>(format.size()), 4);
    out.insert(out.end(), format.begin(), format.end());
    putID(out, "data");
    putLittle(out, static_cast<uint32>(samples.size()), 4);
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

// 16-bit mono AIFF at 22,050 Hz.
inline Bytes aiffBytes(uint32 Milliseconds)
{
    const uint32 frames = 22050 * Milliseconds / 1000;
    Bytes out;
    putID(out, "FORM");
    putBig(out, 4 + 8 + 18 + 8 + 8 + frames * 2, 4);
    putID(out, "AIFF");
    putID(out, "COMM");
    putBig(out, 18, 4);
    putBig(out, 1, 2);
    putBig(out, frames, 4);
    putBig(out, 16, 2);
    // 22,050 as an 80-bit extended number: exponent 16383 + 14, mantissa 22,050 << 49.
    for (uint8 byte : {0x40, 0x0D, 0xAC, 0x44, 0, 0, 0, 0, 0, 0})
        out.push_back(byte);
    putID(out, "SSND");
    putBig(out, 8 + frames * 2, 4);
    putBig(out, 0, 4);
    putBig(out, 0, 4);
    for (uint32 i = 0; i < frames; ++i)
        putBig(out, static_cast<uint16>((i % 64) * 400 - 12800), 2);
    return out;
}

inline std::string writeFile(const TemporaryFolder& Folder, const std::string& Name, const Bytes& Content)
{
    const std::string path = Folder.file(Name);
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(Content.data(), 1, Content.size(), file);
        std::fclose(file);
    }
    return path;
}

inline KFileReference fileReference(const std::string& Path)
{
    KPath path;
    path.setPathText(KString(Path.c_str()), kPlatformWindows);
    return KFileReference(path);
}
