#include "graphics/NativeTextWin32.h"

#include "foundation/ErrorTable.h"
#include "foundation/KBag.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KTextLine.h"
#include "graphics/KTextLineObject.h"
#include "graphics/NativeDeviceWin32.h"

#include <windows.h>

#include <cmath>
#include <cstring>

namespace {

KTextMeasurer s_measurer = nullptr;

// A GDI font for Font on the context; the caller selects it and deletes it.
HFONT createNativeFont(HDC Dc, const KFont& Font)
{
    const uint32 style = Font.getStyle().getFlags();
    // GDI reads at most LF_FACESIZE bytes of a face name, terminator included.
    char face[LF_FACESIZE] = {};
    std::strncpy(face, Font.getName().getText(), LF_FACESIZE - 1);
    return CreateFontA(kksGetNativeFontHeight(Font, GetDeviceCaps(Dc, LOGPIXELSY)), 0, 0, 0,
                       (style & kFontBold) ? FW_BOLD : FW_NORMAL, (style & kFontItalic) ? TRUE : FALSE,
                       (style & kFontUnderline) ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, face);
}

long countBlanks(const KString& Text) { return Text.countChar(' '); }

// The line's own removals take 16-bit counts; longer texts are cut in steps.
void removeLeading(KTextLine& Line, long Count)
{
    while (Count > 0) {
        const uint16 step = Count > 0xFFFF ? 0xFFFF : static_cast<uint16>(Count);
        Line.removeFirstChars(step);
        Count -= step;
    }
}

void removeTrailing(KTextLine& Line, long Count)
{
    while (Count > 0) {
        const uint16 step = Count > 0xFFFF ? 0xFFFF : static_cast<uint16>(Count);
        Line.removeLastChars(step);
        Count -= step;
    }
}

// The first Count characters of Line, with their runs.
KTextLinePtr leadingPart(const KTextLine& Line, long Count)
{
    KTextLinePtr part = static_cast<KTextLine&>(Line.deepCopy());
    removeTrailing(*part, part->getLength() - Count);
    return part;
}

void trimTrailingBlanks(KTextLine& Line)
{
    long blanks = 0;
    const KString& text = Line.getText();
    while (blanks < text.getLength() && text.getCharAt(text.getLength() - 1 - blanks) == ' ')
        ++blanks;
    removeTrailing(Line, blanks);
}

void trimLeadingBlanks(KTextLine& Line)
{
    long blanks = 0;
    const KString& text = Line.getText();
    while (blanks < text.getLength() && text.getCharAt(blanks) == ' ')
        ++blanks;
    removeLeading(Line, blanks);
}

// Measures trial pieces of a line the way the line object lays them out.
class PieceMeasure {
public:
    PieceMeasure(int16 Width, KGraphicDevice* D) : m_width(Width)
    {
        if (D && D->isOnHeap())
            m_object.setAuxObject(*D);
    }
    bool fits(KTextLine& Line)
    {
        m_object.setText(Line);
        return m_object.getSize().getWidth() <= m_width;
    }
    bool prefixFits(const KTextLine& Line, long Count)
    {
        KTextLinePtr part = leadingPart(Line, Count);
        return fits(*part);
    }

private:
    int16 m_width;
    KTextLineObject m_object;
};

// Where the first piece of a line that does not fit ends: after the last separator that
// still fits, else after the longest run of characters that fits, at least one.
long findBreak(const KTextLine& Line, PieceMeasure& Measure)
{
    const KString& text = Line.getText();
    const long length = text.getLength();
    long wordStart = 0;
    long i = 0;
    do {
        wordStart = i;
        while (i < length && !kksIsWordSeparator(text.getCharAt(i)))
            ++i;
        if (!Measure.prefixFits(Line, i))
            break;
        ++i;
    } while (i < length);
    if (wordStart > 0)
        return wordStart;

    long count = 1;
    while (count < length && Measure.prefixFits(Line, count + 1))
        ++count;
    return count;
}

} // namespace

void kksSetTextMeasurer(KTextMeasurer Measurer) { s_measurer = Measurer; }

void kksGetStandardFont(KStandardFont F, KString& Name, double* Size)
{
    if (!Size)
        kksReportError(18, "void kksGetStandardFont(KStandardFont F, KString& Name, double* Size)");
    double size = 12.0;
    Name.clear();
    if (F <= 3) {
        LOGFONTA font;
        std::memset(&font, 0, sizeof font);
        HGDIOBJ stock = GetStockObject(F == kSystemFont ? SYSTEM_FONT : DEFAULT_GUI_FONT);
        if (stock && GetObjectA(stock, sizeof font, &font) != 0) {
            font.lfFaceName[LF_FACESIZE - 1] = '\0';
            Name = font.lfFaceName;
            size = std::abs(MulDiv(font.lfHeight, 72, 76));
        } else {
            Name = F == kSystemFont ? "System" : "Arial";
            size = 11.0;
        }
    } else {
        Name = "helvetica";
    }
    if (Size)
        *Size = size;
}

