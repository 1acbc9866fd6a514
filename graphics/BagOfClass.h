#pragma once
// Readers of bags whose elements the rest of the code uses as one class read only objects
// of that class (KArray::setReadableClasses), and check, before they take what they
// read, that every slot holds one: raw values, an empty slot, or an element of another
// class (left out by the read) in a stored file are damage.
#include "foundation/KBag.h"
#include "foundation/KClass.h"

inline bool bagHoldsOnly(const KBag& Bag, const KClass& Class)
{
    if (Bag.isDirect())
        return Bag.getCount() == 0;
    if (Bag.getMissingCount() > 0)
        return false;
    for (long i = 0; i < Bag.getCount(); ++i) {
        if (!Bag.hasObjectAt(i) || !Bag.getObjectAt(i).isEqualOrSubClass(Class))
            return false;
    }
    return true;
}
