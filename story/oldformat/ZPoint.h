#pragma once
// A point of old documents: h and v, 16 bits each.
#include "story/oldformat/ZClass.h"

class ZPoint : public ZThing {
    Z_DECLARE_CLASS(ZPoint)
public:
    ZPoint() = default;
    ZPoint(short H, short V);
    ZPoint(const ZPoint& Other);
    ZPoint& operator=(const ZPoint& Other);

    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    void set(short H, short V);
    short getH() const { return m_h; }
    short getV() const { return m_v; }

private:
    short m_h = 0;
    short m_v = 0;
};
