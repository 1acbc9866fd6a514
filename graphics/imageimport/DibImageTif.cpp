#include "graphics/imageimport/DibImageTif.h"

#include "graphics/imageimport/TiffImageStream.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr const char* Corrupted = "Corrupted TIFF file!";
constexpr long MaxPages = 65536;

// Sample `index` of a row, brought to at most 8 bits: 16-bit samples keep their high byte.
uint8_t sampleAt(const uint8_t* row, size_t index, int bits)
{
    switch (bits) {
    case 16:
        return row[2 * index + 1];
    case 8:
        return row[index];
    default: {
        const size_t bit = index * size_t(bits);
        return uint8_t((row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1));
    }
    }
}

} // namespace

bool DibImageTif::decode(ImageStream* stream)
{
    if (!stream)
        return false;
    TIFF* tiff = nullptr;
    const bool decoded = guardedDecode([&] {
        tiff = TiffImageStream::open(stream, "rb");
        if (!tiff)
            throw "Error encountered while opening TIFF file";
        decodeOrThrow(tiff);
    });
    if (tiff)
        TIFFClose(tiff);
    if (!decoded)
        destroy();
    return decoded;
}

long DibImageTif::countPages(TIFF* tiff)
{
    long pages = 1;
    while (pages < MaxPages && TIFFReadDirectory(tiff))
        ++pages;
    return pages;
}

void DibImageTif::decodeOrThrow(TIFF* tiff)
{
    const long pages = countPages(tiff);
    setNumFrames(pages);
    if (getFrame() < 0 || getFrame() >= pages || !TIFFSetDirectory(tiff, tdir_t(getFrame())))
        throw "Error: page not present in TIFF file";

    Fields fields;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &fields.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &fields.height);
    TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &fields.samplesPerPixel);
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &fields.bitsPerSample);
    TIFFGetField(tiff, TIFFTAG_ROWSPERSTRIP, &fields.rowsPerStrip);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &fields.photometric);
    TIFFGetField(tiff, TIFFTAG_ORIENTATION, &fields.orientation);
    TIFFGetField(tiff, TIFFTAG_SAMPLEFORMAT, &fields.sampleFormat);
    TIFFGetField(tiff, TIFFTAG_PLANARCONFIG, &fields.planarConfig);
    float value = 0;
    // Absent resolutions and positions keep the image's defaults.
    if (TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &value))
        setXDpi(long(value));
    if (TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &value))
        setYDpi(long(value));
    float x = 0, y = 0;
    TIFFGetField(tiff, TIFFTAG_XPOSITION, &x);
    TIFFGetField(tiff, TIFFTAG_YPOSITION, &y);
    setOffset(long(x), long(y));
    setTransIndex(-1);
    if (fields.height < fields.rowsPerStrip) {
        fields.rowsPerStrip = fields.height;
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, fields.rowsPerStrip);
    }
    if (fields.rowsPerStrip == 0)
        throw Corrupted;

    if (readsByStrips(tiff, fields))
        readStrips(tiff, fields);
    else
        readRgba(tiff, fields);
}

// The strip reader takes what it can show as indices: grey and palette images of one
// sample (or grey with alpha) in plain unsigned samples. Everything else goes to libtiff's
// own RGBA reader.
bool DibImageTif::readsByStrips(TIFF* tiff, const Fields& fields)
{
    const uint16_t bits = fields.bitsPerSample;
    if (fields.photometric == PHOTOMETRIC_RGB)
        return false;
    if (fields.photometric != PHOTOMETRIC_MINISWHITE && fields.photometric != PHOTOMETRIC_MINISBLACK
        && fields.photometric != PHOTOMETRIC_PALETTE)
        return false;
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && !(bits == 16 && fields.photometric != PHOTOMETRIC_PALETTE))
        return false;
    if (fields.samplesPerPixel < 1 || fields.samplesPerPixel > 2 || fields.sampleFormat != SAMPLEFORMAT_UINT)
        return false;
    if (fields.samplesPerPixel > 1 && fields.planarConfig != PLANARCONFIG_CONTIG)
        return false;
    return !TIFFIsTiled(tiff);
}

