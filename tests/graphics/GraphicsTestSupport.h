#pragma once
// Pixel pictures for the drawing tests: a device's pixels as rows of characters, one per
// pixel, so that expectations read like the picture they describe.
#include "graphics/KImage.h"

#include <string>
#include <vector>

using PixelRows = std::vector<std::string>;

// '.' black, '#' white, 'r' red, 'g' green, 'b' blue, 'y' yellow, '?' anything else.
inline char pixelCode(const KColor& Color)
{
    switch (Color.getNativeColor()) {
    case 0x000000: return '.';
    case 0xFFFFFF: return '#';
    case 0x0000FF: return 'r';
    case 0x00FF00: return 'g';
    case 0xFF0000: return 'b';
    case 0x00FFFF: return 'y';
    default: return '?';
    }
}

inline PixelRows pixelRows(const KGraphicDevice& Device, short Left, short Top, short Width, short Height)
{
    PixelRows rows;
    for (short y = Top; y < Top + Height; ++y) {
        std::string row;
        for (short x = Left; x < Left + Width; ++x)
            row += pixelCode(Device.getPixel(x, y));
        rows.push_back(row);
    }
    return rows;
}

inline PixelRows pixelRows(KImage& Image)
{
    return pixelRows(Image.getGraphicDevice(), 0, 0, Image.getSize().getWidth(), Image.getSize().getHeight());
}

// Paints an image from a picture in the codes above ('?' is left black).
inline void paintPixels(KImage& Image, const PixelRows& Rows)
{
    KGraphicDevice& device = Image.getGraphicDevice();
    for (size_t y = 0; y < Rows.size(); ++y) {
        for (size_t x = 0; x < Rows[y].size(); ++x) {
            KColor color(kBlack);
            switch (Rows[y][x]) {
            case '#': color = KColor(kWhite); break;
            case 'r': color = KColor(kRed); break;
            case 'g': color = KColor(kGreen); break;
            case 'b': color = KColor(kBlue); break;
            case 'y': color = KColor(kYellow); break;
            default: break;
            }
            device.setPixel(short(x), short(y), color);
        }
    }
}

// A new image of the picture's size, painted with it.
inline void makePicture(KImage& Image, const PixelRows& Rows)
{
    Image.create(short(Rows.empty() ? 0 : Rows[0].size()), short(Rows.size()));
    paintPixels(Image, Rows);
}

inline KColor nativeColor(uint32 Native)
{
    KColor color;
    color.setNativeColor(Native);
    return color;
}
