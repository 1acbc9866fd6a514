#pragma once
// Shared by the text tests: a measuring seam with fixed advances, so that layout and
// wrap do not depend on the fonts Wine has, and small builders of styled lines.
#include "graphics/KTextLine.h"
#include "graphics/NativeTextWin32.h"
#include "tests/graphics/GraphicsTestSupport.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

// While alive, every character is 10 pixels wide; a text is as high as its font's size
// in Windows points plus 2, with the size as its ascent.
class FixedAdvances {
public:
    FixedAdvances() { kksSetTextMeasurer(&measure); }
    ~FixedAdvances() { kksSetTextMeasurer(nullptr); }
    FixedAdvances(const FixedAdvances&) = delete;
    FixedAdvances& operator=(const FixedAdvances&) = delete;

    static double heightOf(const KTextStyle& Style)
    {
        return std::trunc(Style.getFont().getSize(kPlatformWindows)) + 2;
    }

private:
    static void measure(const KString& Text, const KTextStyle& Style, double& Width, double& Height, double& Ascent)
    {
        Width = 10.0 * Text.getLength();
        Height = heightOf(Style);
        Ascent = Height - 2;
    }
};

inline KFont arialFont(double Size) { return KFont(KString("Arial"), Size, kPlatformWindows); }

// A heap line built run by run: each piece of text in Arial at its size, in Color.
inline KTextLine* styledLine(
    std::initializer_list<std::pair<const char*, double>> Runs, const KColor& Color = KColor(kBlack))
{
    KTextLine* line = new KTextLine;
    for (const auto& run : Runs)
        line->appendStyleRun(KString(run.first), arialFont(run.second), Color);
    return line;
}

inline std::string textOf(const KString& S) { return std::string(S.getText(), S.getLength()); }

inline std::vector<long> runLengths(const KTextLine& Line)
{
    std::vector<long> lengths;
    for (long i = 0; i < Line.getStyleRunCount(); ++i)
        lengths.push_back(Line.getStyleRunAt(i).getLength());
    return lengths;
}

// The colour of each run, as the native 0x00BBGGRR values.
inline std::vector<uint32> runColors(const KTextLine& Line)
{
    std::vector<uint32> colors;
    for (long i = 0; i < Line.getStyleRunCount(); ++i)
        colors.push_back(Line.getStyleRunAt(i).getColor().getNativeColor());
    return colors;
}

constexpr uint32 kNativeBlack = 0x000000;
constexpr uint32 kNativeRed = 0x0000FF;
constexpr uint32 kNativeGreen = 0x00FF00;
constexpr uint32 kNativeBlue = 0xFF0000;

// A bag of objects of one class (null for an empty slot), as its block.
inline Bytes bagBlock(BlockFile& File, const char* ClassName, std::initializer_list<KThing*> Objects)
{
    const long id = KClass::findClass(ClassName)->getClassID();
    ByteList array = ByteList().longs({long(Objects.size())}).raw({0});
    for (KThing* object : Objects) {
        if (object)
            array.longs({id}).append(File.written(*object));
        else
            array.longs({0});
    }
    return oneSectionBlock(
        "KBag", ByteList().append(oneSectionBlock("KArray", array)).longs({long(Objects.size()), 1, 0}));
}

using Runs = std::vector<long>;
using Colors = std::vector<uint32>;
