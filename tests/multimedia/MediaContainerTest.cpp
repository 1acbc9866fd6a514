// Media files are told apart by their own bytes before the platform sees them: movies
// only in the containers it plays, and no known form without the chunks of its content.
#include "multimedia/MediaContainer.h"
#include "tests/multimedia/MovieTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

MediaContainer::Kind kindOf(const Bytes& File)
{
    return MediaContainer::identify([&File](uint64_t Offset, uint8* Into, size_t Size) -> size_t {
        if (Offset >= File.size())
            return 0;
        const size_t length = std::min<size_t>(Size, File.size() - Offset);
        std::memcpy(Into, File.data() + Offset, length);
        return length;
    });
}

Bytes withBytes(std::initializer_list<uint8> Head, size_t Total)
{
    Bytes out(Head);
    out.resize(Total, 0x5A);
    return out;
}

// A padding chunk that states Size bytes and holds Held of them (padded to even), put
// before the AVI's movie list.
Bytes withJunkBeforeMovie(Bytes Avi, uint32 Size, uint32 Held)
{
    const char movie[] = "movi";
    const auto at = std::search(Avi.begin(), Avi.end(), movie, movie + 4) - 8;
    Bytes junk;
    putID(junk, "JUNK");
    put(junk, Size, 4);
    junk.resize(junk.size() + Held + (Held & 1), 0);
    Avi.insert(at, junk.begin(), junk.end());
    return Avi;
}

TEST(MediaContainer, MoviesAndSoundsAreToldApartAndBrokenFormsFound)
{
    const Bytes avi = aviBytes(4, 2, 10, {0xFF0000, 0x00FF00});
    Bytes transport(3 * 188, 0);
    for (size_t packet = 0; packet < 3; ++packet)
        transport[packet * 188] = 0x47;
    Bytes riffOther = avi;
    std::memcpy(riffOther.data() + 8, "RMID", 4);
    const Bytes wave = waveBytes(WaveShape());
    Bytes waveWithoutFormat = wave;
    std::memcpy(waveWithoutFormat.data() + 12, "LIST", 4);

    const struct {
        const char* name;
        Bytes file;
        MediaContainer::Kind kind;
    } cases[] = {
        {"avi", avi, MediaContainer::Avi},
        // The walk steps over chunks of odd and even sizes to the movie list.
        {"avi with padding", withJunkBeforeMovie(withJunkBeforeMovie(avi, 5, 5), 6, 6), MediaContainer::Avi},
        // A size near 4 GB must neither wrap the offset back into the file nor loop.
        {"chunk running past the file", withJunkBeforeMovie(avi, 0xFFFFFFFF, 0), MediaContainer::Broken},
        {"avi without frames", aviBytes(4, 2, 10, {}), MediaContainer::Broken},
        {"avi cut inside its header list", Bytes(avi.begin(), avi.begin() + 20), MediaContainer::Broken},
        {"wave", wave, MediaContainer::Wave},
        {"wave without format", waveWithoutFormat, MediaContainer::Broken},
        {"aiff", iffBytes("AIFF", {"COMM", "SSND"}), MediaContainer::Aiff},
        {"aifc", iffBytes("AIFC", {"FVER", "COMM", "SSND"}), MediaContainer::Aiff},
        {"aiff without sound data", iffBytes("AIFF", {"COMM"}), MediaContainer::Broken},
        {"other riff form", riffOther, MediaContainer::Unknown},
        {"mpeg program stream", withBytes({0, 0, 1, 0xBA}, 64), MediaContainer::Mpeg},
        {"mpeg video stream", withBytes({0, 0, 1, 0xB3}, 64), MediaContainer::Mpeg},
        {"mpeg transport stream", transport, MediaContainer::Mpeg},
        {"one transport sync byte", withBytes({0x47}, 3 * 188), MediaContainer::Unknown},
        {"mp4", withBytes({0, 0, 0, 24, 'f', 't', 'y', 'p'}, 64), MediaContainer::QuickTime},
        {"quicktime", withBytes({0, 0, 0, 40, 'm', 'o', 'o', 'v'}, 64), MediaContainer::QuickTime},
        {"atom smaller than its header", withBytes({0, 0, 0, 4, 'f', 't', 'y', 'p'}, 64), MediaContainer::Unknown},
        {"asf", withBytes({0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11, 0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C}, 64),
         MediaContainer::Asf},
        {"noise", Bytes(300, 'x'), MediaContainer::Unknown},
        {"empty", Bytes(), MediaContainer::Broken},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kindOf(c.file), c.kind) << c.name;
}

} // namespace
