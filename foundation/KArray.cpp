#include "foundation/KArray.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KComparable.h"
#include "foundation/KFile.h"
#include "foundation/KMemory.h"
#include "foundation/KernelFunctions.h"

#include <cstring>
#include <limits>

K_DEFINE_CLASS(KArray, KThing, 1)

namespace {
// Below this many elements the quick sort takes a random pivot; from it on, the median
// of the first, the middle and a random element.
constexpr long kMedianOfThreeThreshold = 25;
} // namespace

KArray::KArray() = default;

KArray::~KArray()
{
    KArray::clear();
    if (m_slots)
        KMemory::dispose(m_slots);
}

void KArray::setReadableClasses(std::initializer_list<const KClass*> Classes)
{
    m_objectsOnly = true;
    m_readableClasses.assign(Classes.begin(), Classes.end());
}

bool KArray::isReadable(const KClass& Class) const
{
    if (!Class.readsItself())
        return false;
    if (!m_objectsOnly)
        return true;
    for (const KClass* readable : m_readableClasses) {
        if (readable && Class.isEqualOrSubClass(*readable))
            return true;
    }
    return false;
}

void KArray::setIsDirect(bool Direct)
{
    if (m_size != 0) {
        kksReportError(21, "KArray::setIsDirect");
        return;
    }
    m_direct = Direct ? 1 : 0;
}

void KArray::setSize(long N)
{
    const char* context = "KArray::setSize(long Size)";
    if (N == m_size)
        return;
    if (N < 0) {
        kksReportError(6, context);
        return;
    }
    if (N == 0) {
        // The array's own clear: a derived clear may itself resize.
        KArray::clear();
        KMemory::dispose(m_slots);
        m_slots = nullptr;
        m_size = 0;
        return;
    }
    if (static_cast<unsigned long>(N) > std::numeric_limits<unsigned long>::max() / sizeof(Word)) {
        kksReportError(19, context);
        return;
    }
    auto* block = static_cast<Word*>(KMemory::allocate(N * sizeof(Word), true));
    if (!block)
        return;
    for (long pos = N; pos < m_size; ++pos)
        resetAt(pos);
    if (m_slots) {
        KMemory::copy(m_slots, block, (N < m_size ? N : m_size) * sizeof(Word));
        KMemory::dispose(m_slots);
    }
    m_slots = block;
    m_size = N;
}

long KArray::getSize() const { return m_size; }

bool KArray::isEmpty() const { return m_size == 0; }

KThing& KArray::getObjectAt(long Pos) const
{
    const char* context = "KArray::operator[]";
    if (!isValidPosition(Pos)) {
        kksReportError(7, context);
        return kNullReference<KThing>();
    }
    if (m_direct) {
        kksReportError(23, context);
        return kNullReference<KThing>();
    }
    KThing* object = objectAt(Pos);
    if (!object) {
        kksReportError(2, context);
        return kNullReference<KThing>();
    }
    return *object;
}

long KArray::getDirectDataAt(long Pos) const
{
    const char* context = "KArray::getDirectDataAt(long Pos)";
    if (!isValidPosition(Pos)) {
        kksReportError(7, context);
        return 0;
    }
    if (!m_direct) {
        kksReportError(24, context);
        return 0;
    }
    return static_cast<long>(static_cast<uint32>(m_slots[Pos]));
}

bool KArray::hasObjectAt(long Pos) const { return isValidPosition(Pos) && m_slots[Pos] != 0; }

void KArray::putAt(const KThing& Obj, long Pos)
{
    const char* context = "KArray::putAt(const KThing& Obj,long Pos)";
    if (!isValidPosition(Pos)) {
        kksReportError(7, context);
        return;
    }
    if (m_direct) {
        kksReportError(23, context);
        return;
    }
    if (kIsNullReference(&Obj) || !Obj.isOnHeap()) {
        kksReportError(3, context);
        return;
    }
    if (objectAt(Pos) == &Obj)
        return;
    if (m_slots[Pos] != 0)
        resetAt(Pos);
    // A slot's count is bookkeeping of the container, not a change of the element.
    KThing& object = const_cast<KThing&>(Obj);
    m_slots[Pos] = reinterpret_cast<Word>(&object);
    object.incReferenceCount();
}

