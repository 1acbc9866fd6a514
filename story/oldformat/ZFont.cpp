#include "story/oldformat/ZFont.h"

#include "foundation/ErrorTable.h"
#include "story/oldformat/OldFontsWin32.h"

namespace {
// The resolution the stored pixel heights are counted at.
constexpr long kStoredPixelsPerInch = 96;
constexpr long kPointsPerInch = 72;
constexpr long kNormalWeight = 400;
constexpr long kBoldWeight = 700;

long absolute(long Value) { return Value < 0 ? -Value : Value; }
} // namespace

ZFont::ZFont()
    : m_name("Helvetica")
{
    ZLogFont stock;
    if (getDefaultGuiFontWin32(stock))
        m_size = static_cast<short>(absolute(mulDiv(stock.getHeight(), kPointsPerInch, getDisplayPixelsPerInchWin32())));
    makeDefaultNativeFont();
}

long ZFont::mulDiv(long A, long B, long C)
{
    if (C == 0)
        return -1;
    const long long product = static_cast<long long>(A) * B;
    const bool negative = (product < 0) != (C < 0);
    const long long magnitude = product < 0 ? -product : product;
    const long long divisor = C < 0 ? -static_cast<long long>(C) : C;
    const long long quotient = (magnitude + divisor / 2) / divisor;
    return static_cast<long>(negative ? -quotient : quotient);
}

bool ZFont::makeDefaultNativeFont()
{
    ZLogFont record;
    if (!getDefaultGuiFontWin32(record))
        return false;
    // On another display the stock font's pixels mean another size: the record is made
    // for 96 dpi from the size in points.
    if (getDisplayPixelsPerInchWin32() != kStoredPixelsPerInch) {
        record.setHeight(-mulDiv(m_size, kStoredPixelsPerInch, kPointsPerInch));
        record.setWidth(0);
        record.setFaceName("ASI_System");
    }
    record.setWeight(kNormalWeight);
    m_nativeFont = record;
    m_hasNativeFont = true;
    char face[ZNativeRecord::kFaceNameSize + 1];
    m_name = m_nativeFont.getFaceName(face);
    return true;
}

ZLogFont& ZFont::requireNativeFont(const char* Context)
{
    if (!m_hasNativeFont && !makeDefaultNativeFont())
        knsFatalError(Context, "NativeFont=NULL");
    return m_nativeFont;
}

void ZFont::setFontName(const ZString& Name)
{
    ZLogFont& record = requireNativeFont("ZFont::setFontName(const ZString& S)");
    m_name = Name;
    record.setFaceName(Name.getText());
}

void ZFont::setFontSize(short Size)
{
    ZLogFont& record = requireNativeFont("ZFont::setFontSize(short S)");
    m_size = Size;
    record.setHeight(-mulDiv(Size, kStoredPixelsPerInch, kPointsPerInch));
    record.setWidth(0);
}

void ZFont::setFontStyle(short Style)
{
    ZLogFont& record = requireNativeFont("ZFont::setFontStyle(ZFontStyleSet S)");
    m_style = Style;
    record.setWeight((Style & kBold) ? kBoldWeight : kNormalWeight);
    record.setItalic((Style & kItalic) != 0);
    record.setUnderline((Style & kUnderline) != 0);
    record.setStrikeOut((Style & kStrikeOut) != 0);
}

void ZFont::setNativeFont(const ZLogFont& Record)
{
    m_nativeFont = Record;
    m_hasNativeFont = true;
}
