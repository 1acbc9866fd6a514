#pragma once
// A bag of strings with a membership test, case-sensitive by default; it serves lists of
// names such as font families. It is not entered in the class registry: it stores itself
// as a plain bag.
#include "foundation/KBag.h"
#include "foundation/KString.h"

class KStringBag : public KBag {
    K_DECLARE_CLASS(KStringBag)
public:
    KStringBag() = default;

    void setCaseSensitive(bool Flag) { m_caseSensitive = Flag ? 1 : 0; }
    bool isCaseSensitive() const { return m_caseSensitive != 0; }

    // Appends a new heap copy of the string, also of a heap string.
    void add(const KString& S);
    // Only entries of exactly the class KString take part, not derived ones.
    bool find(const KString& S, long& OutPos) const;
    bool contains(const KString& S) const;

    // The string at a position, for the owner that walks the list.
    const KString& getStringAt(long Pos) const { return static_cast<const KString&>(getObjectAt(Pos)); }

private:
    uint8 m_caseSensitive = 1;
};

K_POINTER_CLASS(KStringBag, KBagPtr);
