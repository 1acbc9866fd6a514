#pragma once
// Something drawn in an old document, with its size. It writes no record of its own.
#include "story/oldformat/ZSize.h"

class ZGraphicElement : public ZThing {
public:
    ZGraphicElement() = default;
    ZGraphicElement(const ZGraphicElement& Other) = default;
    ZGraphicElement& operator=(const ZGraphicElement& Other) = default;

    const ZSize& getSize() const { return m_size; }
    void setSize(const ZSize& Size) { m_size = Size; }

private:
    ZSize m_size;
};
