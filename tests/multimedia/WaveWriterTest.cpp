// The recorder's WAV files, byte for byte: the 56-byte header with its placeholders, the
// sizes and the sample count filled in on closing, the pad byte of an odd data chunk, and
// a file whose "fact" chunk went missing.
#include "multimedia/recording/WaveWriterWin32.h"
#include "tests/multimedia/RecordingTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The header for a mono PCM format, the fact chunk's name given, then the data.
Bytes expectedFile(uint16 Bits, uint32 RiffSize, const char* Fact, uint32 Samples, const Bytes& Data)
{
    const uint32 rate = Bits == 16 ? 22050 : 11025;
    Bytes out;
    putID(out, "RIFF");
    put(out, RiffSize, 4);
    putID(out, "WAVE");
    putID(out, "fmt ");
    for (uint32 value : {16u, 1u | 1u << 16, rate, rate * Bits / 8, Bits / 8u | uint32(Bits) << 16})
        put(out, value, 4);
    putID(out, Fact);
    put(out, 4, 4);
    put(out, Samples, 4);
    putID(out, "data");
    put(out, static_cast<uint32>(Data.size()), 4);
    out.insert(out.end(), Data.begin(), Data.end());
    if (Data.size() & 1)
        out.push_back(0);
    return out;
}

TEST(WaveWriter, WritesTheHeaderWithItsPlaceholdersAndFillsThemInOnClosing)
{
    TemporaryFolder folder;
    const std::string path = folder.file("take.wav");
    const struct {
        const char* name;
        uint16 bits;
        uint32 dataSize;
        uint32 slice;
        bool factLost;
    } cases[] = {
        {"nothing recorded", 16, 0, 1, false},
        // One second of 16-bit sound, in slices that cross the I/O buffer's end.
        {"one second", 16, 44100, 1455, false},
        {"odd 8-bit", 8, 1001, 333, false},
        // The sizes are still set when the count has nowhere to go.
        {"fact chunk lost", 16, 10, 10, true},
    };
    for (const auto& c : cases) {
        const auto align = static_cast<uint16>(c.bits / 8);
        const uint32 rate = c.bits == 16 ? 22050 : 11025;
        const WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, rate, rate * align, align, c.bits, 0};
        HMMIO file = nullptr;
        MMCKINFO chunk = {}, riff = {};
        MMIOINFO buffer = {};
        ASSERT_EQ(WaveWriter::create(path.c_str(), file, format, chunk, riff), 0u) << c.name;
        if (c.factLost) {
            const LONG end = mmioSeek(file, 0, SEEK_CUR);
            mmioSeek(file, 36, SEEK_SET);
            mmioWrite(file, "junk", 4);
            mmioSeek(file, end, SEEK_SET);
        }
        ASSERT_EQ(WaveWriter::startData(file, chunk, buffer), 0u) << c.name;
        Bytes data(c.dataSize);
        for (uint32 i = 0; i < c.dataSize; ++i)
            data[i] = static_cast<uint8>(i * 7 + 3);
        for (uint32 at = 0; at < c.dataSize; at += c.slice) {
            const uint32 count = std::min(c.slice, c.dataSize - at);
            uint32 written = 0;
            EXPECT_EQ(WaveWriter::write(file, count, data.data() + at, written, buffer), 0u);
            EXPECT_EQ(written, count);
        }
        EXPECT_EQ(WaveWriter::close(file, chunk, riff, buffer, c.dataSize / align), 0u) << c.name;
        EXPECT_EQ(file, nullptr);
        const uint32 riffSize = 48 + c.dataSize + (c.dataSize & 1);
        EXPECT_EQ(readAll(path), expectedFile(c.bits, riffSize, c.factLost ? "junk" : "fact",
                                              c.factLost ? 0xFFFFFFFF : c.dataSize / align, data))
            << c.name;
    }
    HMMIO none = nullptr;
    MMCKINFO chunk = {}, riff = {};
    MMIOINFO buffer = {};
    EXPECT_EQ(WaveWriter::close(none, chunk, riff, buffer, 5), 0u);
}

} // namespace
