#pragma once
// Deterministic damaged copies of seed files: the copy with a given number is always the
// same bytes, so that a failure found in a long campaign can be made again from its
// number alone. Each copy takes one seed and applies one to four kinds of damage:
// truncation, flipped bytes, a count or length field set to a value a reader must not
// trust (0, -1, 0x7fffffff, 0x80000000, huge ones, off by one), a chunk removed or
// repeated (a whole class block or PNG chunk where the format has them), and a stored
// class ID swapped for another registered class. PNG chunks mostly get checksums that fit
// their damaged contents.
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct DamageProfile {
    // How the format stores its numbers.
    bool bigEndian = true;
    enum Chunks { RawChunks, ClassBlocks, PngChunks } chunks = RawChunks;
    // The class IDs a file may hold; a stored one may be swapped for any other of them.
    std::vector<uint32_t> classIds;
};

class DamageMaker {
public:
    // Salt separates the copies of different readers made from the same number.
    DamageMaker(std::vector<Bytes> Seeds, DamageProfile Profile, const std::string& Salt);

    bool hasSeeds() const { return !m_seeds.empty(); }
    size_t seedCount() const { return m_seeds.size(); }
    Bytes make(uint64_t Index) const;

private:
    class Random;
    struct Range {
        size_t start;
        size_t length;
    };

    void damageOnce(Bytes& Data, Random& R) const;
    void truncate(Bytes& Data, Random& R) const;
    void flipBytes(Bytes& Data, Random& R) const;
    void setField(Bytes& Data, Random& R, int Width) const;
    void changeChunk(Bytes& Data, Random& R, bool Repeat) const;
    bool swapClassId(Bytes& Data, Random& R) const;
    void fixPngChecksums(Bytes& Data) const;
    Range pickChunk(const Bytes& Data, Random& R) const;
    std::vector<Range> classBlocks(const Bytes& Data) const;
    bool isClassId(uint32_t Value) const;

    uint32_t load(const Bytes& Data, size_t At, int Width) const;
    void store(Bytes& Data, size_t At, int Width, uint32_t Value) const;

    std::vector<Bytes> m_seeds;
    DamageProfile m_profile;
    std::vector<uint32_t> m_sortedIds;
    uint64_t m_salt;
};
