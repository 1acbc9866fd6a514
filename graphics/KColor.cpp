#include "graphics/KColor.h"

#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "graphics/SectionOne.h"
#include "graphics/SystemColorsWin32.h"

K_DEFINE_CLASS(KColor, KThing, 1)

namespace {
struct StandardColorRow {
    uint16 red, green, blue;
    int systemColor; // −1 for the fixed colours
};

// Indexed by KStandardColor; the system indices are those of GetSysColor.
constexpr StandardColorRow s_standardColors[] = {
    {0x0000, 0x0000, 0x0000, -1}, // transparent (its transparency is set apart)
    {0x0000, 0x0000, 0x0000, -1}, {0xFFFF, 0xFFFF, 0xFFFF, -1},
    {0xFFFF, 0x0000, 0x0000, -1}, {0x0000, 0xFFFF, 0x0000, -1},
    {0x0000, 0x0000, 0xFFFF, -1}, {0xFFFF, 0xFFFF, 0x0000, -1},
    {0x0000, 0xFFFF, 0xFFFF, -1}, {0xFFFF, 0x0000, 0xFFFF, -1},
    {0xC000, 0xC000, 0xC000, -1}, {0x8000, 0x8000, 0x8000, -1},
    {0x4000, 0x4000, 0x4000, -1}, {0x8900, 0x8900, 0x8900, -1},
    {0xDE00, 0xDE00, 0xDE00, -1},
    {0, 0, 0, kSystemColorButtonFace}, {0, 0, 0, kSystemColorHighlight},
    {0, 0, 0, kSystemColorHighlightText}, {0, 0, 0, kSystemColorButtonFace},
    {0, 0, 0, kSystemColorMenu}, {0, 0, 0, kSystemColorHighlight},
    {0, 0, 0, kSystemColorMenuText},
};
} // namespace

KColor::KColor(uint16 Red, uint16 Green, uint16 Blue)
    : m_red(Red)
    , m_green(Green)
    , m_blue(Blue)
{
}

KColor::KColor(KStandardColor Code)
{
    // Codes past the table have no meaning of their own; they give opaque black.
    if (Code >= sizeof s_standardColors / sizeof s_standardColors[0])
        return;
    const StandardColorRow& row = s_standardColors[Code];
    if (row.systemColor >= 0)
        setNativeColor(getSystemColorWin32(row.systemColor));
    else
        setRGB(row.red, row.green, row.blue);
    if (Code == kTransparent)
        m_transparency = 1.0;
}

KColor::KColor(const KColor& Other)
    : KThing(Other)
    , m_red(Other.m_red)
    , m_green(Other.m_green)
    , m_blue(Other.m_blue)
    , m_transparency(Other.m_transparency)
{
}

KColor& KColor::operator=(const KColor& Other)
{
    m_red = Other.m_red;
    m_green = Other.m_green;
    m_blue = Other.m_blue;
    m_transparency = Other.m_transparency;
    return *this;
}

bool KColor::operator==(const KColor& Other) const
{
    return m_red == Other.m_red && m_green == Other.m_green && m_blue == Other.m_blue
        && m_transparency == Other.m_transparency;
}

void KColor::setNativeColor(uint32 Native)
{
    m_red = uint16((Native & 0xFF) << 8);
    m_green = uint16(((Native >> 8) & 0xFF) << 8);
    m_blue = uint16(((Native >> 16) & 0xFF) << 8);
    m_transparency = 0.0;
}

uint32 KColor::getNativeColor() const
{
    return uint32(m_red >> 8) | uint32(m_green >> 8) << 8 | uint32(m_blue >> 8) << 16;
}

void KColor::setRGB(uint16 Red, uint16 Green, uint16 Blue)
{
    m_red = Red;
    m_green = Green;
    m_blue = Blue;
}

void KColor::getRGB(uint16& Red, uint16& Green, uint16& Blue) const
{
    Red = m_red;
    Green = m_green;
    Blue = m_blue;
}

void KColor::readFromFile(KFile& F)
{
    KClassReader reader;
    if (beginSectionOne(reader, F, getClassRecord())) {
        short red = 0, green = 0, blue = 0;
        F.readShort(red);
        F.readShort(green);
        F.readShort(blue);
        F.readDouble(m_transparency);
        setRGB(uint16(red), uint16(green), uint16(blue));
    }
    reader.end();
}

void KColor::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, getClassRecord());
    writer.newSection(1);
    F.writeShort(short(m_red));
    F.writeShort(short(m_green));
    F.writeShort(short(m_blue));
    F.writeDouble(m_transparency);
    writer.end();
}
