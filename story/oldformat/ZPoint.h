#pragma once
// A point of old documents: h and v, 16 bits each.
#include "story/oldformat/ZShortPair.h"

class ZPoint : public ZShortPair {
    Z_DECLARE_CLASS(ZPoint)
public:
    ZPoint() = default;
    ZPoint(short H, short V) : ZShortPair(H, V) {}

    void set(short H, short V) { setPair(H, V); }
    short getH() const { return getFirst(); }
    short getV() const { return getSecond(); }
};
