#pragma once
// Objects kept under string names in insertion order, in two parallel bags, with exact
// or case-insensitive (upper-case) look-up. Documents and preferences keep their payload
// in one.
#include "foundation/KBag.h"
#include "foundation/KString.h"

class KNamedBag : public KThing {
    K_DECLARE_CLASS(KNamedBag)
public:
    KNamedBag() = default;
    KNamedBag(const KNamedBag&) = delete;
    KNamedBag& operator=(const KNamedBag&) = delete;

    // The names bag's block, then the objects bag's block. An entry whose object is of
    // an unknown class is read back without its name, whatever the unknown-class mode.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void setCaseSensitive(bool Flag) { m_caseSensitive = Flag ? 1 : 0; }
    bool isCaseSensitive() const { return m_caseSensitive != 0; }

    // A present name is left as it is unless Replace is set; a replaced entry moves to
    // the end. The name is held itself when it lives on the heap, else as a copy.
    void addNamedObject(const KString& Name, const KThing& Obj, bool Replace = false);
    void removeNamedObject(const KString& Name);
    bool findName(const KString& Name, long* OutPos = nullptr) const;
    bool findNameFrom(const KString& Name, long Start, long* OutPos = nullptr) const;
    // Error 18 and a null reference when the name is absent.
    KThing& getNamedObject(const KString& Name) const;
    void clear();

    // Entry i of the objects belongs to entry i of the names.
    KBag& getNames() { return m_names; }
    const KBag& getNames() const { return m_names; }
    KBag& getObjects() { return m_objects; }
    const KBag& getObjects() const { return m_objects; }
    long getCount() const { return m_names.getCount(); }

private:
    bool matches(long Pos, const KString& Key) const;

    KBag m_names;
    KBag m_objects;
    uint8 m_caseSensitive = 1;
};

K_POINTER_CLASS(KNamedBag, KThingPtr);
