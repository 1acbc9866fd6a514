#include "foundation/KMemoryBlock.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KMemory.h"

K_DEFINE_CLASS(KMemoryBlock, KThing, 1)

KMemoryBlock::~KMemoryBlock()
{
    dispose();
}

void KMemoryBlock::dispose()
{
    if (m_data)
        KMemory::dispose(m_data);
    m_data = nullptr;
    m_size = 0;
}

void KMemoryBlock::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KMemoryBlock::getClassRecord());
    writer.newSection(1);
    F.writeLong(m_size);
    if (m_size > 0)
        F.write(m_data, m_size);
    writer.end();
}

void KMemoryBlock::readFromFile(KFile& F)
{
    dispose();
    KClassReader reader;
    if (reader.beginAtSection(F, KMemoryBlock::getClassRecord(), 1)) {
        long size = 0;
        F.readLong(size);
        if (size > reader.getSectionBytesLeft()) {
            F.setError(KClassReader::kDamagedDataError);
            reader.skipSection();
        } else if (size > 0) {
            m_data = static_cast<uint8*>(KMemory::allocate(static_cast<unsigned long>(size), false));
            if (m_data) {
                m_size = size;
                F.read(m_data, size);
            }
        }
    }
    reader.end();
}
