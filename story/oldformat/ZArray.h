#pragma once
// A 0-based array of 32-bit slots of the old object model. An object array holds a
// counted reference to an object (or null) in each slot; a direct array holds raw values,
// which its record stores byte-swapped to big-endian when the swap flag is set and as they
// lie in memory otherwise.
//
// Record: the size, the direct flag, the swap flag (only in version 2 records), then the
// slots: per slot the class ID of the object's own class (0 for an empty slot) and the
// object's records, or size × 4 bytes of raw values.
#include "story/oldformat/ZClass.h"

class ZArray : public ZThing {
    Z_DECLARE_CLASS(ZArray)
public:
    ZArray() = default;
    // Slots hold counted references: copies would count nothing.
    ZArray(const ZArray&) = delete;
    ZArray& operator=(const ZArray&) = delete;
    ~ZArray() override;

    // The size, the flags and the slots are replaced by the record's. Every length is
    // checked against the bytes left in the file before anything is allocated.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    virtual long getCount() const { return m_size; }
    virtual bool isEmpty() const { return m_size == 0; }
    // Fatal out of range, on a direct array, or for an object not on the heap. An object
    // in the slot is dropped first.
    virtual void putAt(ZThing* Object, long Index);
    virtual void resetAt(long Index);
    virtual void putDirectDataAt(long Value, long Index);
    // Every slot reset.
    virtual void clear();

    // New slots are empty; slots from N on are dropped. When the block cannot be had,
    // nothing changes.
    void setSize(long N);
    long getSize() const { return m_size; }
    // The object in a slot, possibly null; fatal out of range or on a direct array.
    ZThing* operator[](long Index) const;
    long getDirectDataAt(long Index) const;
    // Only while the size is 0.
    void setIsDirect(bool Direct);
    bool isDirect() const { return m_direct != 0; }
    void setSwapBytes(bool Swap) { m_swap = Swap ? 1 : 0; }
    bool swapsBytes() const { return m_swap != 0; }

private:
    // Fatal outside the slots.
    void checkIndex(long Index, const char* Context) const;
    void readSlots(ZFile& F);
    void writeSlots(ZFile& F) const;

    long m_size = 0;
    std::uintptr_t* m_slots = nullptr;
    uint8 m_direct = 0;
    uint8 m_swap = 0;
};
