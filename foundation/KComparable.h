#pragma once
// The base of values that can be ordered (strings, dates, times, numbers). The search
// tree keeps KComparables, so each value class answers the six comparisons against
// another value of its own class.
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"

#include <initializer_list>
#include <utility>

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

// -1, 0 or 1 by the first pair whose two values differ, pairs taken in order of
// significance.
int kCompareInOrder(std::initializer_list<std::pair<long, long>> Pairs);

// Defines the six comparisons of class X from its `int compare(const KComparable&) const`.
#define K_DEFINE_COMPARISONS(X)                                                          \
    bool X::operator==(const KComparable& O) const { return compare(O) == 0; }           \
    bool X::operator!=(const KComparable& O) const { return compare(O) != 0; }           \
    bool X::operator>(const KComparable& O) const { return compare(O) > 0; }             \
    bool X::operator<(const KComparable& O) const { return compare(O) < 0; }             \
    bool X::operator>=(const KComparable& O) const { return compare(O) >= 0; }           \
    bool X::operator<=(const KComparable& O) const { return compare(O) <= 0; }
