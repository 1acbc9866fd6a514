#include "tests/robustness/DamageMaker.h"

#include <algorithm>

#include <zlib.h>

// SplitMix64: small, fast and the same on every platform, unlike the standard engines'
// distributions.
class DamageMaker::Random {
public:
    explicit Random(uint64_t Seed)
        : m_state(Seed)
    {
    }
    uint64_t next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to Bound - 1; 0 when Bound is 0.
    size_t below(size_t Bound) { return Bound == 0 ? 0 : static_cast<size_t>(next() % Bound); }
    bool chance(int Percent) { return below(100) < static_cast<size_t>(Percent); }
    // A length of 1 up to Limit, short ones far more often than long ones.
    size_t shortLength(size_t Limit)
    {
        if (Limit == 0)
            return 0;
        const size_t scale = size_t(1) << below(17);
        return 1 + below(std::min(Limit, scale));
    }

private:
    uint64_t m_state;
};

namespace {
uint64_t hashOf(const std::string& Text)
{
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : Text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

// Values that sizes, counts and offsets must be checked against.
const uint32_t kSuspect32[] = {0, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x10000000u, 0x40000000u,
    0x0FFFFFFFu, 0x7FFFFFFEu, 0xFFFFFFFEu, 0x00010000u, 0x0000FFFFu, 0x00007FFFu, 0x00008000u, 1};
const uint32_t kSuspect16[] = {0, 0xFFFF, 0x7FFF, 0x8000, 0xFFFE, 0x0100, 1, 0x7FFE};

// A scan for fields looks at no more than this many bytes of a large file.
constexpr size_t kScanWindow = 4096;
} // namespace

DamageMaker::DamageMaker(std::vector<Bytes> Seeds, DamageProfile Profile, const std::string& Salt)
    : m_seeds(std::move(Seeds))
    , m_profile(std::move(Profile))
    , m_sortedIds(m_profile.classIds)
    , m_salt(hashOf(Salt))
{
    std::sort(m_sortedIds.begin(), m_sortedIds.end());
    m_sortedIds.erase(std::unique(m_sortedIds.begin(), m_sortedIds.end()), m_sortedIds.end());
}

Bytes DamageMaker::make(uint64_t Index) const
{
    Random r(m_salt ^ (Index * 0xD1B54A32D192ED03ull));
    if (m_seeds.empty())
        return {};
    Bytes data = m_seeds[r.below(m_seeds.size())];
    size_t rounds = 1;
    if (r.chance(50))
        rounds += 1 + r.below(3);
    for (size_t i = 0; i < rounds && !data.empty(); ++i)
        damageOnce(data, r);
    // Most damaged chunks get a checksum that fits again, so that the damage reaches the
    // decoder behind the library's checksum test.
    if (m_profile.chunks == DamageProfile::PngChunks && r.chance(80))
        fixPngChecksums(data);
    return data;
}

void DamageMaker::fixPngChecksums(Bytes& Data) const
{
    for (size_t at = 8; at + 12 <= Data.size();) {
        const uint32_t length = load(Data, at, 4);
        if (length > Data.size() - at - 12)
            return;
        const uint32_t sum = static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), &Data[at + 4], 4 + length));
        store(Data, at + 8 + length, 4, sum);
        at += 12 + length;
    }
}

void DamageMaker::damageOnce(Bytes& Data, Random& R) const
{
    const bool classes = !m_sortedIds.empty();
    size_t pick = R.below(classes ? 100 : 83);
    if (pick < 8)
        truncate(Data, R);
    else if (pick < 26)
        flipBytes(Data, R);
    else if (pick < 50)
        setField(Data, R, 4);
    else if (pick < 60)
        setField(Data, R, 2);
    else if (pick < 72)
        changeChunk(Data, R, false);
    else if (pick < 83)
        changeChunk(Data, R, true);
    else if (!swapClassId(Data, R))
        setField(Data, R, 4);
}

void DamageMaker::truncate(Bytes& Data, Random& R) const
{
    // Cuts near the end are the common damage of an interrupted copy.
    const size_t keep = R.chance(50) ? R.below(Data.size()) : Data.size() - R.shortLength(Data.size());
    Data.resize(keep);
}

void DamageMaker::flipBytes(Bytes& Data, Random& R) const
{
    const size_t count = 1 + R.below(4);
    for (size_t i = 0; i < count; ++i) {
        uint8_t& byte = Data[R.below(Data.size())];
        if (R.chance(50))
            byte ^= static_cast<uint8_t>(1u << R.below(8));
        else
            byte = static_cast<uint8_t>(R.below(256));
    }
}

