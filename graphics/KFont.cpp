#include "graphics/KFont.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KernelFunctions.h"
#include "graphics/NativeTextWin32.h"

K_DEFINE_CLASS(KFont, KThing, 1)

KFont::KFont() : KFont(kInterfaceFont) {}

KFont::KFont(KStandardFont F) : m_platform(knsGetPlatform())
{
    setStandard(F);
}

KFont::KFont(KStandardFont F, double Size, KPlatform P) : m_platform(P)
{
    setStandard(F);
    if (Size != 0.0)
        m_size = Size;
}

KFont::KFont(const KString& Name, double Size, KPlatform P)
    : m_name(Name), m_size(Size != 0.0 ? Size : 12.0), m_platform(P)
{
}

KFont::KFont(const KFont& Other)
    : KThing(), m_name(Other.m_name), m_size(Other.m_size), m_platform(Other.m_platform), m_style(Other.m_style)
{
}

KFont& KFont::operator=(const KFont& Other)
{
    m_name = Other.m_name;
    m_size = Other.m_size;
    m_platform = Other.m_platform;
    m_style = Other.m_style;
    return *this;
}

void KFont::setStandard(KStandardFont F)
{
    kksGetStandardFont(F, m_name, &m_size);
}

void KFont::setSize(double Size, KPlatform P)
{
    m_size = Size;
    m_platform = P;
}

double KFont::getSize(KPlatform P) const
{
    if (P == m_platform)
        return m_size;
    switch (P) {
    case kPlatformMac:
        return kksConvertToMacFontSize(m_size, m_platform);
    case kPlatformWindows:
        return kksConvertToWindowsFontSize(m_size, m_platform);
    case kPlatformLinux:
        return kksConvertToLinuxFontSize(m_size, m_platform);
    default:
        return m_size;
    }
}

void KFont::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KFont::getClassRecord());
    writer.newSection(1);
    m_name.writeToFile(F, 1);
    F.writeDouble(m_size);
    F.writeShort(m_platform);
    m_style.writeToFile(F, 1);
    writer.end();
}

void KFont::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KFont::getClassRecord(), 1)) {
        // Read aside, so that a damaged section leaves the font as it was.
        KString name;
        double size = 0.0;
        short platform = 0;
        KFlagSet style;
        name.readFromFile(F);
        F.readDouble(size);
        F.readShort(platform);
        style.readFromFile(F);
        if (F.getError() == 0) {
            m_name = name;
            m_size = size;
            m_platform = static_cast<KPlatform>(platform & 0xFF);
            m_style = style;
        }
    }
    reader.end();
}
