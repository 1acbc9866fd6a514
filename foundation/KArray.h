#pragma once
// The one indexed container: a block of slots, indexed from 0, each holding a counted
// reference to a heap object or, in direct mode, a raw 32-bit value that the array never
// interprets. It sorts itself and saves its elements inline behind their class IDs.
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

class KClassReader;

class KArray : public KThing {
    K_DECLARE_CLASS(KArray)
public:
    // Positive when the element at A belongs after the one at B, negative when before,
    // 0 when they are equal.
    using CompareProcedure = short (*)(const KArray& Array, long A, long B);

    enum SortOrder : uint8 {
        Ascending = 0,
        Descending = 1,
    };

    KArray();
    KArray(const KArray&) = delete;
    KArray& operator=(const KArray&) = delete;
    ~KArray() override;

    KThing& deepCopy() const override;
    // Object elements are written inline behind their class IDs and re-created through
    // the class registry; an element of an unregistered class, or of one that cannot be
    // read here, follows the process-wide unknown-class mode (kept as an empty slot,
    // dropped, or refused).
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    virtual void setSize(long N);
    // A bag answers its count here, so that every caller sees the used slots only.
    virtual long getSize() const;
    virtual bool isEmpty() const;
    virtual void putAt(const KThing& Obj, long Pos);
    virtual void putAt(const KThingPtr& P, long Pos);
    virtual void resetAt(long Pos);
    virtual void putDirectDataAt(long Value, long Pos);
    // Empties every slot; the size stays.
    virtual void clear();

    // The number of slots, whatever the size operation of a derived class answers.
    long getCapacity() const { return m_size; }

    // What a read from a file may make. By default: raw values or objects, as the file
    // says, of every class that reads itself. An owner that uses the elements as objects
    // of some classes names them (their subclasses included); a stored direct array is
    // then damage that leaves the array as it was, and an element of another class is
    // passed over before anything is made of it. Null classes (not registered) match
    // nothing.
    void setReadableClasses(std::initializer_list<const KClass*> Classes);
    bool isReadable(const KClass& Class) const;

    void setIsDirect(bool Direct);
    bool isDirect() const { return m_direct != 0; }

    KThing& operator[](long Pos) const { return getObjectAt(Pos); }
    KThing& getObjectAt(long Pos) const;
    long getDirectDataAt(long Pos) const;
    bool hasObjectAt(long Pos) const;

    // Shifts raw slot words (overlapping ranges are safe); counts are not touched and the
    // source words stay as they were.
    void move(long From, long To, long MoveSize);
    void swap(long From, long To);

    // The null object finds the first empty slot.
    bool has(const KThing* Obj, long* OutPos = nullptr) const;
    bool has(const KThing& Obj, long* OutPos = nullptr) const { return has(&Obj, OutPos); }
    long findIndexOf(const KThing& Obj) const;
    long findIndexOf(const KThingPtr& P) const;

    void setCompareProcedure(CompareProcedure Procedure) { m_compare = Procedure; }
    CompareProcedure getCompareProcedure() const { return m_compare; }
    void setSortOrder(uint8 Order) { m_sortOrder = Order; }
    uint8 getSortOrder() const { return m_sortOrder; }
    void sort();

    // Shares the other's elements: each gains one count here.
    void copyElementsFrom(const KArray& Other);

    // Elements dropped (unknown-class mode 1) and left out as empty slots (mode 0) by reads.
    long getMissingCount() const { return m_missingCount; }
    long getSkippedCount() const { return m_skippedCount; }
    void resetMissingCount() { m_missingCount = 0; }
    void resetSkippedCount() { m_skippedCount = 0; }

protected:
    using Word = std::uintptr_t;

    // Raw access to a slot word, for the shifting that keeps a bag's slots contiguous.
    void setWordAt(long Pos, Word Value) { m_slots[Pos] = Value; }

private:
    bool isValidPosition(long Pos) const { return Pos >= 0 && Pos < m_size; }
    KThing* objectAt(long Pos) const { return reinterpret_cast<KThing*>(m_slots[Pos]); }

    void readSlots(KFile& F, KClassReader& Reader);
    void readDirectSlots(KFile& F, long Count);
    void readObjectSlots(KFile& F, long Count);
    void writeDirectSlots(KFile& F) const;
    void writeObjectSlots(KFile& F) const;

    short compareSlots(long A, long B) const;
    void quickSort(long Lo, long Hi);
    void placePivot(long Lo, long N);
    void swapWords(long A, long B);

    CompareProcedure m_compare = nullptr;
    uint8 m_sortOrder = Ascending;
    long m_size = 0;
    Word* m_slots = nullptr;
    uint8 m_direct = 0;
    long m_missingCount = 0;
    long m_skippedCount = 0;
    bool m_objectsOnly = false;
    std::vector<const KClass*> m_readableClasses;
};

K_POINTER_CLASS(KArray, KThingPtr);
