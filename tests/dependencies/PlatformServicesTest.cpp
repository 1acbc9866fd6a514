// The Windows services the program leans on answer under Wine: the registry for the
// preferences and DirectSound for playback and recording.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

namespace {

TEST(PlatformServices, RegistryValueWrittenUnderLocalMachineReadsBack)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\NarraboDependencyTest", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    const BYTE written[] = {0x00, 0x00, 0x01, 0x2C};
    ASSERT_EQ(RegSetValueExA(key, "Probe", 0, REG_BINARY, written, sizeof written), ERROR_SUCCESS);

    BYTE read[8] = {};
    DWORD type = 0, size = sizeof read;
    ASSERT_EQ(RegQueryValueExA(key, "Probe", nullptr, &type, read, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    ASSERT_EQ(size, DWORD(sizeof written));
    EXPECT_EQ(0, memcmp(read, written, sizeof written));

    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\NarraboDependencyTest"), ERROR_SUCCESS);
}

TEST(PlatformServices, DirectSoundOpensOnTheNullSinkAndTakesABuffer)
{
    EXPECT_GE(waveOutGetNumDevs(), 1u);

    LPDIRECTSOUND8 sound = nullptr;
    ASSERT_EQ(DirectSoundCreate8(nullptr, &sound, nullptr), DS_OK);
    ASSERT_EQ(sound->SetCooperativeLevel(GetDesktopWindow(), DSSCL_PRIORITY), DS_OK);

    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 22050;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = 44100;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_GLOBALFOCUS | DSBCAPS_CTRLPOSITIONNOTIFY;
    description.dwBufferBytes = 44100;
    description.lpwfxFormat = &format;
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    EXPECT_EQ(sound->CreateSoundBuffer(&description, &buffer, nullptr), DS_OK);
    if (buffer)
        buffer->Release();
    sound->Release();
}

} // namespace
