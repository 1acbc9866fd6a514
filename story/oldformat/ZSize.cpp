#include "story/oldformat/ZSize.h"

#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZSize)

ZSize::ZSize(short Width, short Height)
    : m_width(Width)
    , m_height(Height)
{
}

ZSize::ZSize(const ZSize& Other)
    : ZThing(Other)
    , m_width(Other.m_width)
    , m_height(Other.m_height)
{
}

ZSize& ZSize::operator=(const ZSize& Other)
{
    set(Other.m_width, Other.m_height);
    return *this;
}

void ZSize::set(short Width, short Height)
{
    m_width = Width;
    m_height = Height;
}

void ZSize::readFromFile(ZFile& F)
{
    if (!ZClass::readClassInfo(s_class, F))
        return;
    F.readShort(m_width);
    F.readShort(m_height);
}

void ZSize::writeToFile(ZFile& F)
{
    getClass().writeClassInfo(F);
    F.writeShort(m_width);
    F.writeShort(m_height);
}
