#include "foundation/KBag.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"

#include <limits>

K_DEFINE_CLASS(KBag, KArray, 1)

namespace {
// The program sets a bag's grow and minimum sizes in steps of a few hundred slots at
// most. A stored size beyond both this and the slots the file holds is damage: taken as
// it is, the bag's next growth or clear (its destructor's among them) would ask for
// memory no bag needs, and that failure ends the program.
constexpr long kLargestStoredStep = 0x10000;
} // namespace

KBag::KBag() = default;

KBag::KBag(const KBag& Other)
    : KArray()
{
    copyFrom(Other);
}

KBag& KBag::operator=(const KBag& Other)
{
    copyFrom(Other);
    return *this;
}

KBag::~KBag()
{
    KBag::clear();
}

void KBag::setSize(long N)
{
    if (N >= 0 && N < m_count)
        m_count = N;
    KArray::setSize(N);
}

void KBag::clear()
{
    m_count = 0;
    setSize(m_minSize);
    KArray::clear();
}

bool KBag::makeRoom()
{
    if (m_count < getCapacity())
        return true;
    if (m_growSize > std::numeric_limits<long>::max() - getCapacity()) {
        kksReportError(19, "KBag::add(const KThing& Obj)");
        return false;
    }
    setSize(getCapacity() + m_growSize);
    // A failed growth has been reported by the allocator; the element is not counted,
    // so the count never runs past the slots.
    return m_count < getCapacity();
}

void KBag::add(const KThing& Obj)
{
    if (!makeRoom())
        return;
    putAt(Obj, m_count);
    ++m_count;
}

void KBag::addDirectData(long Value)
{
    if (!makeRoom())
        return;
    putDirectDataAt(Value, m_count);
    ++m_count;
}

void KBag::insertAt(const KThing& Obj, long Pos)
{
    if (Pos < 0 || Pos > m_count) {
        kksReportError(7, "KBag::insertAt(const KThing& Obj,long Pos)");
        return;
    }
    if (!makeRoom())
        return;
    if (Pos < m_count) {
        move(Pos, Pos + 1, m_count - Pos);
        // The element that stood here now stands one slot higher with its count.
        setWordAt(Pos, 0);
    }
    putAt(Obj, Pos);
    ++m_count;
}

void KBag::removeAt(long Pos)
{
    const char* context = "KBag::removeAt(long Pos)";
    if (m_count == 0) {
        kksReportError(7, context);
        return;
    }
    if (Pos < 0 || Pos >= getCapacity()) {
        resetAt(Pos);
        return;
    }
    if (Pos >= m_count) {
        kksReportError(7, context);
        return;
    }
    resetAt(Pos);
    if (Pos < m_count - 1) {
        move(Pos + 1, Pos, m_count - Pos - 1);
        setWordAt(m_count - 1, 0);
    }
    --m_count;
    shrinkIfSpare();
}

void KBag::shrinkIfSpare()
{
    const long smaller = getCapacity() - m_growSize;
    if (m_count <= smaller && smaller >= m_minSize)
        setSize(smaller);
}

void KBag::remove(const KThing& Obj)
{
    long pos = -1;
    if (has(Obj, &pos) && pos < m_count)
        removeAt(pos);
}

void KBag::addAll(const KArray& Other)
{
    if (Other.isDirect() != isDirect())
        return;
    const long count = Other.getSize();
    for (long pos = 0; pos < count; ++pos) {
        if (isDirect())
            addDirectData(Other.getDirectDataAt(pos));
        else
            add(Other.getObjectAt(pos));
    }
}

void KBag::copyFrom(const KBag& Other)
{
    if (&Other == this)
        return;
    setSize(0);
    m_count = 0;
    setGrowSize(Other.m_growSize);
    setMinSize(Other.m_minSize);
    m_count = Other.m_count;
    copyElementsFrom(Other);
    if (getCapacity() < m_count)
        m_count = getCapacity();
}

KThing& KBag::deepCopy() const
{
    KBag* copy = new KBag;
    if (!copy)
        return kNullReference<KThing>();
    copy->setGrowSize(m_growSize);
    copy->setMinSize(m_minSize);
    // The array's deep copy covers the used slots only; its elements are shared into the
    // bag and the array goes when the pointer lets it go.
    KArrayPtr elements;
    elements.setObjectOrNull(static_cast<KArray*>(&KArray::deepCopy()));
    if (!elements.hasObject())
        return *copy;
    copy->m_count = m_count;
    copy->copyElementsFrom(*elements);
    if (copy->getCapacity() < copy->m_count)
        copy->m_count = copy->getCapacity();
    return *copy;
}

