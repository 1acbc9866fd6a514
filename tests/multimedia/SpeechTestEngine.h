#pragma once
// A speech installation that the tests put behind the program's speech layers in place
// of COM. Its SAPI 5 voices speak on the test's driven clock: after a short lead each
// word of the text takes wordMs, and the voice's status tells which word is being
// spoken. Its SAPI 4 engine calls the layer's sinks (audio start, word positions, audio
// stop) as the test moves the clock with advance. Every call the layers make on it is
// noted in calls, so that tests read what the engine was told.
#include "tests/application/ApplicationTestSupport.h"

#include <string>
#include <vector>

#include <windows.h>

class FakeTtsCentral;
struct ISpObjectToken;

class TestSpeechEngine {
public:
    // How a SAPI 5 voice token describes itself.
    enum Description {
        InUILanguage,
        DefaultValueOnly,
        NoDescription,
    };

    TestSpeechEngine();
    ~TestSpeechEngine();
    TestSpeechEngine(const TestSpeechEngine&) = delete;
    TestSpeechEngine& operator=(const TestSpeechEngine&) = delete;

    static TestSpeechEngine* current();

    void addVoice(const std::string& Name, Description D = InUILanguage);
    void addMode(const std::string& Name);

    // Moves the clock and lets the SAPI 4 engine report what fell due.
    void advance(uint32 Ms);
    // Among calls or listingCalls.
    bool called(const std::string& Call) const;
    std::vector<std::string> callsStartingWith(const std::string& Prefix) const;

    // SAPI 5: the time before the first word is heard, and the time of each word.
    uint32 leadMs = 20;
    uint32 wordMs = 100;
    // Speak and GetStatus answer E_NOTIMPL, as Wine's own SAPI 5 does.
    bool refusesSpeech = false;
    // A new voice object already speaks with the first listed voice, as the same token.
    bool voicesStartWithFirstToken = false;
    // SAPI 4: whether the engine ends its warm-up blank, and what TextData answers.
    bool answersWarmUp = true;
    HRESULT textDataAnswer = S_OK;
    // SAPI 4: what VolumeSet answers for a stereo level, and the engine's ranges.
    HRESULT stereoVolumeAnswer = S_OK;
    DWORD volumeMinimum = 0x1000;
    DWORD volumeMaximum = 0x9000;
    DWORD speedMinimum = 50;
    DWORD speedMaximum = 250;

    DrivenClock clock;
    std::vector<std::string> calls;
    // The calls of voice listings (SetId, GetStringValue), kept apart.
    std::vector<std::string> listingCalls;
    std::vector<std::string> voices;
    std::vector<Description> descriptions;
    std::vector<ISpObjectToken*> tokens;
    std::vector<std::string> modes;
    FakeTtsCentral* central = nullptr;

    long create(const GUID& Class, const GUID& Interface, void** Object);
};
