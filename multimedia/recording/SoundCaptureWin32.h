#pragma once
// The capture engine under the sound recorder: DirectSound capture into a looping buffer
// that holds one second of sound, emptied into a WAV file every 33 ms by a timer without
// a window. Its state is one set for the process, used on the GUI thread only; the timer's
// messages come through the GUI thread's own message pump, so a poll never overlaps
// another call here.
//
// Order: init, then any number of startRecording ... stopRecording pairs, then release.
// COM must be initialised on the calling thread first.
//
// Sounds are recorded as PCM mono, 22,050 Hz 16-bit; a device that lacks that format
// switches the engine, for the rest of the process, to 11,025 Hz 8-bit.
#include "foundation/KTypes.h"

struct IDirectSoundCapture;

namespace SoundCapture {

// Opens the default capture device and makes its buffer; false when the device, its
// capabilities, its buffer or its notifications cannot be had. Objects of an earlier init
// are let go first.
bool init();
// Lets go of the device and its buffer; the engine is then closed.
void release();
// Starts a recording into a new WAV file at Path (a Windows path); false, with no file
// left behind, when there is no buffer or the file or the capture cannot start. With
// WithTimer the engine polls itself every 33 ms; otherwise the caller polls.
bool startRecording(const char* Path, bool WithTimer);
// Appends to the file what the device captured since the last poll; false without a
// buffer. A span that cannot be locked is skipped and told to the debugger only.
bool poll();
// Stops the capture, takes its last bytes and finishes the file; always true.
bool stopRecording();

// What the engine stands at, for those who watch it.
bool hasCaptureBuffer();
bool isPolling();
uint32 getBytesWritten();
// Where in the capture buffer the next poll starts.
uint32 getNextOffset();
uint32 getSamplesPerSecond();
uint16 getBitsPerSample();

// How the engine gets its capture object: the class context to ask for (7, then 1) and
// the place for the object; answers an HRESULT. Null restores COM's CoCreateInstance.
using CaptureFactory = long (*)(unsigned long ClassContext, IDirectSoundCapture** Out);
void setCaptureFactory(CaptureFactory Factory);

} // namespace SoundCapture