void DibImageTif::readRgba(TIFF* tiff, const Fields& fields)
{
    // The raster is width × height × 4 bytes, which must fit libtiff's signed sizes.
    const uint64_t rasterSize = uint64_t(fields.width) * fields.height * 4;
    if (rasterSize > uint64_t(INT32_MAX) || rasterSize == 0)
        throw "No space for raster buffer";
    if (getEscape())
        throw "Cancelled";
    if (!create(long(fields.width), long(fields.height), 24, FormatTiff))
        throw "No space for raster buffer";
    // A fourth sample, or a second one beside grey, is alpha; libtiff's raster carries it.
    const bool withAlpha = fields.samplesPerPixel == 4 || fields.samplesPerPixel == 2;
    if (withAlpha && !alphaCreate())
        throw "No space for raster buffer";
    std::vector<uint32_t> raster;
    raster.resize(size_t(fields.width) * fields.height);
    readColoursAsStored(tiff);
    if (!TIFFReadRGBAImage(tiff, fields.width, fields.height, raster.data(), 1))
        throw Corrupted;
    // libtiff's raster is bottom-up, like the image.
    for (long y = 0; y < getHeight(); ++y) {
        if (getEscape())
            throw "Cancelled";
        uint8_t* row = getBits() + size_t(y) * getStride();
        const uint32_t* source = &raster[size_t(y) * fields.width];
        for (long x = 0; x < getWidth(); ++x) {
            const uint32_t pixel = source[x];
            row[3 * x] = uint8_t(TIFFGetB(pixel));
            row[3 * x + 1] = uint8_t(TIFFGetG(pixel));
            row[3 * x + 2] = uint8_t(TIFFGetR(pixel));
            if (withAlpha)
                alphaSet(x, y, uint8_t(TIFFGetA(pixel)));
        }
    }
}

// libtiff's RGBA reader multiplies an unassociated alpha into the colours it hands back,
// and at low alpha the colours cannot be recovered from that. The image keeps plain
// colours beside its alpha, as the file stores them, so the alpha is declared associated
// for the read: libtiff then passes the samples through as they are.
void DibImageTif::readColoursAsStored(TIFF* tiff)
{
    uint16_t count = 0;
    uint16_t* kinds = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &count, &kinds) || count == 0 || !kinds
        || kinds[0] != EXTRASAMPLE_UNASSALPHA)
        return;
    // A copy: libtiff frees the field's own array before it takes the new values.
    std::vector<uint16_t> associated(kinds, kinds + count);
    associated[0] = EXTRASAMPLE_ASSOCALPHA;
    TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, count, associated.data());
}

void DibImageTif::readStrips(TIFF* tiff, const Fields& fields)
{
    const uint16_t bits = fields.bitsPerSample;
    const int imageBits = bits == 1 ? 1 : bits == 4 ? 4 : 8;
    if (getEscape())
        throw "Cancelled";
    if (!create(long(std::min<uint32_t>(fields.width, INT32_MAX)), long(std::min<uint32_t>(fields.height, INT32_MAX)),
                imageBits, FormatTiff))
        throw "TIFF Create failed";
    if (fields.samplesPerPixel == 2 && bits == 8 && !alphaCreate())
        throw "TIFF Create failed";
    buildPalette(tiff, fields);

    const size_t line = (size_t(bits) * fields.width * fields.samplesPerPixel + 7) / 8;
    const size_t stripBytes = std::max<size_t>(size_t(std::max<tmsize_t>(TIFFStripSize(tiff), 0)), line * fields.rowsPerStrip);
    std::vector<uint8_t> strip(stripBytes);
    for (uint32_t y = 0; y < fields.height; y += fields.rowsPerStrip) {
        if (getEscape())
            throw "Cancelled";
        const uint32_t rows = std::min(fields.rowsPerStrip, fields.height - y);
        std::fill(strip.begin(), strip.end(), 0);
        if (TIFFReadEncodedStrip(tiff, TIFFComputeStrip(tiff, y, 0), strip.data(), tmsize_t(rows * line)) == -1)
            throw Corrupted;
        for (uint32_t k = 0; k < rows; ++k)
            storeStripRow(&strip[k * line], long(y + k), fields);
    }
    applyOrientation(fields.orientation);
}

