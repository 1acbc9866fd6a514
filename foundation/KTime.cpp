#include "foundation/KTime.h"

K_DEFINE_CLASS(KTime, KComparable, 1)

int KTime::compare(const KComparable& O) const
{
    const KTime& other = static_cast<const KTime&>(O);
    return kCompareInOrder({{m_hour, other.m_hour}, {m_minute, other.m_minute}, {m_second, other.m_second}});
}

K_DEFINE_COMPARISONS(KTime)
