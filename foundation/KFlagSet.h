#pragma once
// One 32-bit word of flags, combined by masks. Files keep their state in one, fonts their
// style bits, and many classes their state bits.
#include "foundation/KClass.h"

class KFlagSet : public KThing {
    K_DECLARE_CLASS(KFlagSet)
public:
    KFlagSet() = default;
    explicit KFlagSet(uint32 Flags) : m_flags(Flags) {}
    KFlagSet(const KFlagSet& O) : KThing(O), m_flags(O.m_flags) {}

    uint32 operator=(const KFlagSet& O)
    {
        m_flags = O.m_flags;
        return m_flags;
    }
    bool operator==(const KFlagSet& O) const { return m_flags == O.m_flags; }

    void set(uint32 Mask) { m_flags |= Mask; }
    void clear(uint32 Mask) { m_flags &= ~Mask; }
    void clearAll() { m_flags = 0; }
    uint32 getFlags() const { return m_flags; }

    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

private:
    uint32 m_flags = 0;
};