void KArray::putAt(const KThingPtr& P, long Pos)
{
    KThing& object = P.getObject();
    if (kIsNullReference(&object))
        return;
    putAt(object, Pos);
}

void KArray::putDirectDataAt(long Value, long Pos)
{
    const char* context = "KArray::putDirectDataAt(void* Val,long Pos)";
    if (!isValidPosition(Pos)) {
        kksReportError(7, context);
        return;
    }
    if (!m_direct) {
        kksReportError(24, context);
        return;
    }
    m_slots[Pos] = static_cast<uint32>(Value);
}

void KArray::resetAt(long Pos)
{
    if (!isValidPosition(Pos)) {
        kksReportError(7, "KArray::resetAt(long Pos)");
        return;
    }
    KThing* former = objectAt(Pos);
    // The slot is emptied first, so that whatever the release sets off finds it empty.
    m_slots[Pos] = 0;
    if (!m_direct && former)
        former->decReferenceCount();
}

void KArray::clear()
{
    for (long pos = 0; pos < m_size; ++pos)
        resetAt(pos);
}

void KArray::move(long From, long To, long MoveSize)
{
    if (!isValidPosition(From) || !isValidPosition(To) || MoveSize <= 0 || From + MoveSize > m_size
        || To + MoveSize > m_size) {
        kksReportError(7, "KArray::move(long From, long To, long MoveSize)");
        return;
    }
    std::memmove(m_slots + To, m_slots + From, MoveSize * sizeof(Word));
}

void KArray::swap(long From, long To)
{
    if (!isValidPosition(From) || !isValidPosition(To)) {
        kksReportError(7, "KArray::swap(long From, long To)");
        return;
    }
    swapWords(From, To);
}

void KArray::swapWords(long A, long B)
{
    const Word word = m_slots[A];
    m_slots[A] = m_slots[B];
    m_slots[B] = word;
}

bool KArray::has(const KThing* Obj, long* OutPos) const
{
    if (m_direct) {
        kksReportError(23, "KArray::has(const KThing& Obj)");
        return false;
    }
    // A reference made from null searches for empty slots too.
    if (kIsNullReference(Obj))
        Obj = nullptr;
    for (long pos = 0; pos < m_size; ++pos) {
        if (objectAt(pos) == Obj) {
            if (OutPos)
                *OutPos = pos;
            return true;
        }
    }
    return false;
}

long KArray::findIndexOf(const KThing& Obj) const
{
    if (m_direct) {
        kksReportError(23, "KArray::findIndexOf(const KThing& Obj)");
        return -1;
    }
    long pos = -1;
    return has(Obj, &pos) ? pos : -1;
}

long KArray::findIndexOf(const KThingPtr& P) const
{
    KThing& object = P.getObject();
    if (kIsNullReference(&object))
        return -1;
    return findIndexOf(object);
}

void KArray::copyElementsFrom(const KArray& Other)
{
    if (&Other == this)
        return;
    const long count = Other.getSize();
    // Slots of the other mode cannot be reinterpreted: objects would lose or gain counts.
    if (m_direct != Other.m_direct)
        setSize(0);
    setSize(count);
    if (getCapacity() < count)
        return;
    m_direct = Other.m_direct;
    m_compare = Other.m_compare;
    m_sortOrder = Other.m_sortOrder;
    for (long pos = 0; pos < count; ++pos) {
        if (m_direct)
            putDirectDataAt(Other.getDirectDataAt(pos), pos);
        else if (KThing* object = Other.objectAt(pos))
            putAt(*object, pos);
        else if (m_slots[pos] != 0)
            resetAt(pos);
    }
}

KThing& KArray::deepCopy() const
{
    const long count = getSize();
    KArray* copy = new KArray;
    if (!copy)
        return kNullReference<KThing>();
    copy->m_direct = m_direct;
    copy->m_compare = m_compare;
    copy->m_sortOrder = m_sortOrder;
    copy->setSize(count);
    if (copy->getCapacity() < count)
        return *copy;
    for (long pos = 0; pos < count; ++pos) {
        if (m_direct) {
            copy->m_slots[pos] = m_slots[pos];
        } else if (KThing* object = objectAt(pos)) {
            KThing& element = object->deepCopy();
            if (!kIsNullReference(&element))
                copy->putAt(element, pos);
        }
    }
    return *copy;
}

