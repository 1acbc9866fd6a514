#pragma once
// How a stretch of text looks: a font and a colour.
#include "graphics/KColor.h"
#include "graphics/KFont.h"

class KTextStyle : public KThing {
    K_DECLARE_CLASS(KTextStyle)
public:
    // The interface font in black.
    KTextStyle();
    KTextStyle(const KFont& Font, const KColor& Color);
    KTextStyle(const KTextStyle& Other);
    KTextStyle& operator=(const KTextStyle& Other);

    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void copyFrom(const KTextStyle& Other);
    void setFont(const KFont& Font) { m_font = Font; }
    void setColor(const KColor& Color) { m_color = Color; }
    const KFont& getFont() const { return m_font; }
    KFont& getFont() { return m_font; }
    const KColor& getColor() const { return m_color; }

private:
    KFont m_font;
    KColor m_color;
};

K_POINTER_CLASS(KTextStyle, KThingPtr);
