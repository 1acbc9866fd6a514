#pragma once
// The base of values that can be ordered (strings, dates, times, numbers). The search
// tree keeps KComparables, so each value class answers the six comparisons against
// another value of its own class.
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"

class KComparable : public KThing {
    K_DECLARE_CLASS(KComparable)
public:
    // The base versions are never meant to be reached: they report error 11 and answer
    // true, as a class that forgot to override them always has.
    virtual bool operator==(const KComparable& O) const;
    virtual bool operator!=(const KComparable& O) const;
    virtual bool operator>(const KComparable& O) const;
    virtual bool operator<(const KComparable& O) const;
    virtual bool operator>=(const KComparable& O) const;
    virtual bool operator<=(const KComparable& O) const;
};

K_POINTER_CLASS(KComparable, KThingPtr);