short KArray::compareSlots(long A, long B) const
{
    if (m_compare)
        return m_compare(*this, A, B);
    int belongsAfter = 0;
    if (m_direct) {
        const long a = static_cast<long>(static_cast<uint32>(m_slots[A]));
        const long b = static_cast<long>(static_cast<uint32>(m_slots[B]));
        belongsAfter = a > b ? 1 : (a < b ? -1 : 0);
    } else {
        // Empty slots gather after the elements, in either order; an element that cannot
        // be compared (already reported by sort) is equal to everything.
        const KThing* a = objectAt(A);
        const KThing* b = objectAt(B);
        if (!a || !b)
            return static_cast<short>(a ? -1 : (b ? 1 : 0));
        const auto* left = dynamic_cast<const KComparable*>(a);
        const auto* right = dynamic_cast<const KComparable*>(b);
        if (!left || !right)
            return 0;
        if (*left > *right)
            belongsAfter = 1;
        else if (*left < *right)
            belongsAfter = -1;
    }
    if (belongsAfter == 0)
        return 0;
    if (m_sortOrder == Ascending)
        return static_cast<short>(belongsAfter);
    if (m_sortOrder == Descending)
        return static_cast<short>(-belongsAfter);
    return 1;
}

void KArray::sort()
{
    const long count = getSize();
    if (!m_compare && !m_direct) {
        for (long pos = 0; pos < count; ++pos) {
            const KThing* element = objectAt(pos);
            if (element && !dynamic_cast<const KComparable*>(element))
                kksReportError(25, "KArray::sort()");
        }
    }
    quickSort(0, count);
}

void KArray::placePivot(long Lo, long N)
{
    const long r = Lo + knsRandom(0, static_cast<uint16>(N - 1));
    if (N < kMedianOfThreeThreshold) {
        swapWords(Lo, r);
        return;
    }
    const long mid = Lo + (N >> 1);
    long median;
    if (compareSlots(Lo, mid) > 0) {
        if (compareSlots(Lo, r) > 0)
            median = compareSlots(mid, r) > 0 ? mid : r;
        else
            median = Lo;
    } else {
        if (compareSlots(Lo, r) > 0)
            median = Lo;
        else
            median = compareSlots(mid, r) > 0 ? r : mid;
    }
    if (median != Lo)
        swapWords(Lo, median);
}

// Sorts the half-open range Lo..Hi. The smaller part of each partition is sorted by a
// recursive call and the larger one by the loop, so the recursion stays within the
// logarithm of the element count.
void KArray::quickSort(long Lo, long Hi)
{
    while (Hi - Lo > 1) {
        placePivot(Lo, Hi - Lo);
        long i = Lo;
        long j = Hi;
        for (;;) {
            ++i;
            while (i < Hi && compareSlots(i, Lo) < 0)
                ++i;
            --j;
            while (j > Lo && compareSlots(j, Lo) > 0)
                --j;
            if (i >= j)
                break;
            swapWords(i, j);
        }
        if (j == Lo) {
            ++Lo;
            continue;
        }
        swapWords(Lo, j);
        const long leftSize = j - Lo;
        const long rightSize = Hi - (j + 1);
        if (rightSize <= leftSize) {
            quickSort(j + 1, Hi);
            Hi = j;
        } else {
            quickSort(Lo, j);
            Lo = j + 1;
        }
    }
}

namespace {
// Arrays nest through their elements; a file that nests deeper than any document of the
// system is damaged, and reading it on would exhaust the stack.
constexpr int kMaxReadDepth = 200;
int s_readDepth = 0;

class ReadDepthGuard {
public:
    ReadDepthGuard() { ++s_readDepth; }
    ~ReadDepthGuard() { --s_readDepth; }
    ReadDepthGuard(const ReadDepthGuard&) = delete;
    ReadDepthGuard& operator=(const ReadDepthGuard&) = delete;
    bool tooDeep() const { return s_readDepth > kMaxReadDepth; }
};

// Every stored slot takes at least four bytes: a raw value or a class ID.
constexpr long kMinimumSlotBytes = 4;
} // namespace

void KArray::readFromFile(KFile& F)
{
    ReadDepthGuard depth;
    KClassReader reader;
    if (reader.beginAtSection(F, KArray::getClassRecord(), 1)) {
        if (depth.tooDeep()) {
            F.setError(KClassReader::kDamagedDataError);
            reader.skipSection();
        } else {
            readSlots(F, reader);
        }
    }
    reader.end();
}