uint32_t DamageMaker::load(const Bytes& Data, size_t At, int Width) const
{
    uint32_t value = 0;
    for (int i = 0; i < Width; ++i) {
        const uint32_t byte = Data[At + (m_profile.bigEndian ? i : Width - 1 - i)];
        value = (value << 8) | byte;
    }
    return value;
}

void DamageMaker::store(Bytes& Data, size_t At, int Width, uint32_t Value) const
{
    for (int i = Width - 1; i >= 0; --i) {
        Data[At + (m_profile.bigEndian ? i : Width - 1 - i)] = static_cast<uint8_t>(Value & 0xFF);
        Value >>= 8;
    }
}

// Prefers fields that hold a plausible size, count or offset (1 up to the file's size):
// those are the ones readers allocate and loop by.
void DamageMaker::setField(Bytes& Data, Random& R, int Width) const
{
    const size_t width = static_cast<size_t>(Width);
    if (Data.size() < width)
        return flipBytes(Data, R);
    const size_t last = Data.size() - width;
    size_t from = 0;
    if (last > kScanWindow && R.chance(60))
        from = R.below(last - kScanWindow);
    const size_t to = std::min(last, from + kScanWindow);
    std::vector<size_t> plausible;
    for (size_t at = from; at <= to; ++at) {
        const uint32_t value = load(Data, at, Width);
        if (value >= 1 && value <= Data.size())
            plausible.push_back(at);
    }
    const size_t at = !plausible.empty() && R.chance(85) ? plausible[R.below(plausible.size())] : R.below(last + 1);
    const uint32_t old = load(Data, at, Width);
    uint32_t value = 0;
    switch (R.below(4)) {
    case 0:
        value = old + (R.chance(50) ? 1 : 0xFFFFFFFFu);
        break;
    case 1:
        value = static_cast<uint32_t>(R.chance(50) ? Data.size() - at : Data.size() + 1 + R.below(16));
        break;
    default:
        value = Width == 4 ? kSuspect32[R.below(std::size(kSuspect32))] : kSuspect16[R.below(std::size(kSuspect16))];
        break;
    }
    if (Width == 2)
        value &= 0xFFFF;
    store(Data, at, Width, value);
}

bool DamageMaker::isClassId(uint32_t Value) const
{
    return std::binary_search(m_sortedIds.begin(), m_sortedIds.end(), Value);
}

// Class blocks: a known class ID, a version, a block size that fits the file, a section
// count.
std::vector<DamageMaker::Range> DamageMaker::classBlocks(const Bytes& Data) const
{
    std::vector<Range> blocks;
    for (size_t at = 0; at + 16 <= Data.size(); ++at) {
        if (!isClassId(load(Data, at, 4)))
            continue;
        const uint32_t size = load(Data, at + 8, 4);
        if (size <= Data.size() - at - 16)
            blocks.push_back({at, 16 + size});
    }
    return blocks;
}

DamageMaker::Range DamageMaker::pickChunk(const Bytes& Data, Random& R) const
{
    if (m_profile.chunks == DamageProfile::ClassBlocks && R.chance(70)) {
        const std::vector<Range> blocks = classBlocks(Data);
        if (!blocks.empty())
            return blocks[R.below(blocks.size())];
    }
    if (m_profile.chunks == DamageProfile::PngChunks && R.chance(70)) {
        std::vector<Range> chunks;
        for (size_t at = 8; at + 12 <= Data.size();) {
            const uint32_t length = load(Data, at, 4);
            if (length > Data.size() - at - 12)
                break;
            chunks.push_back({at, 12 + length});
            at += 12 + length;
        }
        if (!chunks.empty())
            return chunks[R.below(chunks.size())];
    }
    const size_t start = R.below(Data.size());
    return {start, R.shortLength(Data.size() - start)};
}

void DamageMaker::changeChunk(Bytes& Data, Random& R, bool Repeat) const
{
    const Range chunk = pickChunk(Data, R);
    const auto first = Data.begin() + static_cast<long>(chunk.start);
    const auto last = first + static_cast<long>(chunk.length);
    if (!Repeat) {
        Data.erase(first, last);
        return;
    }
    const Bytes copy(first, last);
    const size_t times = R.chance(80) ? 1 : 2 + R.below(8);
    for (size_t i = 0; i < times; ++i)
        Data.insert(Data.begin() + static_cast<long>(chunk.start), copy.begin(), copy.end());
}

bool DamageMaker::swapClassId(Bytes& Data, Random& R) const
{
    std::vector<size_t> stored;
    for (size_t at = 0; at + 4 <= Data.size(); ++at) {
        if (isClassId(load(Data, at, 4)))
            stored.push_back(at);
    }
    if (stored.empty())
        return false;
    store(Data, stored[R.below(stored.size())], 4, m_sortedIds[R.below(m_sortedIds.size())]);
    return true;
}
