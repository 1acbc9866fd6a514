#pragma once
// A sized set of numbered bits, 32 by default: interactive elements, actors and the tape
// keep numbered boolean properties in one. Bit numbers are unsigned, so a negative number
// is a very large one and falls outside the set.
#include "foundation/KClass.h"

class KSet : public KThing {
    K_DECLARE_CLASS(KSet)
public:
    KSet();
    KSet(const KSet& O);
    ~KSet() override;
    // Takes the other set's bit count and bits.
    KSet& operator=(const KSet& O);

    // n bits, all clear: no bit survives a resize.
    void setSize(uint32 N);
    uint32 getSize() const { return m_bitCount; }
    // Bit numbers not below the bit count are ignored.
    void set(uint32 N);
    void clear(uint32 N);
    bool isSet(uint32 N) const;
    void clearAll();

    // Only the bit count is stored, never the bits.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // The largest bit count a stored block may ask for; a larger one is taken as damage.
    static constexpr uint32 kMaximumStoredSize = 1u << 20;

private:
    static unsigned long bytesFor(uint32 Bits) { return Bits / 8 + 4; }
    // Words for N bits, all clear; on failure the set is left without words.
    void allocateWords(uint32 N);

    uint32 m_bitCount = 0;
    uint32 m_bitsPerWord = 32;
    uint32* m_words = nullptr;
    unsigned long m_allocatedBytes = 0;
    // Bits the word block can hold; reading a block may raise the count up to it.
    uint32 m_capacity = 0;
};
