#pragma once
// The named variables through which the format dialogs take their inputs and give back
// their results.
#include "controls/KDialog.h"
#include "foundation/KVariable.h"

// The variable D holds under Name; null when it holds none, or something else under it.
inline KVariable* findNamedVariable(const KDialog& D, const char* Name)
{
    const KString name(Name);
    return D.hasNamedObject(name) ? dynamic_cast<KVariable*>(&D.getNamedObject(name)) : nullptr;
}
