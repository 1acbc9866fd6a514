#include "foundation/KNumber.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"

K_DEFINE_CLASS(KNumber, KComparable, 1)

void KNumber::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KNumber::getClassRecord());
    writer.newSection(1);
    F.writeDouble(m_value);
    writer.end();
}

void KNumber::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KNumber::getClassRecord(), 1))
        F.readDouble(m_value);
    reader.end();
}
