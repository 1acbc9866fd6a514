#pragma once
// A width and a height of old documents, 16 bits each.
#include "story/oldformat/ZShortPair.h"

class ZSize : public ZShortPair {
    Z_DECLARE_CLASS(ZSize)
public:
    ZSize() = default;
    ZSize(short Width, short Height) : ZShortPair(Width, Height) {}

    void set(short Width, short Height) { setPair(Width, Height); }
    short getWidth() const { return getFirst(); }
    short getHeight() const { return getSecond(); }
};
