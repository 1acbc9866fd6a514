#pragma once
// The font of an old style: a name, a size in points, style bits, and the Windows font
// record that goes with them. It writes no record of its own: the style that holds it
// stores its parts.
#include "story/oldformat/ZLogFont.h"
#include "story/oldformat/ZString.h"

class ZFont : public ZThing {
public:
    // Style bits.
    static constexpr short kBold = 0x01;
    static constexpr short kItalic = 0x02;
    static constexpr short kUnderline = 0x04;
    static constexpr short kStrikeOut = 0x80;

    // The system's interface font, at its size on this display.
    ZFont();
    ZFont(const ZFont& Other) = default;
    ZFont& operator=(const ZFont& Other) = default;

    // Each keeps the native record in step, making the default one first when there is
    // none; fatal when none can be made.
    // The record's face name takes the first 31 characters.
    void setFontName(const ZString& Name);
    // Points; the record's height becomes the matching pixel height on a 96 dpi display.
    void setFontSize(short Size);
    void setFontStyle(short Style);
    // The record as stored in a document.
    void setNativeFont(const ZLogFont& Record);

    short getFontID() const { return m_fontID; }
    const ZString& getFontName() const { return m_name; }
    short getFontSize() const { return m_size; }
    short getFontStyle() const { return m_style; }
    bool hasNativeFont() const { return m_hasNativeFont; }
    const ZLogFont& getNativeFont() const { return m_nativeFont; }

    // Windows' MulDiv: A × B / C rounded to the nearest, halves away from zero; −1 for a
    // C of 0.
    static long mulDiv(long A, long B, long C);

private:
    bool makeDefaultNativeFont();
    ZLogFont& requireNativeFont(const char* Context);

    short m_fontID = 0;
    ZString m_name;
    short m_size = 0;
    short m_style = 0;
    bool m_hasNativeFont = false;
    ZLogFont m_nativeFont;
};
