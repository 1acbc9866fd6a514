#pragma once
// Shared by the drawing and image tests: a device's pixels as rows of characters, one per
// pixel, so that expectations read like the picture they describe; class blocks built
// section by section; the registered file types and the fixture files.
#include "foundation/KFileTypeHandler.h"
#include "graphics/KImage.h"
#include "tests/foundation/FileHelpers.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using PixelRows = std::vector<std::string>;

// '.' black, '#' white, 'r' red, 'g' green, 'b' blue, 'y' yellow; '?' anything else.
struct PixelCode {
    char code;
    uint32 native;
};
constexpr PixelCode kPixelCodes[]
    = {{'.', 0x000000}, {'#', 0xFFFFFF}, {'r', 0x0000FF}, {'g', 0x00FF00}, {'b', 0xFF0000}, {'y', 0x00FFFF}};

inline KColor nativeColor(uint32 Native)
{
    KColor color;
    color.setNativeColor(Native);
    return color;
}

inline PixelRows pixelRows(const KGraphicDevice& Device, short Left, short Top, short Width, short Height)
{
    PixelRows rows(size_t(Height), std::string(size_t(Width), '?'));
    for (short y = 0; y < Height; ++y) {
        for (short x = 0; x < Width; ++x) {
            const uint32 native = Device.getPixel(short(Left + x), short(Top + y)).getNativeColor();
            for (const PixelCode& c : kPixelCodes)
                if (native == c.native)
                    rows[size_t(y)][size_t(x)] = c.code;
        }
    }
    return rows;
}

inline PixelRows pixelRows(KImage& Image)
{
    return pixelRows(Image.getGraphicDevice(), 0, 0, Image.getSize().getWidth(), Image.getSize().getHeight());
}

// A new image of the picture's size, painted with it ('?' is left black).
inline void makePicture(KImage& Image, const PixelRows& Rows)
{
    Image.create(short(Rows[0].size()), short(Rows.size()));
    for (size_t y = 0; y < Rows.size(); ++y)
        for (size_t x = 0; x < Rows[y].size(); ++x)
            for (const PixelCode& c : kPixelCodes)
                if (Rows[y][x] == c.code)
                    Image.getGraphicDevice().setPixel(short(x), short(y), nativeColor(c.native));
}

// Class blocks ----------------------------------------------------------------------------

inline Bytes oneSectionBlock(const char* ClassName, const Bytes& Payload)
{
    return ByteList().append(BlockFile::header(ClassName, long(Payload.size()) + 8)).append(Payload);
}

inline Bytes stringBlock(const std::string& Text)
{
    return oneSectionBlock("KString", ByteList().shorts({1}).longs({long(Text.size())}).text(Text + '\0'));
}

// A big-endian IEEE double.
inline Bytes doubleBytes(double Value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &Value, sizeof bits);
    Bytes bytes;
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<unsigned char>(bits >> shift));
    return bytes;
}

inline Bytes colorBlock(int Red, int Green, int Blue, double Transparency = 0.0)
{
    return oneSectionBlock("KColor", ByteList().shorts({Red, Green, Blue}).append(doubleBytes(Transparency)));
}

// File types and fixtures -----------------------------------------------------------------

// Images find their reader by the registered file types, which the application object
// registers in the program.
inline void registerFrameworkFileTypes()
{
    if (!KFileTypeHandler::hasExtension(KString("BMP")))
        KFileTypeHandler::registerFrameworkTypes();
}

inline const KFileType& fileTypeOf(const char* Extension)
{
    return KFileTypeHandler::getAssociationByExtension(KString(Extension));
}

inline Bytes fixture(const char* Name)
{
    return readBytes(std::string(K_SOURCE_DIR) + "/tests/graphics/fixtures/" + Name);
}
