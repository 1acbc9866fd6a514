#include "foundation/KTime.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"

K_DEFINE_CLASS(KTime, KComparable, 1)

int KTime::compare(const KComparable& O) const
{
    const KTime& other = static_cast<const KTime&>(O);
    return kCompareInOrder({{m_hour, other.m_hour}, {m_minute, other.m_minute}, {m_second, other.m_second}});
}

K_DEFINE_COMPARISONS(KTime)

void KTime::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KTime::getClassRecord());
    writer.newSection(1);
    F.writeShort(m_hour);
    F.writeShort(m_minute);
    F.writeShort(m_second);
    writer.end();
}

void KTime::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KTime::getClassRecord(), 1)) {
        F.readShort(m_hour);
        F.readShort(m_minute);
        F.readShort(m_second);
    }
    reader.end();
}
