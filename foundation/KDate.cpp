#include "foundation/KDate.h"

K_DEFINE_CLASS(KDate, KComparable, 1)

void KDate::set(const KDate& O)
{
    m_year = O.m_year;
    m_month = O.m_month;
    m_day = O.m_day;
}

int KDate::compare(const KComparable& O) const
{
    const KDate& other = static_cast<const KDate&>(O);
    return kCompareInOrder({{m_year, other.m_year}, {m_month, other.m_month}, {m_day, other.m_day}});
}

K_DEFINE_COMPARISONS(KDate)
