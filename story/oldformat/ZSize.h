#pragma once
// A width and a height of old documents, 16 bits each.
#include "story/oldformat/ZClass.h"

class ZSize : public ZThing {
    Z_DECLARE_CLASS(ZSize)
public:
    ZSize() = default;
    ZSize(short Width, short Height);
    ZSize(const ZSize& Other);
    ZSize& operator=(const ZSize& Other);

    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    void set(short Width, short Height);
    short getWidth() const { return m_width; }
    short getHeight() const { return m_height; }

private:
    short m_width = 0;
    short m_height = 0;
};
