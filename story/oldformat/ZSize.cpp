#include "story/oldformat/ZSize.h"

Z_DEFINE_CLASS(ZSize)
