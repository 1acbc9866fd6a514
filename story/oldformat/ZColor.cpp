#include "story/oldformat/ZColor.h"

#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZColor)

ZColor::ZColor(uint16 Red, uint16 Green, uint16 Blue)
    : m_red(Red)
    , m_green(Green)
    , m_blue(Blue)
{
}

void ZColor::set(uint16 Red, uint16 Green, uint16 Blue)
{
    m_red = Red;
    m_green = Green;
    m_blue = Blue;
}

bool ZColor::operator==(const ZColor& Other) const
{
    return m_red == Other.m_red && m_green == Other.m_green && m_blue == Other.m_blue;
}

void ZColor::setFromColorRef(uint32 ColorRef)
{
    set(static_cast<uint16>((ColorRef & 0xFF) << 8), static_cast<uint16>(((ColorRef >> 8) & 0xFF) << 8),
        static_cast<uint16>(((ColorRef >> 16) & 0xFF) << 8));
}

uint32 ZColor::toColorRef() const
{
    return static_cast<uint32>(m_red >> 8) | static_cast<uint32>(m_green >> 8) << 8 | static_cast<uint32>(m_blue >> 8) << 16;
}

void ZColor::readFromFile(ZFile& F)
{
    if (!ZClass::readClassInfo(s_class, F))
        return;
    short red = static_cast<short>(m_red);
    short green = static_cast<short>(m_green);
    short blue = static_cast<short>(m_blue);
    F.readShort(red);
    F.readShort(green);
    F.readShort(blue);
    set(static_cast<uint16>(red), static_cast<uint16>(green), static_cast<uint16>(blue));
}

void ZColor::writeToFile(ZFile& F)
{
    getClass().writeClassInfo(F);
    F.writeShort(static_cast<short>(m_red));
    F.writeShort(static_cast<short>(m_green));
    F.writeShort(static_cast<short>(m_blue));
}
