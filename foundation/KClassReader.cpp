#include "foundation/KClassReader.h"

#include "foundation/KFile.h"

K_DEFINE_CLASS(KClassReader, KThing, 1)

uint8 KClassReader::s_unknownClassMode = KClassReader::DropElement;
long KClassReader::s_mismatchedBlocks = 0;
long KClassReader::s_unreadSections = 0;

namespace {
// A section holds at least its ID and its length.
constexpr long kSectionHeaderSize = 8;
} // namespace

KClassReader::~KClassReader()
{
    if (m_file)
        kksReportError(43, "KClassReader::~KClassReader()");
}

void KClassReader::resetLoadCounters()
{
    s_mismatchedBlocks = 0;
    s_unreadSections = 0;
}

void KClassReader::markDamaged()
{
    m_file->setError(kDamagedDataError);
    m_sectionsLeft = 0;
    m_sectionLength = 0;
    m_blockSize = 0;
}

void KClassReader::begin(KFile& F, KClass* C, long& Version, long& SectionCount)
{
    if (!C) {
        kksReportError(18, "KClassReader::begin");
        Version = 0;
        SectionCount = 0;
        return;
    }
    m_file = &F;
    m_ofClass = false;
    long classID = 0;
    F.readLong(classID);
    F.readLong(Version);
    F.readLong(m_blockSize);
    F.readLong(m_sectionsLeft);
    m_blockStart = F.getPosition();
    m_sectionsHandedOut = 0;
    m_sectionLength = 0;
    SectionCount = 0;

    const bool mismatch = classID != C->getClassID();
    if (mismatch && s_unknownClassMode == RefuseClass)
        kksReportError(31, "KClassReader::begin");

    // Every section takes at least its header, and the block lies inside the file.
    if (m_blockSize < 0 || m_blockSize > F.getSize() - m_blockStart
        || (m_sectionsLeft > 0 && m_sectionsLeft > m_blockSize / kSectionHeaderSize)) {
        markDamaged();
        return;
    }
    if (m_sectionsLeft < 0)
        m_sectionsLeft = 0;

    if (mismatch && s_unknownClassMode != RefuseClass) {
        F.setPosition(m_blockStart + m_blockSize);
        m_sectionsLeft = 0;
        ++s_mismatchedBlocks;
        return;
    }
    SectionCount = m_sectionsLeft;
    m_ofClass = !mismatch;
}

bool KClassReader::beginAtSection(KFile& F, KClass* C, long ID)
{
    long version = 0, sections = 0, id = -1;
    begin(F, C, version, sections);
    if (!m_file)
        return false;
    nextSection(id);
    return id == ID;
}

void KClassReader::nextSection(long& ID)
{
    if (!m_file) {
        kksReportError(18, "KClassReader::nextSection");
        return;
    }
    if (m_sectionsLeft <= 0) {
        ID = -1;
        return;
    }
    m_sectionStart = m_file->getPosition();
    long id = 0;
    m_file->readLong(id);
    m_file->readLong(m_sectionLength);
    --m_sectionsLeft;
    ++m_sectionsHandedOut;
    const long roomInBlock = m_blockStart + m_blockSize - m_sectionStart;
    if (m_sectionLength < kSectionHeaderSize || m_sectionLength > roomInBlock) {
        markDamaged();
        ID = -1;
        return;
    }
    ID = id;
}

void KClassReader::skipSection()
{
    if (!m_file) {
        kksReportError(18, "KClassReader::skipSection");
        return;
    }
    if (m_sectionsLeft < 0) {
        kksReportError(31, "KClassReader::skipSection");
        return;
    }
    m_file->setPosition(m_sectionStart + m_sectionLength);
}

void KClassReader::end()
{
    if (!m_file) {
        kksReportError(18, "KClassReader::end");
        return;
    }
    const long blockEnd = m_blockStart + m_blockSize;
    if (m_sectionsLeft > 0) {
        m_file->setPosition(blockEnd);
        m_sectionsLeft = 0;
        ++s_unreadSections;
    }
    // A reader that met a section it does not know and did not skip it, or did not read a
    // section to its end, would leave the file inside the block, and the next read would
    // take section data for a header. The block's end is where the next block starts.
    if (m_file->getPosition() != blockEnd)
        m_file->setPosition(blockEnd);
    m_file = nullptr;
}

void KClassReader::skipBlock(KFile& F)
{
    long classID = 0, version = 0, blockSize = 0, sectionCount = 0;
    F.readLong(classID);
    F.readLong(version);
    F.readLong(blockSize);
    F.readLong(sectionCount);
    const long position = F.getPosition();
    if (blockSize < 0 || blockSize > F.getSize() - position) {
        // The rest of the file cannot be trusted to hold a next block.
        F.setError(kDamagedDataError);
        F.setPosition(F.getSize());
        return;
    }
    F.setPosition(position + blockSize);
}

long KClassReader::getSectionBytesLeft() const
{
    if (!m_file || m_sectionLength == 0)
        return 0;
    const long left = m_sectionStart + m_sectionLength - m_file->getPosition();
    return left > 0 ? left : 0;
}
