#include "foundation/KFlagSet.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"

K_DEFINE_CLASS(KFlagSet, KThing, 1)

void KFlagSet::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KFlagSet::getClassRecord());
    writer.newSection(1);
    F.writeLong(static_cast<long>(m_flags));
    writer.end();
}

void KFlagSet::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KFlagSet::getClassRecord(), 1)) {
        long flags = 0;
        F.readLong(flags);
        m_flags = static_cast<uint32>(flags);
    }
    reader.end();
}
