// The recorder's WAV files, byte for byte: the 56-byte header with its placeholders, the
// sizes and the sample count filled in on closing, the pad byte of an odd data chunk, and
// files whose "fact" chunk went missing.
#include "multimedia/recording/WaveWriterWin32.h"
#include "tests/multimedia/MediaTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

Bytes readAll(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

WAVEFORMATEX pcmFormat(uint32 Rate, uint16 Bits)
{
    const auto align = static_cast<uint16>(Bits / 8);
    return WAVEFORMATEX{WAVE_FORMAT_PCM, 1, Rate, Rate * align, align, Bits, 0};
}

// The header the recorder writes for a mono PCM format, with the sizes it ends with.
Bytes expectedHeader(uint32 Rate, uint16 Bits, uint32 RiffSize, uint32 Samples, uint32 DataSize)
{
    Bytes out;
    putID(out, "RIFF");
    put(out, RiffSize, 4);
    putID(out, "WAVE");
    putID(out, "fmt ");
    put(out, 16, 4);
    put(out, 1, 2);
    put(out, 1, 2);
    put(out, Rate, 4);
    put(out, Rate * Bits / 8, 4);
    put(out, Bits / 8, 2);
    put(out, Bits, 2);
    putID(out, "fact");
    put(out, 4, 4);
    put(out, Samples, 4);
    putID(out, "data");
    put(out, DataSize, 4);
    return out;
}

// One file through the four calls, its data handed over in slices of at most Slice bytes.
struct WaveFile {
    explicit WaveFile(const std::string& Path, const WAVEFORMATEX& Format)
    {
        EXPECT_EQ(WaveWriter::create(Path.c_str(), handle, Format, chunk, riff), 0u);
        EXPECT_EQ(WaveWriter::startData(handle, chunk, buffer), 0u);
    }
    void write(const Bytes& Data, size_t Slice)
    {
        for (size_t at = 0; at < Data.size(); at += Slice) {
            const auto count = static_cast<uint32>(std::min(Slice, Data.size() - at));
            uint32 written = 0;
            EXPECT_EQ(WaveWriter::write(handle, count, Data.data() + at, written, buffer), 0u);
            EXPECT_EQ(written, count);
        }
    }
    MMRESULT close(uint32 Samples) { return WaveWriter::close(handle, chunk, riff, buffer, Samples); }

    HMMIO handle = nullptr;
    MMCKINFO chunk = {};
    MMCKINFO riff = {};
    MMIOINFO buffer = {};
};

Bytes samples(uint32 Count)
{
    Bytes out(Count);
    for (uint32 i = 0; i < Count; ++i)
        out[i] = static_cast<uint8>(i * 7 + 3);
    return out;
}

TEST(WaveWriter, WritesTheHeaderWithItsPlaceholdersAndFillsThemInOnClosing)
{
    TemporaryFolder folder;
    const std::string path = folder.file("take.wav");
    const struct {
        const char* name;
        uint32 rate;
        uint16 bits;
        uint32 dataSize;
        size_t slice;
    } cases[] = {
        {"nothing recorded", 22050, 16, 0, 1},
        // One second of 16-bit sound, in slices that cross the I/O buffer's end.
        {"one second", 22050, 16, 44100, 1455},
        {"odd 8-bit", 11025, 8, 1001, 333},
    };
    for (const auto& c : cases) {
        WaveFile file(path, pcmFormat(c.rate, c.bits));
        const Bytes data = samples(c.dataSize);
        file.write(data, c.slice);
        const uint32 count = c.dataSize / (c.bits / 8);
        EXPECT_EQ(file.close(count), 0u) << c.name;
        EXPECT_EQ(file.handle, nullptr);
        const uint32 padded = c.dataSize + (c.dataSize & 1);
        Bytes expected = expectedHeader(c.rate, c.bits, 48 + padded, count, c.dataSize);
        expected.insert(expected.end(), data.begin(), data.end());
        if (c.dataSize & 1)
            expected.push_back(0);
        EXPECT_EQ(readAll(path), expected) << c.name;
    }
}

TEST(WaveWriter, AnUnfinishedFileHoldsTheUnknownCountAndAClosedHandleIsLeftAlone)
{
    TemporaryFolder folder;
    const std::string path = folder.file("open.wav");
    {
        WaveFile file(path, pcmFormat(22050, 16));
        EXPECT_EQ(mmioClose(file.handle, 0), 0u);
    }
    const Bytes header = readAll(path);
    ASSERT_EQ(header.size(), 56u);
    EXPECT_EQ(Bytes(header.begin() + 36, header.begin() + 48), (Bytes{'f', 'a', 'c', 't', 4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));

    HMMIO none = nullptr;
    MMCKINFO chunk = {}, riff = {};
    MMIOINFO buffer = {};
    buffer.dwFlags = 7;
    EXPECT_EQ(WaveWriter::close(none, chunk, riff, buffer, 5), 0u);
    EXPECT_EQ(buffer.dwFlags, 7u);

    // A file that cannot be made: the name names a folder that is not there.
    HMMIO handle = nullptr;
    EXPECT_EQ(WaveWriter::create(folder.file("none\\take.wav").c_str(), handle, pcmFormat(22050, 16), chunk, riff),
              WaveWriter::kWaveWriteFailure);
    EXPECT_EQ(handle, nullptr);
}

TEST(WaveWriter, AFileWhoseFactChunkIsGoneIsStillClosedWithItsSizes)
{
    TemporaryFolder folder;
    const std::string path = folder.file("nofact.wav");
    WaveFile file(path, pcmFormat(22050, 16));
    // The chunk's name is overwritten behind the writer's back.
    const LONG end = mmioSeek(file.handle, 0, SEEK_CUR);
    mmioSeek(file.handle, 36, SEEK_SET);
    mmioWrite(file.handle, "junk", 4);
    mmioSeek(file.handle, end, SEEK_SET);
    mmioGetInfo(file.handle, &file.buffer, 0);
    const Bytes data = samples(10);
    file.write(data, 10);
    EXPECT_EQ(file.close(5), 0u);
    Bytes expected = expectedHeader(22050, 16, 58, 0xFFFFFFFF, 10);
    std::copy_n("junk", 4, expected.begin() + 36);
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(readAll(path), expected);
}

} // namespace
