#include "tests/benchmarks/Benchmarks.h"

#include "graphics/imageimport/DibImage.h"
#include "tests/benchmarks/ImageFiles.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace bench {

namespace {

constexpr long kWidth = 2000;
constexpr long kHeight = 1500;

struct Format {
    const char* name;
    const char* extension;
    long code;
    bool (*write)(const std::string&, const Picture&);
    bool (*libraryDecode)(const std::string&, std::vector<uint8_t>&);
    bool own;
};

bool writeJpegFile(const std::string& Path, const Picture& P) { return writeJpeg(Path, P, 85); }

// The decoded size of a DIB: what a decoder must at least store.
size_t decodedSize(const std::string& Path, long Code)
{
    DibImage image(Path.c_str(), Code);
    if (!image.isValid()) {
        std::fprintf(stderr, "%s did not decode: %s\n", Path.c_str(), image.getLastError());
        return 0;
    }
    return size_t(image.getStride()) * size_t(image.getHeight());
}

// One read of the file and one copy of the decoded size: no decoder can do with less.
double floorOf(const std::string& Path, size_t Decoded)
{
    static std::vector<uint8_t> source, pixels, target;
    pixels.resize(Decoded, 1);
    target.resize(Decoded);
    const double start = now();
    FILE* file = std::fopen(Path.c_str(), "rb");
    if (!file)
        return 0;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    source.resize(size_t(size));
    const size_t got = std::fread(source.data(), 1, source.size(), file);
    std::fclose(file);
    std::memcpy(target.data(), pixels.data(), Decoded);
    const double took = now() - start;
    return got == source.size() ? took : 0;
}

// The decoded picture against the scene it was written from, at a few points: a fast
// decoder must still be right.
void checkDecoded(const std::string& Path, long Code, const Picture& Scene)
{
    DibImage image(Path.c_str(), Code);
    if (!image.isValid())
        return;
    long wrong = 0;
    for (long y = 0; y < kHeight; y += 37) {
        for (long x = 0; x < kWidth; x += 41) {
            const RGBQUAD got = image.getPixelColor(x, kHeight - 1 - y);
            const uint8_t* want = &Scene.rgb[(size_t(y) * kWidth + x) * 3];
            if (got.rgbRed != want[0] || got.rgbGreen != want[1] || got.rgbBlue != want[2])
                ++wrong;
        }
    }
    if (wrong > 0)
        std::fprintf(stderr, "%s decoded with %ld pixels off the scene\n", Path.c_str(), wrong);
}

} // namespace

void addDecoderFigures(std::vector<Figure>& Figures, const std::string& Folder)
{
    const Picture scene = makeScene(kWidth, kHeight);
    // GIF keeps 3-3-2 colours: compare it with the scene reduced the same way.
    Picture reduced = scene;
    for (size_t i = 0; i < reduced.rgb.size(); i += 3) {
        reduced.rgb[i] &= 0xE0;
        reduced.rgb[i + 1] &= 0xE0;
        reduced.rgb[i + 2] &= 0xC0;
    }
    const Format formats[] = {
        {"GIF", "gif", DibImage::FormatGif, writeGif, nullptr, true},
        {"PCX", "pcx", DibImage::FormatPcx, writePcx, nullptr, true},
        {"TGA RLE", "tga", DibImage::FormatTga, writeTga, nullptr, true},
        {"BMP", "bmp", DibImage::FormatBmp, writeBmp, nullptr, true},
        {"JPEG", "jpg", DibImage::FormatJpeg, writeJpegFile, decodeJpegWithLibrary, false},
        {"PNG", "png", DibImage::FormatPng, writePng, decodePngWithLibrary, false},
        {"TIFF LZW", "tif", DibImage::FormatTiff, writeTiff, decodeTiffWithLibrary, false},
    };
    for (const Format& format : formats) {
        const std::string path = Folder + "\\decode." + format.extension;
        if (!format.write(path, scene)) {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            continue;
        }
        const size_t decoded = decodedSize(path, format.code);
        if (decoded == 0)
            continue;
        // JPEG is lossy: its pixels are left to the corpus tests.
        if (format.code != DibImage::FormatJpeg)
            checkDecoded(path, format.code, format.code == DibImage::FormatGif ? reduced : scene);
        Figure figure;
        figure.name = std::string("decode ") + format.name + " 2000x1500";
        const long code = format.code;
        figure.measured = [path, code] {
            const double start = now();
            DibImage image(path.c_str(), code);
            return now() - start;
        };
        figure.bytes = double(decoded);
        if (format.own) {
            figure.reference = "floor: read file + copy output";
            figure.referenced = [path, decoded] { return floorOf(path, decoded); };
            if (format.code != DibImage::FormatBmp)
                figure.throughputGoal = 150;
        } else {
            figure.reference = "the library's own decode";
            auto decode = format.libraryDecode;
            figure.referenced = [path, decode] {
                std::vector<uint8_t> pixels;
                const double start = now();
                decode(path, pixels);
                return now() - start;
            };
        }
        Figures.push_back(figure);
    }
}

} // namespace bench
