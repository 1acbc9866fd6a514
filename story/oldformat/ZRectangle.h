#pragma once
// A rectangle of old documents: its edges, as Windows keeps them, and its size. The
// record holds x, y, width and height, 16 bits each.
#include "story/oldformat/ZSize.h"

class ZRectangle : public ZThing {
    Z_DECLARE_CLASS(ZRectangle)
public:
    ZRectangle() = default;
    ZRectangle(short X, short Y, short Width, short Height);
    ZRectangle(const ZRectangle& Other) = default;
    ZRectangle& operator=(const ZRectangle& Other) = default;

    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    // The edges become (X, Y, X + Width, Y + Height).
    void set(short X, short Y, short Width, short Height);
    void get(short& X, short& Y, short& Width, short& Height) const;
    const ZSize& getSize() const { return m_size; }

private:
    long m_left = 0;
    long m_top = 0;
    long m_right = 0;
    long m_bottom = 0;
    ZSize m_size;
};