double kksConvertToMacFontSize(double Size, KPlatform P)
{
    if (P == kPlatformNone || P == kPlatformMac)
        return Size;
    if (P != kPlatformWindows)
        knsNotYetImplemented("double kksConvertToMacFontSize(double Size, KPlatform P)");
    return Size * 96.0 / 72.0;
}

double kksConvertToWindowsFontSize(double Size, KPlatform P)
{
    if (P == kPlatformWindows)
        return Size;
    if (P != kPlatformMac)
        knsNotYetImplemented("double kksConvertToWindowsFontSize(double Size, KPlatform P)");
    return Size * 72.0 / 96.0;
}

double kksConvertToLinuxFontSize(double Size, KPlatform)
{
    knsNotYetImplemented("double kksConvertToLinuxFontSize(double Size, KPlatform P)");
    return Size;
}

long kksGetNativeFontHeight(const KFont& Font, long PixelsPerInch)
{
    const double points = std::trunc(Font.getSize(kPlatformWindows));
    return -std::lround(points * PixelsPerInch / 72.0);
}

void kksGetTextExtent(const KString& Text, const KTextStyle& Style, double& Width, double& Height, double& Ascent,
                      KGraphicDevice* D)
{
    Width = Height = Ascent = 0.0;
    if (s_measurer) {
        s_measurer(Text, Style, Width, Height, Ascent);
        return;
    }
    HDC dc = D ? getHDCWin32(*D) : nullptr;
    const bool ownContext = dc == nullptr;
    if (ownContext)
        dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!dc)
        return;
    HFONT font = createNativeFont(dc, Style.getFont());
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent = {0, 0};
    if (Text.isEmpty())
        GetTextExtentPoint32A(dc, " ", 1, &extent);
    else
        GetTextExtentPoint32A(dc, Text.getText(), static_cast<int>(Text.getLength()), &extent);
    TEXTMETRICA metrics;
    std::memset(&metrics, 0, sizeof metrics);
    GetTextMetricsA(dc, &metrics);
    Width = (Text.isEmpty() ? 0 : extent.cx) - metrics.tmOverhang;
    Height = extent.cy;
    Ascent = extent.cy - metrics.tmDescent;
    SelectObject(dc, previous);
    DeleteObject(font);
    if (ownContext)
        DeleteDC(dc);
}

void kksDrawText(const KString& Text, const KTextStyle& Style, KGraphicDevice& D, const KGraphicRectangle& R,
                 uint8 Alignment)
{
    HDC dc = getHDCWin32(D);
    if (!dc)
        return;
    SetMapMode(dc, MM_TEXT);
    HFONT font = createNativeFont(dc, Style.getFont());
    HGDIOBJ previousFont = SelectObject(dc, font);
    const int previousBackground = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColor = SetTextColor(dc, Style.getColor().getNativeColor());
    const UINT previousAlignment = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_UPDATECP);

    const int length = static_cast<int>(Text.getLength());
    const long blanks = countBlanks(Text);
    if (Alignment == kAlignJustified && blanks > 0) {
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, Text.getText(), length, &extent);
        // A box narrower than the text would squeeze the blanks; the text is drawn as it is.
        const int extra = R.getWidth() - extent.cx;
        if (extra > 0)
            SetTextJustification(dc, extra, static_cast<int>(blanks));
    }
    MoveToEx(dc, R.getH(), R.getV(), nullptr);
    TextOutA(dc, 0, 0, Text.getText(), length);
    SetTextJustification(dc, 0, 0);

    SetTextAlign(dc, previousAlignment);
    SetTextColor(dc, previousColor);
    SetBkMode(dc, previousBackground);
    SelectObject(dc, previousFont);
    DeleteObject(font);
}

bool kksIsWordSeparator(char C) { return C == ' ' || C == '-' || C == ';'; }

void kksBreakTextIntoLines(const KTextLine& Line, int16 Width, KBag& Out, uint8 Alignment, KGraphicDevice* D)
{
    if (Line.getText().isEmpty()) {
        Out.add(Line);
        return;
    }
    KTextLinePtr rest = static_cast<KTextLine&>(Line.deepCopy());
    if (Alignment != kAlignRight)
        trimTrailingBlanks(*rest);
    if (Alignment != kAlignLeft)
        trimLeadingBlanks(*rest);

    PieceMeasure measure(Width, D);
    // Every pass takes at least one character off, so an empty rest ends the loop even
    // where nothing fits (a width below zero).
    while (rest->getLength() > 0 && !measure.fits(*rest)) {
        const long cut = findBreak(*rest, measure);
        KTextLinePtr first = leadingPart(*rest, cut);
        trimTrailingBlanks(*first);
        Out.add(*first);
        removeLeading(*rest, cut);
        trimLeadingBlanks(*rest);
        // A last character wider than the line leaves nothing behind: no empty line.
        if (rest->getLength() == 0)
            return;
    }
    Out.add(*rest);
}
