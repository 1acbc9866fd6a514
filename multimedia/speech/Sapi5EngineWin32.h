#pragma once
// The SAPI 5 layer under the speech media: it lists the installed voices, gives each
// speech its own voice object, speaks a text asynchronously, pauses, resumes and stops
// it, sets rate and volume, and polls the engine for the word being spoken, which it
// measures in the speech's text and reports to the speech's receivers. The engine never
// calls back: all progress is read by polling from the media manager's idle pass.
#include "foundation/KTypes.h"

class KBag;
class KSpeech;
class KString;
struct ISpVoice;

// A speech's voice record: its native handle while it is loaded, allocated zero-filled
// (kssVoiceGetRecordSize bytes) and freed by the speech. A record starts closed; while it
// is not open, speaking, stopping, polling, rate and volume do nothing.
struct KSapiVoice {
    enum SpeakingState : uint8 {
        Done = 1,
        // Queued, not yet audible.
        Started = 2,
        Speaking = 3,
        Paused = 4,
    };

    // 1 when this layer serves the speech (set by the speech; 0 means SAPI 4).
    uint8 engineFlag;
    // 1 once a voice has been selected.
    uint8 openFlag;
    ISpVoice* voice;
    // What Speak answered for the last text.
    uint32 streamNumber;
    // The word being spoken: its character index and length, −1 for none.
    int32 wordStart;
    int32 wordLength;
    uint8 speakingState;
    // The speech whose text is measured and whose receivers hear the words.
    KSpeech* owner;
    uint16 voiceIndex;
};

constexpr long kSapiVoiceRecordSize = 32;
static_assert(sizeof(KSapiVoice) <= kSapiVoiceRecordSize, "the record fits the block a speech allocates");

// True when the last listing found an installed voice: without one SAPI 5 has nothing to
// speak with, and speech must not count as available.
bool kssSapi5IsAvailable();
void kssSapi5Shutdown();
// Empties Names and fills it with the descriptions of the installed voices in the
// engine's order (the user-interface language's, else the token's default), rebuilding
// the layer's tables of voice tokens at the same time.
void kssSapi5ListVoices(KBag& Names);

long kssVoiceGetRecordSize();
void kssVoiceSetOwner(KSapiVoice* Record, KSpeech& Owner);
// Creates the voice object and selects the named voice of the last listing; false when no
// voice object can be made or no listed voice has the name.
bool kssVoiceOpen(KSapiVoice* Record, const KString& Name);
void kssVoiceClose(KSapiVoice* Record);
void kssVoiceSpeak(KSapiVoice* Record, const KString& Text);
void kssVoicePause(KSapiVoice* Record);
void kssVoiceResume(KSapiVoice* Record);
void kssVoiceStop(KSapiVoice* Record);
// Started, speaking or paused.
bool kssVoiceIsBusy(KSapiVoice* Record);
// Reads the engine's status; on a new word, measures it and sends the owner's word
// feedback when the owner asks for feedback.
void kssVoicePoll(KSapiVoice* Record);
long kssVoiceGetWordStart(KSapiVoice* Record);
long kssVoiceGetWordLength(KSapiVoice* Record);
// 0 to 100 percent, 50 the engine's normal rate; values outside are held to the range.
void kssVoiceSetRate(KSapiVoice* Record, int16 Percent);
short kssVoiceGetRate(KSapiVoice* Record);
// 0 to 100 percent; above 100 is held to 100. True for any record.
bool kssVoiceSetVolume(KSapiVoice* Record, uint16 Percent);
