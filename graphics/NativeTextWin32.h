#pragma once
// The native text services: the standard fonts, font sizes between platform conventions,
// measuring and drawing styled text through GDI, and word wrap of styled lines.
#include "graphics/KFont.h"

class KBag;
class KGraphicDevice;
class KGraphicRectangle;
class KTextLine;
class KTextStyle;

// Name takes the face name, *Size the size in points (Windows convention) of standard
// font F. A null Size is error 18; the name is still filled.
void kksGetStandardFont(KStandardFont F, KString& Name, double* Size);

// Sizes between conventions (Mac = Windows × 96 / 72), unrounded. A convention these do
// not know shows the not-yet-implemented notice and converts as from the other platform.
double kksConvertToMacFontSize(double Size, KPlatform P);
double kksConvertToWindowsFontSize(double Size, KPlatform P);
double kksConvertToLinuxFontSize(double Size, KPlatform P);

// The character height GDI gets for a font: the Windows size truncated to whole points
// (11.7 gives an 11-point font), scaled to the device's pixels per inch, negated.
long kksGetNativeFontHeight(const KFont& Font, long PixelsPerInch);

// Text measured in Style's font on D, or on the display without a bound device. An empty
// text has width 0 (less the font's overhang) and the height of a blank.
void kksGetTextExtent(const KString& Text, const KTextStyle& Style, double& Width, double& Height, double& Ascent,
                      KGraphicDevice* D = nullptr);

// Draws Text with its top-left corner at R's origin in Style's font and colour, on a
// transparent background. Alignment 3 spreads R's width minus the text's width over the
// text's blanks; the others draw unchanged (the caller places the box).
void kksDrawText(const KString& Text, const KTextStyle& Style, KGraphicDevice& D, const KGraphicRectangle& R,
                 uint8 Alignment);

// Word wrap breaks after these: the blank, "-" and ";".
bool kksIsWordSeparator(char C);

// Appends to Out the lines that Line breaks into at Width, each no wider where a break
// can make it so; Line is left as it is. Breaks fall after word separators; a word wider
// than Width alone is cut by characters, at least one per line. The pieces keep the
// runs, the default style and the alignment of Line.
void kksBreakTextIntoLines(const KTextLine& Line, int16 Width, KBag& Out, uint8 Alignment, KGraphicDevice* D = nullptr);

// The measuring seam: while a measurer is installed, kksGetTextExtent asks it instead of
// the platform's fonts (its outputs start at 0). Tests install one with fixed advances;
// null restores the native measurement.
using KTextMeasurer = void (*)(const KString& Text, const KTextStyle& Style, double& Width, double& Height,
                               double& Ascent);
void kksSetTextMeasurer(KTextMeasurer Measurer);
