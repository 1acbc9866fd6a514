#pragma once
// Readers of bags whose elements the rest of the code uses as one class check, before
// they take what they read, that every slot holds an object of that class: an empty slot
// or an object of another class in a stored file is damage.
#include "foundation/KBag.h"
#include "foundation/KClass.h"

inline bool bagHoldsOnly(const KBag& Bag, const KClass& Class)
{
    for (long i = 0; i < Bag.getCount(); ++i) {
        if (!Bag.hasObjectAt(i) || !Bag.getObjectAt(i).isEqualOrSubClass(Class))
            return false;
    }
    return true;
}
