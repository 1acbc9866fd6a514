#include "foundation/KFlagSet.h"

K_DEFINE_CLASS(KFlagSet, KThing, 1)
