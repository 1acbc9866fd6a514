#include "multimedia/KAnimationVector.h"

K_DEFINE_CLASS(KAnimationVector, KThing, 1)
