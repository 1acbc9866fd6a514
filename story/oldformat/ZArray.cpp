#include "story/oldformat/ZArray.h"

#include "foundation/ErrorTable.h"
#include "foundation/KernelFunctions.h"
#include "story/oldformat/ZFile.h"

#include <cstring>
#include <vector>

Z_DEFINE_CLASS(ZArray)

namespace {
constexpr long kSlotBytes = 4;
// The record version that carries the swap flag.
constexpr long kVersionWithSwapFlag = 2;
// No block of more slots than this is asked for: their byte count must fit in a long.
constexpr long kMostSlots = 0x1FFFFFFF;

ZThing* objectIn(std::uintptr_t Slot) { return reinterpret_cast<ZThing*>(Slot); }
} // namespace

ZArray::~ZArray() { setSize(0); }

void ZArray::checkIndex(long Index, const char* Context) const
{
    if (Index < 0 || Index >= m_size)
        knsFatalError(Context, "Index Out Of Range");
}

void ZArray::setSize(long N)
{
    if (N == m_size || N < 0 || N > kMostSlots)
        return;
    if (N == 0) {
        // The array's own reset: a bag's would set the size back to its minimum.
        ZArray::clear();
        knsFreeGlobal(m_slots);
        m_slots = nullptr;
        m_size = 0;
        return;
    }
    auto* slots = static_cast<std::uintptr_t*>(knsAllocGlobal(static_cast<unsigned long>(N) * sizeof(std::uintptr_t), true));
    if (!slots)
        return;
    for (long i = N; i < m_size; ++i)
        resetAt(i);
    const long kept = N < m_size ? N : m_size;
    if (kept > 0)
        std::memcpy(slots, m_slots, static_cast<std::size_t>(kept) * sizeof(std::uintptr_t));
    knsFreeGlobal(m_slots);
    m_slots = slots;
    m_size = N;
}

ZThing* ZArray::operator[](long Index) const
{
    checkIndex(Index, "ZArray::operator[]");
    if (m_direct)
        knsFatalError("ZArray::operator[]", "Array Is Direct");
    return objectIn(m_slots[Index]);
}

long ZArray::getDirectDataAt(long Index) const
{
    checkIndex(Index, "ZArray::getDirectDataAt");
    if (!m_direct)
        knsFatalError("ZArray::getDirectDataAt", "Array Is Not Direct");
    return static_cast<long>(m_slots[Index]);
}

void ZArray::putAt(ZThing* Object, long Index)
{
    checkIndex(Index, "ZArray::putAt");
    if (m_direct)
        knsFatalError("ZArray::putAt", "Array Is Direct");
    if (Object && !Object->isOnHeap())
        knsFatalError("ZArray::putAt", "Object Not On Heap");
    // Counted before the slot's old object goes, so that putting an object in its own
    // slot does not free it.
    ZThing* counted = ZThing::assign(Object);
    resetAt(Index);
    m_slots[Index] = reinterpret_cast<std::uintptr_t>(counted);
}

void ZArray::putDirectDataAt(long Value, long Index)
{
    checkIndex(Index, "ZArray::putDirectDataAt");
    if (!m_direct)
        knsFatalError("ZArray::putDirectDataAt", "Array Is Not Direct");
    m_slots[Index] = static_cast<uint32>(Value);
}

void ZArray::resetAt(long Index)
{
    checkIndex(Index, "ZArray::resetAt");
    if (!m_direct)
        ZThing::unassign(objectIn(m_slots[Index]));
    m_slots[Index] = 0;
}

void ZArray::clear()
{
    for (long i = 0; i < m_size; ++i)
        resetAt(i);
}

void ZArray::setIsDirect(bool Direct)
{
    if (m_size != 0)
        knsFatalError("ZArray::setIsDirect", "Array Is In Use");
    m_direct = Direct ? 1 : 0;
}

void ZArray::readFromFile(ZFile& F)
{
    long version = 0;
    if (!ZClass::readClassInfoAndVersion(s_class, F, version))
        return;
    long size = 0;
    char direct = 0;
    char swap = static_cast<char>(m_swap);
    F.readLong(size);
    F.readByte(direct);
    if (version == kVersionWithSwapFlag)
        F.readByte(swap);
    // Every slot takes at least four bytes of the file: a raw value or a class ID.
    if (!F.checkCount(size, kSlotBytes, "ZArray::readFromFile"))
        return;
    // The old slots go while the array still knows what they hold.
    setSize(0);
    m_direct = direct != 0 ? 1 : 0;
    m_swap = swap != 0 ? 1 : 0;
    setSize(size);
    if (m_size != size) {
        F.markDamaged("ZArray::readFromFile", "Warning! No Memory Left!");
        return;
    }
    readSlots(F);
}

void ZArray::readSlots(ZFile& F)
{
    if (m_direct) {
        const long byteCount = m_size * kSlotBytes;
        std::vector<unsigned char> bytes(static_cast<std::size_t>(byteCount));
        if (byteCount > 0 && !F.readFully(bytes.data(), byteCount))
            return;
        for (long i = 0; i < m_size; ++i) {
            const unsigned char* value = &bytes[static_cast<std::size_t>(i * kSlotBytes)];
            m_slots[i] = m_swap ? static_cast<uint32>(value[0]) << 24 | static_cast<uint32>(value[1]) << 16 |
                                      static_cast<uint32>(value[2]) << 8 | value[3]
                                : static_cast<uint32>(value[3]) << 24 | static_cast<uint32>(value[2]) << 16 |
                                      static_cast<uint32>(value[1]) << 8 | value[0];
        }
        return;
    }
    for (long i = 0; i < m_size; ++i) {
        long classID = 0;
        F.readLong(classID);
        if (F.hasFailed())
            return;
        if (classID == 0)
            continue;
        if (!ZClass::isClassIDRegistered(classID)) {
            F.markDamaged("ZClass::findClass", "Class Was Not Registered.");
            return;
        }
        if (!F.enterNestedObject("ZArray::readFromFile"))
            return;
        ZThing* object = ZClass::findClass(classID)->createObject();
        object->readFromFile(F);
        F.leaveNestedObject();
        putAt(object, i);
        if (F.hasFailed())
            return;
    }
}

void ZArray::writeToFile(ZFile& F)
{
    ZClass& record = ZClass::recordOf(s_class);
    record.writeClassInfo(F);
    F.writeLong(m_size);
    F.writeByte(static_cast<char>(m_direct));
    if (record.getVersion() == kVersionWithSwapFlag)
        F.writeByte(static_cast<char>(m_swap));
    writeSlots(F);
}

void ZArray::writeSlots(ZFile& F) const
{
    for (long i = 0; i < m_size; ++i) {
        if (m_direct) {
            const uint32 value = static_cast<uint32>(m_slots[i]);
            if (m_swap) {
                F.writeLong(static_cast<long>(value));
            } else {
                const unsigned char bytes[kSlotBytes] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                                         static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
                F.writeBytes(bytes, kSlotBytes);
            }
            continue;
        }
        ZThing* object = objectIn(m_slots[i]);
        if (!object) {
            F.writeLong(0);
            continue;
        }
        F.writeLong(object->getClass().getClassID());
        object->writeToFile(F);
    }
}
