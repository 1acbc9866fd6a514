#include "graphics/imageimport/DibImagePng.h"

#include "graphics/imageimport/ImageStream.h"

#include <algorithm>
#include <cstring>

namespace {

void ignoreWarning(png_structp, png_const_charp)
{
}

} // namespace

void DibImagePng::readCallback(png_structp png, png_bytep data, png_size_t length)
{
    auto* stream = static_cast<ImageStream*>(png_get_io_ptr(png));
    if (stream->read(data, 1, length) != length)
        png_error(png, "Read Error");
}

void DibImagePng::errorFunction(png_structp png, png_const_charp message)
{
    auto* text = static_cast<char*>(png_get_error_ptr(png));
    std::strncpy(text, message ? message : "", ErrorTextSize - 1);
    text[ErrorTextSize - 1] = '\0';
    png_longjmp(png, 1);
}

bool DibImagePng::decode(ImageStream* stream)
{
    if (!stream)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) {
        setLastError("Failed to create PNG structure");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        setLastError("Failed to initialize PNG info structure");
        return false;
    }
    char message[ErrorTextSize] = {};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        m_rows.clear();
        setLastError(message);
        destroy();
        return false;
    }
    png_set_read_fn(png, stream, readCallback);
    png_set_error_fn(png, message, errorFunction, ignoreWarning);
    const bool read = readImage(png, info);
    png_destroy_read_struct(&png, &info, nullptr);
    m_rows = std::vector<uint8_t>();
    if (!read)
        destroy();
    return read;
}

// False when cancelled, which leaves the last-error text as it was.
bool DibImagePng::readImage(png_structp png, png_infop info)
{
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    const int colourType = png_get_color_type(png, info);
    const int pixelDepth = bitDepth * png_get_channels(png, info);
    const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;

    png_color_16p fileBackground = nullptr;
    const bool hasBackground = png_get_bKGD(png, info, &fileBackground) != 0;
    if (pixelDepth != 32) {
        // Anything transparent in these is laid over the file's background, or over grey.
        if (hasBackground) {
            png_set_background(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
        } else {
            png_color_16 grey{0, 192, 192, 192, 192};
            png_set_background(png, &grey, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
        }
    } else if (hasBackground) {
        setTransColor(RGBQUAD{uint8_t(fileBackground->blue), uint8_t(fileBackground->green), uint8_t(fileBackground->red), 0});
    }
    if (bitDepth == 16)
        png_set_strip_16(png);

    const int bits = pixelDepth > 16 ? 24 : pixelDepth == 16 ? 8 : pixelDepth;
    if (!create(long(std::min<png_uint_32>(width, 0x7FFFFFFF)), long(std::min<png_uint_32>(height, 0x7FFFFFFF)), bits, FormatPng))
        png_error(png, "Image too large");
    setUpPalette(png, info, bitDepth);

    const bool withAlpha = colourType == PNG_COLOR_TYPE_RGB_ALPHA || (colourType == PNG_COLOR_TYPE_GRAY_ALPHA && pixelDepth == 32);
    if (withAlpha) {
        if (colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
            png_set_gray_to_rgb(png);
            png_set_expand(png);
        }
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
        if (!alphaCreate())
            png_error(png, "Image too large");
    }
    if (colourType & PNG_COLOR_MASK_COLOR)
        png_set_bgr(png);
    if (getEscape())
        return false;

    const int passes = interlaced ? png_set_interlace_handling(png) : 1;
    png_read_update_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    // Interlaced passes each add pixels to rows read before, so those keep the whole
    // picture as libpng gives it until the last pass.
    m_rows.assign(rowBytes * (interlaced ? size_t(height) : 1), 0);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            if (getEscape())
                return false;
            uint8_t* row = &m_rows[interlaced ? size_t(y) * rowBytes : 0];
            png_read_row(png, row, nullptr);
            if (!interlaced)
                storeRow(row, long(y), bitDepth);
        }
    }
    if (interlaced) {
        for (png_uint_32 y = 0; y < height; ++y)
            storeRow(&m_rows[size_t(y) * rowBytes], long(y), bitDepth);
    }
    png_read_end(png, nullptr);
    return true;
}

void DibImagePng::setUpPalette(png_structp png, png_infop info, int bitDepth)
{
    png_colorp palette = nullptr;
    int entries = 0;
    if (png_get_PLTE(png, info, &palette, &entries)) {
        std::vector<uint8_t> triples(size_t(entries) * 3);
        for (int i = 0; i < entries; ++i) {
            triples[3 * size_t(i)] = palette[i].red;
            triples[3 * size_t(i) + 1] = palette[i].green;
            triples[3 * size_t(i) + 2] = palette[i].blue;
        }
        setPaletteRgbTriples(triples.data(), uint32_t(entries));
    } else if (bitDepth == 2) {
        for (uint32_t i = 0; i < 4; ++i)
            setPaletteColor(i, uint8_t(85 * i), uint8_t(85 * i), uint8_t(85 * i), 0);
    } else {
        setGrayPalette();
    }

    // Only palette files carry one alpha value per entry; a grey or colour file's single
    // transparent value is taken care of by the background.
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE || !getPalette()
        || !png_get_tRNS(png, info, &alphas, &alphaCount, nullptr) || !alphas || alphaCount <= 0)
        return;
    const uint32_t colours = getHeader().biClrUsed;
    const uint32_t count = std::min<uint32_t>(uint32_t(alphaCount), colours);
    for (uint32_t i = 0; i < count; ++i)
        getPalette()[i].rgbReserved = alphas[i];
    if (alphaCount == 1 && getPalette()[0].rgbReserved == 0) {
        setTransIndex(0);
        return;
    }
    setAlphaPaletteEnabled(true);
    for (uint32_t i = count; i < colours; ++i)
        getPalette()[i].rgbReserved = 255;
}

void DibImagePng::storeRow(const uint8_t* row, long pictureRow, int fileBitDepth)
{
    const long stored = getHeight() - 1 - pictureRow;
    uint8_t* target = getBits() + size_t(stored) * getStride();
    if (isAlphaValid()) {
        for (long x = 0; x < getWidth(); ++x) {
            std::memcpy(target + 3 * x, row + 4 * x, 3);
            alphaSet(x, stored, row[4 * x + 3]);
        }
        return;
    }
    const size_t rowBytes = getBitCount() == 4 && fileBitDepth == 2 ? (size_t(getWidth()) + 3) / 4
                                                                      : (size_t(getWidth()) * getBitCount() + 7) / 8;
    std::memcpy(target, row, std::min<size_t>(rowBytes, getStride()));
    if (getBitCount() == 4 && fileBitDepth == 2)
        expand2To4Bits(target);
}
