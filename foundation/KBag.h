#pragma once
// The general growable list over KArray: the used slots are 0..count−1 and stay
// contiguous through appends, insertions and removals; the slots behind them are spare
// capacity, added and given back in steps of the grow size.
#include "foundation/KArray.h"

class KBag : public KArray {
    K_DECLARE_CLASS(KBag)
public:
    KBag();
    KBag(const KBag& Other);
    KBag& operator=(const KBag& Other);
    ~KBag() override;

    KThing& deepCopy() const override;
    // The block holds the whole array block (spare slots as empty ones), then the count,
    // the grow size and the minimum size.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Also clamps the count.
    void setSize(long N) override;
    // The number of used slots; getCapacity gives the number of slots.
    long getSize() const override { return m_count; }
    bool isEmpty() const override { return m_count == 0; }
    // Empties the bag and gives its slots back down to the minimum size.
    void clear() override;

    long getCount() const { return m_count; }

    void add(const KThing& Obj);
    void addDirectData(long Value);
    void insertAt(const KThing& Obj, long Pos);
    void removeAt(long Pos);
    void remove(const KThing& Obj);
    // Adds the other's elements (its used slots when it is a bag); nothing when the two
    // are of different modes.
    void addAll(const KArray& Other);

    // Shares the other's elements; the capacity becomes the other's count.
    void copyFrom(const KBag& Other);

    void setGrowSize(long N);
    long getGrowSize() const { return m_growSize; }
    void setMinSize(long N);
    long getMinSize() const { return m_minSize; }

    // The block of two bags whose entries pair up (names and objects, keys and objects),
    // stored one after the other in section 1. Reading keeps an empty slot for an object
    // of an unknown class, then drops every pair whose object is missing, so that the
    // pairs stay aligned whatever the unknown-class mode. The second bag holds objects;
    // the first holds objects or, when FirstIsDirect, raw values.
    static void readPairs(KFile& F, KClass* Record, KBag& First, bool FirstIsDirect, KBag& Second);

private:
    // Makes room for one more element; false when the bag could not grow.
    bool makeRoom();
    void shrinkIfSpare();

    long m_count = 0;
    long m_growSize = 1;
    long m_minSize = 0;
};

K_POINTER_CLASS(KBag, KArrayPtr);
