#pragma once
// A block of raw bytes that stores itself as they are. Created through the class registry
// when a stored block names it.
#include "foundation/KClass.h"

class KMemoryBlock : public KThing {
    K_DECLARE_CLASS(KMemoryBlock)
public:
    KMemoryBlock() = default;
    KMemoryBlock(const KMemoryBlock&) = delete;
    KMemoryBlock& operator=(const KMemoryBlock&) = delete;
    ~KMemoryBlock() override;

    const uint8* getData() const { return m_data; }
    long getSize() const { return m_size; }

    // A stored size larger than the bytes its section holds is damage: the file's error
    // code is set and nothing is allocated.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

private:
    void dispose();

    uint8* m_data = nullptr;
    long m_size = 0;
};
