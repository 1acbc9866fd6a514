#pragma once
// The style of an old styled text: its font, its colour and the RichEdit character format
// that carries both on Windows.
//
// Version 1 records hold a block of Windows structures; version 2 records a platform tag
// and the block of that platform, then a portable part (colour, size, style bits, font
// name) that every platform reads. Writing always gives a Windows version 2 record.
//
// The sizes of a document's texts are counted in the points of the platform that wrote
// its styles: reading a version 2 record tells which, for the whole program.
#include "story/oldformat/ZCharFormat.h"
#include "story/oldformat/ZColor.h"
#include "story/oldformat/ZFont.h"

class ZStyleInfo : public ZThing {
    Z_DECLARE_CLASS(ZStyleInfo)
public:
    static constexpr long kMacTag = 0x4D414344;     // "MACD"
    static constexpr long kWindowsTag = 0x50434454; // "PCDT"
    // The lengths of a Windows block: a character format and a font record, or the font
    // record alone.
    static constexpr long kFormatAndFontLength = 2 * ZNativeRecord::kSize;
    static constexpr long kFontOnlyLength = ZNativeRecord::kSize;

    // The default font in black, with a character format made from them.
    ZStyleInfo();
    ZStyleInfo(const ZStyleInfo& Other) = default;
    ZStyleInfo& operator=(const ZStyleInfo& Other) = default;

    // A record of another version than 1 or 2, or a block whose length leaves the file,
    // marks the file damaged. A Windows block of another positive length than those two is
    // skipped, so that the reading stays in step.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    // The bytes as stored; the colour then comes from their text colour.
    void setCharFormat(const ZCharFormat& Format);
    bool hasCharFormat() const { return m_hasCharFormat; }
    const ZCharFormat& getCharFormat() const { return m_charFormat; }
    // Also the character format's text colour.
    void setColor(const ZColor& Color);
    const ZColor& getColor() const { return m_color; }
    ZFont& getFont() { return m_font; }
    const ZFont& getFont() const { return m_font; }

    // kPlatformMac or kPlatformWindows.
    static uint8 getStylePlatform() { return s_stylePlatform; }
    static void setStylePlatform(uint8 Platform) { s_stylePlatform = Platform; }

private:
    void readWindowsBlock(ZFile& F, long Length);
    void readPortablePart(ZFile& F);

    static uint8 s_stylePlatform;

    bool m_hasCharFormat = true;
    ZCharFormat m_charFormat;
    ZFont m_font;
    ZColor m_color;
};
