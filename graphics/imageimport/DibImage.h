#pragma once
// The in-memory image of the image-import layer: one packed Windows DIB (header, palette
// and bottom-up pixel rows in one block), the import information the decoders fill in, and
// optional alpha and selection planes. Every decoder derives from it; KImage draws from it.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>

class ImageStream;

class DibImage {
public:
    // The format codes of the decoders.
    enum Format : long {
        FormatBmp = 0,
        FormatGif = 1,
        FormatJpeg = 2,
        FormatPng = 3,
        FormatIco = 4,
        FormatTiff = 5,
        FormatTga = 6,
        FormatPcx = 7,
        FormatWbmp = 8,
        FormatMetafile = 9,
    };
    // Image sizes are 16-bit quantities elsewhere in the system.
    static constexpr long MaxSide = 32767;
    static constexpr size_t ErrorTextSize = 256;

    explicit DibImage(long format = FormatBmp);
    DibImage(long width, long height, long bitCount, long format);
    DibImage(const DibImage& source, bool copyPixels, bool copySelection, bool copyAlpha);
    // Decodes the file; on failure the image is empty and getLastError says why.
    DibImage(const char* path, long format);
    virtual ~DibImage();
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    void reset(long format);
    void destroy();
    // Makes a zero-filled image; null (and an empty image) for sides outside 1 to 32767 or
    // when the memory cannot be had. Bit counts become 1, 4, 8 or 24.
    uint8_t* create(long width, long height, long bitCount, long format);
    void transfer(DibImage& from);
    void copyInfo(const DibImage& source);
    bool copyFrom(const DibImage& source, bool copyPixels, bool copySelection, bool copyAlpha);

    long getFormat() const { return m_info.format; }
    long getWidth() const { return m_header.biWidth; }
    long getHeight() const { return m_header.biHeight; }
    int getBitCount() const { return m_header.biBitCount; }
    uint32_t getStride() const { return m_info.stride; }
    const BITMAPINFOHEADER& getHeader() const { return m_header; }
    // The packed DIB: header, palette, pixel rows.
    const uint8_t* getDib() const { return m_dib.get(); }
    uint8_t* getBits() const;
    uint32_t getDibSize() const;
    uint32_t getPaletteSize() const { return m_header.biClrUsed * 4; }
    RGBQUAD* getPalette() const;
    bool isValid() const { return m_dib != nullptr; }
    bool isInside(long x, long y) const;
    const char* getLastError() const { return m_info.lastError; }
    void setLastError(const char* text);

    long getFrame() const { return m_info.frame; }
    void setFrame(long frame) { m_info.frame = frame; }
    long getNumFrames() const { return m_info.numFrames; }
    void setNumFrames(long count) { m_info.numFrames = count; }
    long getFrameDelay() const { return m_info.frameDelay; }
    void setFrameDelay(long delay) { m_info.frameDelay = delay; }
    long getEscape() const { return m_info.escape; }
    void setEscape(long escape) { m_info.escape = escape; }
    uint8_t getQuality() const { return m_info.quality; }
    long getTransIndex() const { return m_info.transIndex; }
    void setTransIndex(long index) { m_info.transIndex = index; }
    void setTransColor(RGBQUAD colour) { m_info.transColor = colour; }
    RGBQUAD getTransColor() const;
    long getXDpi() const { return m_info.xDpi; }
    long getYDpi() const { return m_info.yDpi; }
    void setXDpi(long dpi);
    void setYDpi(long dpi);
    long getXOffset() const { return m_info.xOffset; }
    long getYOffset() const { return m_info.yOffset; }
    void setOffset(long x, long y);
    bool isAlphaPaletteEnabled() const { return m_info.alphaPalette; }
    void setAlphaPaletteEnabled(bool enabled) { m_info.alphaPalette = enabled; }
    uint8_t getAlphaMax() const { return m_info.alphaMax; }
    void setAlphaMax(uint8_t maximum) { m_info.alphaMax = maximum; }
    bool isEnabled() const { return m_info.enabled; }
    void setEnabled(bool enabled) { m_info.enabled = enabled; }
    const RECT& getSelectionBox() const { return m_info.selectionBox; }

    // Palette.
    void setPaletteColor(uint32_t index, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 0);
    RGBQUAD getPaletteColor(uint32_t index) const;
    void setPalette(const RGBQUAD* entries, uint32_t count);
    void setPaletteRgbArrays(uint32_t count, const uint8_t* red, const uint8_t* green, const uint8_t* blue);
    void setPaletteRgbTriples(const uint8_t* rgb, uint32_t count);
    void setGrayPalette();
    uint8_t getNearestIndex(RGBQUAD colour) const;

