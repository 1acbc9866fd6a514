#include "foundation/KSet.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KMemory.h"

K_DEFINE_CLASS(KSet, KThing, 1)

KSet::KSet()
{
    allocateWords(32);
}

KSet::KSet(const KSet& O)
    : KThing(O)
{
    allocateWords(O.m_bitCount);
    if (m_words)
        KMemory::copy(O.m_words, m_words, bytesFor(O.m_bitCount));
}

KSet::~KSet()
{
    if (m_words)
        KMemory::dispose(m_words);
}

KSet& KSet::operator=(const KSet& O)
{
    if (&O == this)
        return *this;
    setSize(O.m_bitCount);
    if (m_words && O.m_words)
        KMemory::copy(O.m_words, m_words, bytesFor(O.m_bitCount));
    return *this;
}

void KSet::allocateWords(uint32 N)
{
    if (m_words)
        KMemory::dispose(m_words);
    m_words = static_cast<uint32*>(KMemory::allocate(bytesFor(N), true));
    m_bitCount = N;
    // Only whole words count: the block's last bytes may not fill one.
    m_allocatedBytes = m_words ? bytesFor(N) : 0;
    m_capacity = m_allocatedBytes / 4 * 32;
}

void KSet::setSize(uint32 N)
{
    allocateWords(N);
}

void KSet::set(uint32 N)
{
    if (N < m_bitCount && N < m_capacity)
        m_words[N / m_bitsPerWord] |= 1u << (N % m_bitsPerWord);
}

void KSet::clear(uint32 N)
{
    if (N < m_bitCount && N < m_capacity)
        m_words[N / m_bitsPerWord] &= ~(1u << (N % m_bitsPerWord));
}

bool KSet::isSet(uint32 N) const
{
    return N < m_bitCount && N < m_capacity && (m_words[N / m_bitsPerWord] & (1u << (N % m_bitsPerWord))) != 0;
}

void KSet::clearAll()
{
    if (m_words)
        KMemory::clear(m_words, m_allocatedBytes);
}

void KSet::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KSet::getClassRecord());
    writer.newSection(1);
    F.writeLong(static_cast<long>(m_bitCount));
    writer.end();
}

void KSet::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KSet::getClassRecord(), 1)) {
        long stored = 0;
        F.readLong(stored);
        const auto count = static_cast<uint32>(stored);
        if (count > kMaximumStoredSize) {
            F.setError(KClassReader::kDamagedDataError);
        } else if (count > m_capacity) {
            // The bits are not stored, so the larger set starts clear.
            allocateWords(count);
        } else {
            m_bitCount = count;
        }
    }
    reader.end();
}
