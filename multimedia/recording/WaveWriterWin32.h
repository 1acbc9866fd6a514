#pragma once
// Writes the RIFF WAVE files that the recorder makes, through the Windows multimedia file
// functions. The caller owns the file handle and the three records and passes them to
// each call, in the order create, startData, any number of write, close. The header is
// written in full at once with placeholders ("fmt ", a "fact" chunk holding 0xFFFFFFFF,
// an empty "data" chunk), so that a recording cut short still leaves a file whose layout
// is whole; close then fills in the sizes and the sample count.
//
// Each call answers 0 or the multimedia error that stopped it; the open failure and a
// short write of the header answer kWaveWriteFailure.
#include "foundation/KTypes.h"

#include <windows.h>

#include <mmsystem.h>

namespace WaveWriter {

constexpr MMRESULT kWaveWriteFailure = 0xE104;

// Creates (or truncates) the file and writes the header up to the "fact" chunk. After a
// failure the handle, when one was opened, stays with the caller.
MMRESULT create(const char* FileName, HMMIO& File, const WAVEFORMATEX& Format, MMCKINFO& Chunk, MMCKINFO& Riff);
// Opens the "data" chunk in Chunk and takes over the file's I/O buffer into Buffer.
MMRESULT startData(HMMIO File, MMCKINFO& Chunk, MMIOINFO& Buffer);
// Appends Count bytes to the data chunk through Buffer; Written tells how many went in.
MMRESULT write(HMMIO File, uint32 Count, const uint8* Source, uint32& Written, MMIOINFO& Buffer);
// Hands the buffer back, closes both chunks (which sets their sizes), puts the sample
// count into the "fact" chunk when it is found, and closes the file; File becomes null.
// Nothing happens for a null handle.
MMRESULT close(HMMIO& File, MMCKINFO& Chunk, MMCKINFO& Riff, MMIOINFO& Buffer, uint32 SampleCount);

} // namespace WaveWriter
