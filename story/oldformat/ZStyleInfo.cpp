#include "story/oldformat/ZStyleInfo.h"

#include "foundation/KernelFunctions.h"
#include "story/oldformat/OldFontsWin32.h"
#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZStyleInfo)

uint8 ZStyleInfo::s_stylePlatform = kPlatformWindows;

namespace {
constexpr long kStoredPixelsPerInch = 96;
constexpr long kPointsPerInch = 72;
} // namespace

ZStyleInfo::ZStyleInfo()
{
    const ZLogFont& font = m_font.getNativeFont();
    char face[ZNativeRecord::kFaceNameSize + 1];
    m_charFormat.setSize(ZNativeRecord::kSize);
    m_charFormat.setMask(ZCharFormat::kFullMask);
    m_charFormat.setEffects(0);
    m_charFormat.setHeight(font.getHeight());
    m_charFormat.setOffset(0);
    m_charFormat.setTextColor(m_color.toColorRef());
    m_charFormat.setCharSet(font.getCharSet());
    m_charFormat.setPitchAndFamily(font.getPitchAndFamily());
    m_charFormat.setFaceName(font.getFaceName(face));
}

void ZStyleInfo::setCharFormat(const ZCharFormat& Format)
{
    m_charFormat = Format;
    m_hasCharFormat = true;
    m_color.setFromColorRef(m_charFormat.getTextColor());
    m_charFormat.setTextColor(m_color.toColorRef());
}

void ZStyleInfo::setColor(const ZColor& Color)
{
    m_color = Color;
    if (m_hasCharFormat)
        m_charFormat.setTextColor(m_color.toColorRef());
}

void ZStyleInfo::readFromFile(ZFile& F)
{
    long version = 0;
    if (!ZClass::readClassInfoAndVersion(s_class, F, version))
        return;
    if (version != 1 && version != 2) {
        F.markDamaged("ZStyleInfo::readFromFile", "Unknown Version");
        return;
    }
    long tag = kWindowsTag;
    long length = 0;
    if (version == 2)
        F.readLong(tag);
    F.readLong(length);
    if (F.hasFailed())
        return;
    if (version == 2)
        s_stylePlatform = tag == kMacTag ? kPlatformMac : kPlatformWindows;
    if (tag == kWindowsTag)
        readWindowsBlock(F, length);
    else
        F.skip(length, "ZStyleInfo::readFromFile");
    if (version == 2)
        readPortablePart(F);
    if (F.hasFailed())
        return;
    if (m_hasCharFormat) {
        m_charFormat.setMask(m_charFormat.getMask() | ZCharFormat::kColorMask);
        m_charFormat.setTextColor(m_color.toColorRef());
    }
}

void ZStyleInfo::readWindowsBlock(ZFile& F, long Length)
{
    if (Length <= 0)
        return;
    if (Length != kFormatAndFontLength && Length != kFontOnlyLength) {
        F.skip(Length, "ZStyleInfo::readFromFile");
        return;
    }
    unsigned char bytes[ZNativeRecord::kSize];
    if (Length == kFormatAndFontLength) {
        if (!F.readFully(bytes, ZNativeRecord::kSize))
            return;
        ZCharFormat format;
        format.setBytes(bytes);
        setCharFormat(format);
    }
    if (!F.readFully(bytes, ZNativeRecord::kSize))
        return;
    ZLogFont font;
    font.setBytes(bytes);
    m_font.setNativeFont(font);
    const long points = ZFont::mulDiv(font.getHeight(), kPointsPerInch, kStoredPixelsPerInch);
    m_font.setFontSize(static_cast<short>(points < 0 ? -points : points));
    char face[ZNativeRecord::kFaceNameSize + 1];
    m_font.setFontName(ZString(font.getFaceName(face)));
}

void ZStyleInfo::readPortablePart(ZFile& F)
{
    m_color.readFromFile(F);
    short size = m_font.getFontSize();
    short style = m_font.getFontStyle();
    ZString name;
    F.readShort(size);
    F.readShort(style);
    F.readString(name);
    if (F.hasFailed())
        return;
    m_font.setFontName(name);
    m_font.setFontSize(size);
    m_font.setFontStyle(style);
}

void ZStyleInfo::writeToFile(ZFile& F)
{
    getClass().writeClassInfo(F);
    F.writeLong(kWindowsTag);
    F.writeLong(m_hasCharFormat ? kFormatAndFontLength : kFontOnlyLength);
    if (m_hasCharFormat)
        F.writeBytes(m_charFormat.getBytes().data(), ZNativeRecord::kSize);
    ZLogFont font = m_font.getNativeFont();
    if (!m_font.hasNativeFont())
        getDefaultGuiFontWin32(font);
    F.writeBytes(font.getBytes().data(), ZNativeRecord::kSize);
    m_color.writeToFile(F);
    F.writeShort(m_font.getFontSize());
    F.writeShort(m_font.getFontStyle());
    F.writeString(m_font.getFontName());
}