void KArray::readSlots(KFile& F, KClassReader& Reader)
{
    long count = 0;
    uint8 direct = 0;
    F.readLong(count);
    F.readByte(direct);
    // A count the section cannot hold is damage: nothing is allocated for it and the
    // array keeps what it had.
    if (count < 0 || count > Reader.getSectionBytesLeft() / kMinimumSlotBytes) {
        F.setError(KClassReader::kDamagedDataError);
        Reader.skipSection();
        return;
    }
    // Raw values where the owner takes objects would be used as addresses.
    if (direct != 0 && m_objectsOnly) {
        F.setError(KClassReader::kDamagedDataError);
        Reader.skipSection();
        return;
    }
    // Slots of the other mode would be released as objects or kept as raw words.
    if ((direct != 0) != (m_direct != 0))
        setSize(0);
    m_direct = direct != 0 ? 1 : 0;
    setSize(count);
    if (getCapacity() != count) {
        Reader.skipSection();
        return;
    }
    if (m_direct)
        readDirectSlots(F, count);
    else
        readObjectSlots(F, count);
}

void KArray::readDirectSlots(KFile& F, long Count)
{
    static_assert(sizeof(Word) == sizeof(uint32), "slots are stored as 32-bit words");
    F.read(m_slots, Count * kMinimumSlotBytes);
    for (long pos = 0; pos < Count; ++pos)
        m_slots[pos] = static_cast<uint32>(knsSwapLong(static_cast<long>(m_slots[pos])));
}

void KArray::readObjectSlots(KFile& F, long Count)
{
    long store = 0;
    long dropped = 0;
    for (long entry = 0; entry < Count; ++entry) {
        long classID = 0;
        F.readLong(classID);
        if (classID == 0) {
            ++store;
            continue;
        }
        const KClass* record = KClass::findReadableClass(classID);
        if (record && isReadable(*record)) {
            KThing* element = record->createObject();
            if (element) {
                element->readFromFile(F);
                putAt(*element, store);
            } else {
                KClassReader().skipBlock(F);
            }
            ++store;
            continue;
        }
        KClassReader().skipBlock(F);
        switch (KClassReader::getUnknownClassMode()) {
        case KClassReader::KeepEmptySlot:
            ++store;
            ++m_skippedCount;
            break;
        case KClassReader::DropElement:
            KClassReader::countMismatchedBlock();
            ++m_missingCount;
            ++dropped;
            break;
        default:
            // Refused; the block has been stepped over all the same, so that what
            // follows is read from its start, and the slot stays empty.
            kksReportError(28, "void KArray::readFromFile(KFile& F)");
            ++store;
            break;
        }
    }
    if (dropped > 0)
        setSize(Count - dropped);
}

void KArray::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KArray::getClassRecord());
    writer.newSection(1);
    F.writeLong(m_size);
    F.writeByte(m_direct);
    if (m_direct)
        writeDirectSlots(F);
    else
        writeObjectSlots(F);
    writer.end();
}

void KArray::writeDirectSlots(KFile& F) const
{
    auto* block = static_cast<uint32*>(KMemory::allocate(m_size * sizeof(uint32), false));
    if (!block) {
        // The same bytes, one value at a time.
        for (long pos = 0; pos < m_size; ++pos)
            F.writeLong(static_cast<long>(m_slots[pos]));
        return;
    }
    for (long pos = 0; pos < m_size; ++pos)
        block[pos] = static_cast<uint32>(knsSwapLong(static_cast<long>(m_slots[pos])));
    F.write(block, m_size * sizeof(uint32));
    KMemory::dispose(block);
}

void KArray::writeObjectSlots(KFile& F) const
{
    for (long pos = 0; pos < m_size; ++pos) {
        KThing* element = objectAt(pos);
        KClass* record = element ? &element->getClass() : nullptr;
        if (element && kIsNullReference(record)) {
            // Its class has no record, so no reader could re-create it: it is stored as
            // an empty slot and the rest of the file stays readable.
            kksReportError(28, "void KArray::writeToFile(KFile& F, long Ver)");
            record = nullptr;
        }
        if (!record) {
            F.writeLong(0);
            continue;
        }
        F.writeLong(record->getClassID());
        element->writeToFile(F, 1);
    }
}