void DibImageTif::buildPalette(TIFF* tiff, const Fields& fields)
{
    std::vector<RGBQUAD> palette(256, RGBQUAD{0, 0, 0, 0});
    const uint32_t levels = std::min<uint32_t>(1u << std::min<uint16_t>(fields.bitsPerSample, 8), 256);
    if (fields.photometric == PHOTOMETRIC_MINISWHITE || fields.photometric == PHOTOMETRIC_MINISBLACK) {
        // A ramp over the levels the samples have, so that 2-bit greys reach white too.
        const bool whiteIsZero = fields.photometric == PHOTOMETRIC_MINISWHITE;
        const uint32_t step = 255 / (levels - 1);
        for (uint32_t i = 0; i < levels; ++i) {
            const uint8_t grey = uint8_t(whiteIsZero ? 255 - step * i : step * i);
            palette[i] = RGBQUAD{grey, grey, grey, 0};
        }
    } else if (fields.photometric == PHOTOMETRIC_PALETTE) {
        uint16_t* red = nullptr;
        uint16_t* green = nullptr;
        uint16_t* blue = nullptr;
        if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue)
            throw Corrupted;
        // Old writers stored 8-bit maps: only maps with a value above 255 are 16-bit.
        bool wide = false;
        for (uint32_t i = 0; i < levels && !wide; ++i)
            wide = red[i] >= 256 || green[i] >= 256 || blue[i] >= 256;
        auto scale = [wide](uint16_t value) { return uint8_t(wide ? uint32_t(value) * 255 / 65535 : value); };
        for (uint32_t i = 0; i < levels; ++i)
            palette[i] = RGBQUAD{scale(blue[i]), scale(green[i]), scale(red[i]), 0};
    }
    setPalette(palette.data(), getHeader().biClrUsed);
}

void DibImageTif::storeStripRow(const uint8_t* source, long pictureRow, const Fields& fields)
{
    const long stored = getHeight() - 1 - pictureRow;
    const int bits = fields.bitsPerSample;
    uint8_t* target = getBits() + size_t(stored) * getStride();
    if (fields.samplesPerPixel == 1 && bits == getBitCount()) {
        std::memcpy(target, source, std::min<size_t>((size_t(bits) * size_t(getWidth()) + 7) / 8, getStride()));
        return;
    }
    const size_t samples = fields.samplesPerPixel;
    for (long x = 0; x < getWidth(); ++x) {
        setPixelIndex(x, stored, sampleAt(source, size_t(x) * samples, bits));
        if (samples == 2)
            alphaSet(x, stored, sampleAt(source, size_t(x) * samples + 1, bits));
    }
}

// The rows were stored as if the first row were the top one; other orientations turn the
// picture into place.
void DibImageTif::applyOrientation(uint16_t orientation)
{
    switch (orientation) {
    case ORIENTATION_TOPRIGHT:
        mirror();
        break;
    case ORIENTATION_BOTRIGHT:
        flip();
        mirror();
        break;
    case ORIENTATION_BOTLEFT:
        flip();
        break;
    case ORIENTATION_LEFTTOP:
        rotateRight();
        mirror();
        break;
    case ORIENTATION_RIGHTTOP:
        rotateRight();
        break;
    case ORIENTATION_RIGHTBOT:
        rotateLeft();
        mirror();
        break;
    case ORIENTATION_LEFTBOT:
        rotateLeft();
        break;
    default:
        break;
    }
}
