#pragma once
// The animation layer keeps geometry in 32-bit floats and hands the drawing layer 16-bit
// integers. These are the two crossings: floats in the pair blocks of points and vectors,
// and the truncation toward zero that turns a float coordinate into a pixel.
#include "foundation/PairBlocks.h"

#include <cmath>

// Overloads found by the pair-block templates of the foundation (through the file
// argument), so that points and vectors store their two floats like the 16-bit points.
inline void kReadValue(KFile& F, float& Value) { F.readFloat(Value); }
inline void kWriteValue(KFile& F, float Value) { F.writeFloat(Value); }

// Truncation toward zero into a long. A value beyond the 32-bit range, or not a number at
// all, has no integer form: it is held at the nearest end of the range (0 for NaN), since
// the plain conversion would be undefined.
inline long kTruncateToLong(float Value)
{
    if (std::isnan(Value))
        return 0;
    if (Value >= 2147483647.0f)
        return 2147483647L;
    if (Value <= -2147483648.0f)
        return -2147483647L - 1;
    return static_cast<long>(Value);
}

// The same, kept in 16 bits as the drawing layer's coordinates are (the high bits go).
inline short kTruncateToShort(float Value) { return static_cast<short>(kTruncateToLong(Value)); }
