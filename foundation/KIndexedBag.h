#pragma once
// Objects kept under signed 32-bit keys: a direct bag of keys beside a bag of objects,
// entry i of one belonging to entry i of the other. Menus find their items by native
// command ID through one.
#include "foundation/KBag.h"

class KIndexedBag : public KThing {
    K_DECLARE_CLASS(KIndexedBag)
public:
    KIndexedBag();
    KIndexedBag(const KIndexedBag&) = delete;
    KIndexedBag& operator=(const KIndexedBag&) = delete;

    // The keys bag's block (the keys as raw values), then the objects bag's block. An
    // entry whose object is of an unknown class is read back without its key.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // A present key keeps its first object.
    void add(long Key, const KThing& Obj);
    void remove(long Key);
    // The index of the key, for taking its object from the objects bag.
    bool find(long Key, long* OutPos = nullptr) const;

    const KBag& getKeys() const { return m_keys; }
    KBag& getObjects() { return m_objects; }
    const KBag& getObjects() const { return m_objects; }
    long getCount() const { return m_keys.getCount(); }

private:
    KBag m_keys;
    KBag m_objects;
};

K_POINTER_CLASS(KIndexedBag, KThingPtr);
