#pragma once
// A font described apart from any platform: a face name, a size in points, the platform
// convention that size is counted in, and style bits. A Mac point and a Windows point
// differ (Mac = Windows × 96 / 72), so the size keeps its convention and is converted only
// when asked for in another one. The native layer turns a font into a platform font for
// the one call that measures or draws with it.
#include "foundation/KFlagSet.h"
#include "foundation/KString.h"
#include "foundation/KernelFunctions.h"

// The conventions a font size can be counted in (the kernel names Mac and Windows).
using KPlatform = uint8;
constexpr KPlatform kPlatformNone = 0;
constexpr KPlatform kPlatformLinux = 3;

// The system's standard fonts: 0 the system font, 1 to 3 the interface font, any other
// code a fixed portable fallback.
using KStandardFont = uint8;
constexpr KStandardFont kSystemFont = 0;
constexpr KStandardFont kInterfaceFont = 1;

// Style bits; other bits are kept and stored but change nothing in drawing.
constexpr uint32 kFontBold = 0x1;
constexpr uint32 kFontItalic = 0x2;
constexpr uint32 kFontUnderline = 0x4;

class KFont : public KThing {
    K_DECLARE_CLASS(KFont)
public:
    // The interface font at its standard size, in the running platform's convention.
    KFont();
    explicit KFont(KStandardFont F);
    // A Size of 0.0 keeps the standard font's size.
    KFont(KStandardFont F, double Size, KPlatform P);
    // A Size of 0.0 becomes 12 points.
    KFont(const KString& Name, double Size, KPlatform P);
    KFont(const KFont& Other);
    KFont& operator=(const KFont& Other);

    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void setName(const KString& Name) { m_name = Name; }
    void setSize(double Size, KPlatform P);
    void setStyle(const KFlagSet& Style) { m_style = Style; }

    const KString& getName() const { return m_name; }
    // The size as stored, in the convention getPlatform gives.
    double getSize() const { return m_size; }
    KPlatform getPlatform() const { return m_platform; }
    const KFlagSet& getStyle() const { return m_style; }
    // The size counted in convention P, unrounded.
    double getSize(KPlatform P) const;

private:
    void setStandard(KStandardFont F);

    KString m_name;
    double m_size = 0.0;
    KPlatform m_platform = kPlatformNone;
    KFlagSet m_style;
};

K_POINTER_CLASS(KFont, KThingPtr);
