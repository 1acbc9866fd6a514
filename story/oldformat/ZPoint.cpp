#include "story/oldformat/ZPoint.h"

Z_DEFINE_CLASS(ZPoint)
