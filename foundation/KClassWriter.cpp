#include "foundation/KClassWriter.h"

#include "foundation/KFile.h"

K_DEFINE_CLASS(KClassWriter, KThing, 1)

KClassWriter::~KClassWriter()
{
    if (m_file)
        kksReportError(43, "KClassWriter::~KClassWriter()");
}

void KClassWriter::begin(KFile& F, KClass* C)
{
    if (!C) {
        kksReportError(18, "KClassWriter::begin");
        return;
    }
    m_file = &F;
    F.writeLong(C->getClassID());
    m_version = C->getVersion();
    F.writeLong(m_version);
    m_blockSizePosition = F.getPosition();
    F.writeLong(0);
    F.writeLong(0);
    m_sectionCount = 0;
}

void KClassWriter::closeSection()
{
    if (m_sectionCount == 0)
        return;
    const long position = m_file->getPosition();
    m_file->setPosition(m_sectionLengthPosition);
    m_file->writeLong(position - m_sectionStart);
    m_file->setPosition(position);
}

void KClassWriter::newSection(long ID)
{
    if (!m_file) {
        kksReportError(18, "KClassWriter::newSection");
        return;
    }
    closeSection();
    m_sectionStart = m_file->getPosition();
    m_file->writeLong(ID);
    m_sectionLengthPosition = m_file->getPosition();
    m_file->writeLong(0);
    ++m_sectionCount;
}

void KClassWriter::end()
{
    if (!m_file) {
        kksReportError(18, "KClassWriter::end");
        return;
    }
    const long position = m_file->getPosition();
    closeSection();
    m_file->setPosition(m_blockSizePosition);
    m_file->writeLong(position - (m_blockSizePosition + 8));
    m_file->writeLong(m_sectionCount);
    m_file->setPosition(position);
    m_file = nullptr;
}
