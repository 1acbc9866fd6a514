#pragma once
// The DirectShow side of sound playback: a sound file rendered into a filter graph, which
// plays every type DirectShow knows (WAV, AIFF, MP3, MIDI). The record is a sound's native
// handle from its load to its stop; it is allocated zero-filled and freed by the sound.
#include "foundation/KTypes.h"

struct IGraphBuilder;
struct IMediaControl;
struct IMediaPosition;
class KStreamingSound;

struct KSoundGraphRecord {
    // A sound streamed through DirectSound in place of the graph; none is made so far.
    KStreamingSound* streamedSound;
    IGraphBuilder* graph;
    // Acquired when first needed.
    IMediaControl* control;
    IMediaPosition* position;
    // Set once a position above 0 has been read: a position back at 0 then means done.
    uint8 positionSeen;
};

// Builds the graph for the file and holds its position interface; answers the first
// failing HRESULT (what was acquired stays in the record for the release). A file of a
// known form without its content is refused before any graph is made.
long renderSoundFileWin32(KSoundGraphRecord& Record, const char* Path);
// Releases the position, control and graph interfaces, in that order.
void releaseSoundGraphWin32(KSoundGraphRecord& Record);
bool acquireGraphControlWin32(KSoundGraphRecord& Record);
bool acquireGraphPositionWin32(KSoundGraphRecord& Record);
// Plays from the start: false when the control is missing or the graph will not run.
bool playSoundGraphWin32(KSoundGraphRecord& Record);
// These answer false only when the control is missing.
bool resumeSoundGraphWin32(KSoundGraphRecord& Record);
bool pauseSoundGraphWin32(KSoundGraphRecord& Record);
bool stopSoundGraphWin32(KSoundGraphRecord& Record);
// Volume in hundredths of a decibel, balance from −10,000 to 10,000; false when the graph
// has no audio control.
bool setSoundGraphVolumeWin32(KSoundGraphRecord& Record, long Level);
bool setSoundGraphBalanceWin32(KSoundGraphRecord& Record, long Balance);
// Seconds; 0 when the graph cannot tell.
double getSoundGraphDurationWin32(KSoundGraphRecord& Record);
// Done at the end, when the position has gone back to 0 after moving, and when the graph
// cannot tell where it stands.
bool isSoundGraphDoneWin32(KSoundGraphRecord& Record);