void KBag::setGrowSize(long N)
{
    const char* context = "KBag::setGrowSize";
    if (m_count != 0) {
        kksReportError(26, context);
        return;
    }
    if (N <= 0) {
        kksReportError(6, context);
        return;
    }
    m_growSize = N;
}

void KBag::setMinSize(long N)
{
    const char* context = "KBag::setMinSize";
    if (m_count != 0) {
        kksReportError(26, context);
        return;
    }
    if (N < 0) {
        kksReportError(6, context);
        return;
    }
    m_minSize = N;
    if (getCapacity() < N)
        setSize(N);
}

void KBag::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KBag::getClassRecord(), 1)) {
        resetMissingCount();
        KArray::readFromFile(F);
        long storedCount = 0;
        long growSize = 0;
        long minSize = 0;
        F.readLong(storedCount);
        F.readLong(growSize);
        F.readLong(minSize);
        // The stored count may be anything: it is taken apart from the elements dropped in
        // 64 bits, where no stored value overflows.
        const long long storedLeft = static_cast<long long>(storedCount) - getMissingCount();
        long count = storedLeft < 0 ? -1 : (storedLeft > getCapacity() ? getCapacity() + 1 : static_cast<long>(storedLeft));
        const long largestMinSize = getCapacity() > kLargestStoredStep ? getCapacity() : kLargestStoredStep;
        // Counts outside the slots read, and sizes out of range, are damage; the slots
        // are kept all the same, with sizes that are safe.
        if (count < 0 || count > getCapacity() || minSize < 0 || minSize > largestMinSize
            || growSize > kLargestStoredStep) {
            F.setError(KClassReader::kDamagedDataError);
            count = count < 0 ? 0 : (count > getCapacity() ? getCapacity() : count);
            minSize = minSize < 0 || minSize > largestMinSize ? 0 : minSize;
            growSize = growSize > kLargestStoredStep ? 1 : growSize;
        }
        m_growSize = growSize > 0 ? growSize : 1;
        m_minSize = minSize;
        m_count = count;
    }
    reader.end();
}

void KBag::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KBag::getClassRecord());
    writer.newSection(1);
    KArray::writeToFile(F, 1);
    F.writeLong(m_count);
    F.writeLong(m_growSize);
    F.writeLong(m_minSize);
    writer.end();
}

void KBag::readPairs(KFile& F, KClass* Record, KBag& First, bool FirstIsDirect, KBag& Second)
{
    KClassReader reader;
    if (reader.beginAtSection(F, Record, 1)) {
        const uint8 mode = KClassReader::getUnknownClassMode();
        if (mode == KClassReader::DropElement)
            KClassReader::setUnknownClassMode(KClassReader::KeepEmptySlot);
        First.readFromFile(F);
        Second.resetSkippedCount();
        Second.readFromFile(F);
        KClassReader::setUnknownClassMode(mode);

        // Bags in the wrong mode cannot be used as names, keys or objects: damage, and
        // the entries go.
        if (First.isDirect() != FirstIsDirect || Second.isDirect()) {
            F.setError(KClassReader::kDamagedDataError);
            First.setSize(0);
            First.setIsDirect(FirstIsDirect);
            Second.setSize(0);
            Second.setIsDirect(false);
        }
        // Bags of different lengths cannot be paired: damage, and the surplus goes.
        if (First.getCount() != Second.getCount()) {
            F.setError(KClassReader::kDamagedDataError);
            KBag& longer = First.getCount() > Second.getCount() ? First : Second;
            const long shorter = First.getCount() < Second.getCount() ? First.getCount() : Second.getCount();
            while (longer.getCount() > shorter)
                longer.removeAt(longer.getCount() - 1);
        }
        // An entry without its object cannot be used (looking it up would find nothing
        // there): elements skipped as unknown leave such slots, and a stored empty slot,
        // which no writer of pairs makes, is one too. The entry goes; what was not
        // skipped counts as a block passed over.
        long emptied = 0;
        long pos = -1;
        while (Second.has(nullptr, &pos) && pos < Second.getCount()) {
            Second.removeAt(pos);
            First.removeAt(pos);
            ++emptied;
        }
        for (long stored = emptied - Second.getSkippedCount(); stored > 0; --stored)
            KClassReader::countMismatchedBlock();
    }
    reader.end();
}