    // Pixels; x from the left, y from the bottom row, as stored.
    uint8_t getPixelIndex(long x, long y) const;
    void setPixelIndex(long x, long y, uint8_t index);
    RGBQUAD getPixelColor(long x, long y) const;
    void setPixelColor(long x, long y, RGBQUAD colour);
    void setPixelColorRef(long x, long y, COLORREF colour);

    // Alpha plane: one byte a pixel, rows in the order of the pixel rows.
    uint8_t* alphaCreate();
    void alphaDelete();
    void alphaClear(uint8_t value);
    void alphaSet(long x, long y, uint8_t alpha);
    uint8_t alphaGet(long x, long y) const;
    // Row y of the alpha plane, for decoders that store whole rows; null without a plane
    // or outside the image.
    uint8_t* alphaRow(long y) const
    {
        return m_alpha && y >= 0 && y < getHeight() ? m_alpha.get() + size_t(y) * size_t(getWidth()) : nullptr;
    }
    bool alphaFlip();
    bool alphaMirror();
    bool isAlphaValid() const { return m_alpha != nullptr; }
    void selectionDelete();
    bool hasSelection() const { return m_selection != nullptr; }

    // Turns 16-bit (masked) or 32-bit source rows into this 24-bit image's rows. The
    // source may be this image's own pixel buffer: the walk runs backwards.
    void convertPixels(const uint8_t* source, uint32_t redMask, uint32_t greenMask, uint32_t blueMask, int bitCount);
    // Widens one row of 2-bit pixels, in place, to the 4-bit layout of this image.
    void expand2To4Bits(uint8_t* row) const;

    // Whole-image transforms; each builds the result aside and moves it into place.
    bool flip();
    bool mirror();
    bool rotateLeft(DibImage* destination = nullptr);
    bool rotateRight(DibImage* destination = nullptr);

    // Draws at (x, y) with size cx × cy (negative: the image's own), blending with what
    // the device holds where the image is transparent or has alpha.
    bool drawToDevice(HDC dc, long x, long y, long cx = -1, long cy = -1, const RECT* clip = nullptr) const;

    bool loadFromFile(const char* path, long format);
    bool loadFromStream(FILE* file, long format);
    // Runs the decoder of the format and takes over its result.
    bool decode(ImageStream* stream, long format);

    // Windows global-memory DIBs (header, palette, pixels), used to save and draw bitmaps.
    static HGLOBAL createFromBitmap(HBITMAP bitmap, HPALETTE palette);
    static bool writeBmp(HGLOBAL dib, HANDLE file);
    static int stretchDraw(HGLOBAL dib, HDC dc, const RECT* destination, const RECT* source);
    static bool getDibDimensions(HGLOBAL dib, long* width, long* height);

protected:
    // Decoders report failure by throwing their message text; this runs one and turns
    // what it throws into the last-error text and a false result. A failed decode keeps
    // nothing of what it had allocated, so the image cannot pass for a valid one.
    template <typename Body>
    bool guardedDecode(Body&& body)
    {
        try {
            body();
            return true;
        } catch (const char* message) {
            destroy();
            setLastError(message);
        } catch (const std::bad_alloc&) {
            destroy();
            setLastError("Can't allocate memory");
        } catch (const std::length_error&) {
            // A buffer sized by damaged data beyond anything memory holds.
            destroy();
            setLastError("Can't allocate memory");
        }
        return false;
    }
    void setDpi(long xDpi, long yDpi);
    void setPelsPerMeter(long x, long y);

private:
    struct ImportInfo {
        uint32_t stride;
        long format;
        char lastError[ErrorTextSize];
        long progress;
        long escape;
        long transIndex;
        RGBQUAD transColor;
        uint8_t quality;
        uint8_t scale;
        long frame;
        long numFrames;
        long frameDelay;
        long xDpi;
        long yDpi;
        RECT selectionBox;
        uint8_t alphaMax;
        bool alphaPalette;
        bool enabled;
        long xOffset;
        long yOffset;
    };

    size_t planeSize() const { return size_t(getWidth()) * size_t(getHeight()); }
    void storeHeader();
    bool drawOpaque(HDC dc, long x, long y, long cx, long cy) const;
    bool drawBlended(HDC dc, long x, long y, long cx, long cy, bool opaque) const;
    bool rotate(DibImage* destination, bool clockwise);

    std::unique_ptr<uint8_t[]> m_dib;
    BITMAPINFOHEADER m_header;
    ImportInfo m_info;
    std::unique_ptr<uint8_t[]> m_selection;
    std::unique_ptr<uint8_t[]> m_alpha;
};

// Helpers on a packed DIB in memory (a BITMAPINFOHEADER or an OS/2 core header first).
HGLOBAL dibFree(HGLOBAL dib);
WORD dibNumColors(const void* header);
WORD dibPaletteSize(const void* header);
uint8_t* dibFindBits(void* header);
