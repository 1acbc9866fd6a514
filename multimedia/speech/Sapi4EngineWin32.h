#pragma once
// The SAPI 4 layer under the speech media. Unlike SAPI 5 it holds one engine for the
// whole program: one selected mode (voice), one text being spoken, one state, one word
// position. The engine reports progress by calling the layer's two notification sinks
// while messages are pumped: the engine sink moves the state on audio start and stop,
// and the buffer sink records the position of each word as it is spoken.
#include "foundation/KTypes.h"

class KBag;
class KString;
struct _GUID;

// The layer's engine state.
enum KSapi4State : uint8 {
    kSapi4NoEngine = 0,
    // The warm-up blank is being spoken.
    kSapi4Selecting = 1,
    kSapi4WarmedUp = 2,
    kSapi4Idle = 3,
    kSapi4SpeakRequested = 4,
    kSapi4Speaking = 5,
    kSapi4Paused = 6,
};

// Texts longer than this are spoken as their first this many characters.
constexpr long kSapi4MaxTextLength = 9999;
// At most this many modes are listed; the rest of a larger installation stays unknown.
constexpr long kSapi4MaxModes = 100;
// How long bringing an engine up waits for its warm-up blank to end.
constexpr uint32 kSapi4WarmUpMs = 3000;

// Whether an engine can be enumerated; probed once, then remembered.
bool kssSapi4IsAvailable();
bool kssSapi4VoicesListed();
// Lists the modes once; false when SAPI 4 is not available.
bool kssSapi4ListVoices();
// Appends every mode name to Names (shared, not copied), listing first when needed.
bool kssSapi4GetVoices(KBag& Names);
// Shuts the current engine down and, with a mode, brings a new one up for it, waiting up
// to kSapi4WarmUpMs for its warm-up while pumping messages. The found mode's identifier
// is written back. Answers an error code, 0 when done or shut down.
long kssSapi4SelectMode(_GUID* Mode);
void kssSapi4Shutdown();
// False only when no listed mode has the name; an engine that fails to come up still
// answers true and leaves no engine behind.
bool kssSapi4SelectVoice(const KString& Name);
// Shuts the engine down and forgets the voice (a speech unloads).
void kssSapi4Reset();
void kssSapi4Speak(const KString& Text);
void kssSapi4Stop();
// Before the audio started, the pause waits for it.
void kssSapi4Pause();
void kssSapi4Resume();
// Speaking requested or speaking.
bool kssSapi4IsSpeaking();
void kssSapi4Poll();
long kssSapi4GetWordStart();
long kssSapi4GetWordLength();
uint8 kssSapi4GetState();
// 100 leaves the engine's own volume.
void kssSapi4SetVolume(int16 Percent);
// 50 returns to the engine's own speed: the next speak brings the engine up anew.
void kssSapi4SetSpeed(int16 Percent);

// The sinks' news.
void kssSapi4AudioStarted();
void kssSapi4AudioStopped();
void kssSapi4WordReached(unsigned long Offset);

// Shuts the engine down and forgets all the layer learnt of the installation.
void kssSapi4ForgetInstallation();
