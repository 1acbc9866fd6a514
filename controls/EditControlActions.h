#pragma once
// The edit controls hand some of their actions over at once rather than through the
// queue: a disabled field must be heard of before its native window goes grey, and an
// edit command's change before the command returns.
#include "foundation/KTypes.h"

class KControl;

// The type an edit control reports when it is disabled.
constexpr long kEditDisabledAction = 2;

// A control action event of the type with Source as its source, handled at once.
void sendEditAction(KControl& Source, long Type);
