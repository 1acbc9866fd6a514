#include "foundation/KStringBag.h"

#include <typeinfo>

K_DEFINE_CLASS(KStringBag, KBag, 1)

void KStringBag::add(const KString& S)
{
    KStringPtr copy(new KString(S));
    if (copy.hasObject())
        KBag::add(*copy);
}

bool KStringBag::find(const KString& S, long& OutPos) const
{
    const KString key = m_caseSensitive ? S : S.getUpperCopy();
    for (long pos = 0; pos < getCount(); ++pos) {
        if (!hasObjectAt(pos))
            continue;
        const KThing& entry = getObjectAt(pos);
        if (typeid(entry) != typeid(KString))
            continue;
        const auto& string = static_cast<const KString&>(entry);
        const KString candidate = m_caseSensitive ? string : string.getUpperCopy();
        if (candidate == static_cast<const KComparable&>(key)) {
            OutPos = pos;
            return true;
        }
    }
    return false;
}

bool KStringBag::contains(const KString& S) const
{
    long pos = -1;
    return find(S, pos);
}
