#pragma once
// An array of the old object model filled from the front: the used count says how many
// slots are taken; a full bag grows by the grow size and a cleared one keeps the minimum
// size.
//
// Record, after the array's: the used count, the grow size and the minimum size.
#include "story/oldformat/ZArray.h"

class ZBag : public ZArray {
    Z_DECLARE_CLASS(ZBag)
public:
    // A minimum size in a record beyond this many slots is damage: it would only reserve
    // memory, and no document needs that much.
    static constexpr long kLargestMinSize = 0x10000;

    ZBag() = default;

    // The used count must lie within the slots read, the grow size be positive and the
    // minimum size within bounds; anything else marks the file damaged.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    long getCount() const override { return m_used; }
    bool isEmpty() const override { return m_used == 0; }
    // The used count 0, every slot reset, the size back to the minimum size.
    void clear() override;

    // At the used count, growing the bag first when it is full; the object must be on
    // the heap.
    void add(ZThing* Object);
    // The same for a raw value of a direct bag.
    void addDirectData(long Value);
    // Only while the bag is empty.
    void setGrowSize(long N);
    void setMinSize(long N);
    long getGrowSize() const { return m_growSize; }
    long getMinSize() const { return m_minSize; }

private:
    // The bag's own record, after the array's.
    void readBagRecord(ZFile& F);

    long m_used = 0;
    long m_growSize = 1;
    long m_minSize = 0;
};
