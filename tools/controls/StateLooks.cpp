#include "tools/controls/StateLooks.h"

namespace {
constexpr uint8 kNormal = 0;
constexpr uint8 kDisabled = 3;
} // namespace

void StateLooks::clearAll()
{
    for (KGraphicObjectPtr& look : m_looks)
        look.reset();
}

bool StateLooks::isEmpty() const
{
    for (const KGraphicObjectPtr& look : m_looks) {
        if (look.hasObject(nullptr))
            return false;
    }
    return true;
}

KGraphicObject* StateLooks::choose(bool Enabled, uint8 Hilite) const
{
    const uint8 state = Enabled ? Hilite : kDisabled;
    if (Enabled && Hilite >= kDisabled)
        return nullptr;
    return has(state) ? m_looks[state].get() : m_looks[kNormal].get();
}
