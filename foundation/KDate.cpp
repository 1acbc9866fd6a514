#include "foundation/KDate.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"

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

void KDate::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KDate::getClassRecord());
    writer.newSection(1);
    F.writeShort(m_year);
    F.writeShort(m_month);
    F.writeShort(m_day);
    writer.end();
}

void KDate::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KDate::getClassRecord(), 1)) {
        F.readShort(m_year);
        F.readShort(m_month);
        F.readShort(m_day);
    }
    reader.end();
}
