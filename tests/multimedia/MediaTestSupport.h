#pragma once
// What the media tests share: an application with the media layer's globals, WAV data
// made on the spot, a receiver that notes the feedback it hears, and a bounded
// wait for the platform's audio threads to progress.
#include "application/KTimerManager.h"
#include "application/KWindowManager.h"
#include "foundation/KFileReference.h"
#include "multimedia/KMediaFeedbackEvent.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/soundengine/KSoundSupport.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/support/TemporaryFolder.h"

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include <windows.h>

using Bytes = std::vector<uint8>;

// Notes the feedback variables of each event it hears as one text, and answers as told.
class FeedbackRecorder : public KThing {
public:
    bool handleEvent(KEvent& E) override
    {
        auto& feedback = static_cast<KMediaFeedbackEvent&>(E);
        std::string text;
        for (const char* name : {KMediaFeedbackEvent::kWordStart, KMediaFeedbackEvent::kWordLength,
                                 KMediaFeedbackEvent::kElapsedTime}) {
            long value = 0;
            if (feedback.findLong(name, value))
                text += (text.empty() ? "" : " ") + std::string(name) + "=" + std::to_string(value);
        }
        seen.push_back(text);
        return takes;
    }
    std::vector<std::string> seen;
    bool takes = true;
};
K_POINTER_CLASS(FeedbackRecorder, KThingPtr);

class RecordingApplication : public KApplication {
public:
    bool handleEvent(KEvent&) override
    {
        ++eventsHeard;
        return false;
    }
    int eventsHeard = 0;
};

// An application with a timer manager, the sound support and the media manager; on
// request a main window and the DirectSound engine.
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
    ApplicationScope<RecordingApplication> m_application;
};

// Polls until the condition holds, letting the platform's own threads (the DirectShow
// graph, the DirectSound mixer) move on between polls. The number of polls is a safety
// bound, not a measure of time.
template <typename Condition>
bool pollUntil(Condition Holds, int Polls = 5000)
{
    for (int poll = 0; poll < Polls && !Holds(); ++poll) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    return Holds();
}

inline void put(Bytes& B, uint32 Value, int Size, bool BigEndian = false)
{
    for (int i = 0; i < Size; ++i)
        B.push_back(static_cast<uint8>(Value >> (8 * (BigEndian ? Size - 1 - i : i))));
}

inline void putID(Bytes& B, const char* ID)
{
    for (int i = 0; i < 4; ++i)
        B.push_back(static_cast<uint8>(ID[i]));
}

// Other format tags carry their extra bytes after a 16-bit count, unless withExtraSize
// is off; fmtSize, when not 0, is the size the "fmt " chunk states.
struct WaveShape {
    WaveShape(uint16 Channels = 1, uint32 Rate = 8000, uint16 Bits = 8, uint32 Milliseconds = 60, uint16 Tag = 1,
              const Bytes& Extra = {}, bool WithExtraSize = true, uint32 FmtSize = 0)
        : tag(Tag), channels(Channels), rate(Rate), bits(Bits), milliseconds(Milliseconds), extra(Extra),
          withExtraSize(WithExtraSize), fmtSize(FmtSize)
    {
    }
    uint16 tag;
    uint16 channels;
    uint32 rate;
    uint16 bits;
    uint32 milliseconds;
    Bytes extra;
    bool withExtraSize;
    uint32 fmtSize;
};

// The sample at index I of the sawtooth the test sounds hold.
inline uint32 sampleAt(uint32 I, uint16 Bits) { return Bits == 8 ? 0x40 + (I % 64) * 2 : (I % 64) * 400 - 12800; }

inline Bytes waveBytes(const WaveShape& S)
{
    const uint32 blockAlign = S.bits / 8 * S.channels;
    Bytes format;
    put(format, S.tag, 2);
    put(format, S.channels, 2);
    put(format, S.rate, 4);
    put(format, S.rate * blockAlign, 4);
    put(format, blockAlign, 2);
    put(format, S.bits, 2);
    if (S.tag != 1 && S.withExtraSize)
        put(format, static_cast<uint32>(S.extra.size()), 2);
    format.insert(format.end(), S.extra.begin(), S.extra.end());
    Bytes samples;
    for (uint32 i = 0; i < S.rate * S.milliseconds / 1000 * S.channels; ++i)
        put(samples, sampleAt(i, S.bits), S.bits / 8);
    Bytes out;
    putID(out, "RIFF");
    put(out, static_cast<uint32>(20 + format.size() + samples.size()), 4);
    putID(out, "WAVE");
    putID(out, "fmt ");
    put(out, S.fmtSize ? S.fmtSize : static_cast<uint32>(format.size()), 4);
    out.insert(out.end(), format.begin(), format.end());
    putID(out, "data");
    put(out, static_cast<uint32>(samples.size()), 4);
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

// An AIFF-style form (big-endian sizes) of the given type whose chunks hold 3 bytes each,
// padded to 4.
inline Bytes iffBytes(const char* Type, std::initializer_list<const char*> Chunks)
{
    Bytes body;
    putID(body, Type);
    for (const char* id : Chunks) {
        putID(body, id);
        put(body, 3, 4, true);
        body.resize(body.size() + 4, 0);
    }
    Bytes out;
    putID(out, "FORM");
    put(out, static_cast<uint32>(body.size()), 4, true);
    out.insert(out.end(), body.begin(), body.end());
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
