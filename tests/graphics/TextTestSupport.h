#pragma once
// Shared by the text tests: a measuring seam with fixed advances, so that layout and
// wrap do not depend on the fonts Wine has, and small builders of styled lines.
#include "application/NativeTextWin32.h"
#include "graphics/KTextLine.h"
#include "tests/foundation/FileHelpers.h"

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

// While alive, every character is 10 pixels wide; a text is as high as its font's size
// in Windows points plus 2, with the size as its ascent. An empty text is 0 wide and as
// high as one character.
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
inline KTextLine* styledLine(std::initializer_list<std::pair<const char*, double>> Runs,
                             const KColor& Color = KColor(kBlack))
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
constexpr uint32 kNativeBlue = 0xFF0000;

// A class block of one section holding Payload.
inline Bytes oneSectionBlock(const char* ClassName, const Bytes& Payload)
{
    return ByteList().append(BlockFile::header(ClassName, static_cast<long>(Payload.size()) + 8)).append(Payload);
}

inline Bytes stringBlock(const std::string& Text)
{
    return oneSectionBlock("KString",
                           ByteList().shorts({1}).longs({static_cast<long>(Text.size())}).text(Text + '\0'));
}

inline Bytes doubleBytes(double Value)
{
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof Value, "IEEE double");
    std::memcpy(&bits, &Value, sizeof bits);
    Bytes bytes;
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<unsigned char>(bits >> shift));
    return bytes;
}
