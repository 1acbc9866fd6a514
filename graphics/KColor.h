#pragma once
// The colour value of the whole system: three 16-bit components and a transparency. An
// 8-bit platform component v stands for v × 256, so platform white is 0xFF00, not 0xFFFF.
#include "foundation/KClass.h"

// The standard colour codes; codes 14 to 20 take the desktop's colours of the moment.
enum KStandardColor : uint8 {
    kTransparent = 0,
    kBlack = 1,
    kWhite = 2,
    kRed = 3,
    kGreen = 4,
    kBlue = 5,
    kYellow = 6,
    kCyan = 7,
    kMagenta = 8,
    kLightGray = 9,
    kGray = 10,
    kDarkGray = 11,
    kMediumGray = 12,
    kPaleGray = 13,
    kSystemButtonFace = 14,
    kSystemHighlight = 15,
    kSystemHighlightText = 16,
    kSystemDialogFace = 17,
    kSystemMenu = 18,
    kSystemMenuHighlight = 19,
    kSystemMenuText = 20,
};

class KColor : public KThing {
    K_DECLARE_CLASS(KColor)
public:
    KColor() = default;
    KColor(uint16 Red, uint16 Green, uint16 Blue);
    // Not explicit: a standard code reads naturally wherever a colour is expected.
    KColor(KStandardColor Code);
    KColor(const KColor& Other);
    KColor& operator=(const KColor& Other);

    // Components and transparency compare exactly; kTransparent differs from kBlack.
    bool operator==(const KColor& Other) const;
    bool operator!=(const KColor& Other) const { return !(*this == Other); }

    // Native values are 0x00BBGGRR. Setting one makes the colour opaque.
    void setNativeColor(uint32 Native);
    void getNativeColor(uint32& Native) const { Native = getNativeColor(); }
    uint32 getNativeColor() const;

    void setRGB(uint16 Red, uint16 Green, uint16 Blue);
    void getRGB(uint16& Red, uint16& Green, uint16& Blue) const;
    uint16 getRed() const { return m_red; }
    uint16 getGreen() const { return m_green; }
    uint16 getBlue() const { return m_blue; }
    // 0.0 an ordinary colour, 1.0 no colour at all.
    double getTransparency() const { return m_transparency; }

    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

private:
    uint16 m_red = 0;
    uint16 m_green = 0;
    uint16 m_blue = 0;
    double m_transparency = 0.0;
};
