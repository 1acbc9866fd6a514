#include "tests/benchmarks/ImageFiles.h"

#include <cstdio>
#include <cstring>
#include <map>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

namespace bench {

namespace {

void put16(std::vector<uint8_t>& Out, unsigned Value)
{
    Out.push_back(uint8_t(Value));
    Out.push_back(uint8_t(Value >> 8));
}

void put32(std::vector<uint8_t>& Out, uint32_t Value)
{
    put16(Out, Value & 0xFFFF);
    put16(Out, Value >> 16);
}

bool writeBytes(const std::string& Path, const std::vector<uint8_t>& Bytes)
{
    FILE* file = std::fopen(Path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(Bytes.data(), 1, Bytes.size(), file) == Bytes.size();
    return std::fclose(file) == 0 && written;
}

const uint8_t* pixelAt(const Picture& P, long X, long Y) { return &P.rgb[(size_t(Y) * P.width + X) * 3]; }

uint8_t paletteIndex(const uint8_t* Rgb) { return uint8_t((Rgb[0] & 0xE0) | ((Rgb[1] >> 3) & 0x1C) | (Rgb[2] >> 6)); }

} // namespace

Picture makeScene(long Width, long Height)
{
    Picture picture;
    picture.width = Width;
    picture.height = Height;
    picture.rgb.resize(size_t(Width) * Height * 3);
    uint32_t noise = 12345;
    for (long y = 0; y < Height; ++y) {
        for (long x = 0; x < Width; ++x) {
            uint8_t* p = &picture.rgb[(size_t(y) * Width + x) * 3];
            // A sky-like gradient with the grain of a photograph, three flat discs and a
            // noisy field in the lower right.
            noise = noise * 1103515245u + 12345u;
            const int grain = int((noise >> 16) & 15) - 8;
            p[0] = uint8_t(64 + 128 * y / Height + grain);
            p[1] = uint8_t(96 + 96 * x / Width + grain);
            p[2] = uint8_t(200 + grain);
            const long discs[3][3] = {{Width / 4, Height / 3, Height / 5}, {Width / 2, Height / 2, Height / 6},
                                      {3 * Width / 4, Height / 4, Height / 8}};
            for (int d = 0; d < 3; ++d) {
                const long dx = x - discs[d][0], dy = y - discs[d][1];
                if (dx * dx + dy * dy < discs[d][2] * discs[d][2]) {
                    p[0] = uint8_t(40 * d + 20);
                    p[1] = uint8_t(200 - 50 * d);
                    p[2] = uint8_t(30 + 60 * d);
                }
            }
            if (x > Width * 2 / 3 && y > Height * 2 / 3) {
                noise = noise * 1103515245u + 12345u;
                p[0] = uint8_t(noise >> 16);
                p[1] = uint8_t(noise >> 8);
                p[2] = uint8_t(p[0] ^ p[1]);
            }
        }
    }
    return picture;
}

bool writeBmp(const std::string& Path, const Picture& P)
{
    const uint32_t stride = uint32_t((P.width * 3 + 3) & ~3);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + stride * P.height);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, uint32_t(P.width));
    put32(out, uint32_t(P.height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, stride * P.height);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (long y = P.height - 1; y >= 0; --y) {
        for (long x = 0; x < P.width; ++x) {
            const uint8_t* p = pixelAt(P, x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        for (uint32_t pad = uint32_t(P.width * 3); pad < stride; ++pad)
            out.push_back(0);
    }
    return writeBytes(Path, out);
}

bool writeGif(const std::string& Path, const Picture& P)
{
    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '7', 'a'};
    put16(out, unsigned(P.width));
    put16(out, unsigned(P.height));
    out.push_back(0xF7); // global table of 256 entries
    out.push_back(0);
    out.push_back(0);
    for (int i = 0; i < 256; ++i) {
        out.push_back(uint8_t(i & 0xE0));
        out.push_back(uint8_t((i & 0x1C) << 3));
        out.push_back(uint8_t((i & 0x03) << 6));
    }
    out.push_back(',');
    put16(out, 0);
    put16(out, 0);
    put16(out, unsigned(P.width));
    put16(out, unsigned(P.height));
    out.push_back(0);
    const int minimum = 8;
    out.push_back(uint8_t(minimum));

    // LZW codes into a bit stream, least significant bit first.
    std::vector<uint8_t> data;
    uint32_t buffer = 0;
    int bits = 0;
    int codeSize = minimum + 1;
    auto emit = [&](int Code) {
        buffer |= uint32_t(Code) << bits;
        bits += codeSize;
        while (bits >= 8) {
            data.push_back(uint8_t(buffer));
            buffer >>= 8;
            bits -= 8;
        }
    };
    const int clear = 1 << minimum, end = clear + 1;
    std::map<uint32_t, int> table;
    int next = end + 1;
    emit(clear);
    int current = -1;
    for (long y = 0; y < P.height; ++y) {
        for (long x = 0; x < P.width; ++x) {
            const int index = paletteIndex(pixelAt(P, x, y));
            if (current < 0) {
                current = index;
                continue;
            }
            const uint32_t key = uint32_t(current) << 8 | uint32_t(index);
            const auto found = table.find(key);
            if (found != table.end()) {
                current = found->second;
                continue;
            }
            emit(current);
            if (next < 4096) {
                table[key] = next++;
                if (next > (1 << codeSize) && codeSize < 12)
                    ++codeSize;
            } else {
                emit(clear);
                table.clear();
                next = end + 1;
                codeSize = minimum + 1;
            }
            current = index;
        }
    }
    emit(current);
    emit(end);
    if (bits > 0)
        data.push_back(uint8_t(buffer));
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t length = std::min<size_t>(255, data.size() - at);
        out.push_back(uint8_t(length));
        out.insert(out.end(), data.begin() + long(at), data.begin() + long(at + length));
    }
    out.push_back(0);
    out.push_back(';');
    return writeBytes(Path, out);
}

bool writePcx(const std::string& Path, const Picture& P)
{
    std::vector<uint8_t> out(128, 0);
    out[0] = 10;
    out[1] = 5;
    out[2] = 1;
    out[3] = 8;
    out[8] = uint8_t(P.width - 1);
    out[9] = uint8_t((P.width - 1) >> 8);
    out[10] = uint8_t(P.height - 1);
    out[11] = uint8_t((P.height - 1) >> 8);
    out[12] = 72;
    out[14] = 72;
    out[65] = 3;
    const long bytesPerLine = (P.width + 1) & ~1L;
    out[66] = uint8_t(bytesPerLine);
    out[67] = uint8_t(bytesPerLine >> 8);
    std::vector<uint8_t> plane(size_t(bytesPerLine), 0);
    for (long y = 0; y < P.height; ++y) {
        for (int c = 0; c < 3; ++c) {
            for (long x = 0; x < P.width; ++x)
                plane[size_t(x)] = pixelAt(P, x, y)[c];
            for (long x = 0; x < bytesPerLine;) {
                long run = 1;
                while (x + run < bytesPerLine && run < 63 && plane[size_t(x + run)] == plane[size_t(x)])
                    ++run;
                if (run > 1 || (plane[size_t(x)] & 0xC0) == 0xC0)
                    out.push_back(uint8_t(0xC0 | run));
                out.push_back(plane[size_t(x)]);
                x += run;
            }
        }
    }
    return writeBytes(Path, out);
}

bool writeTga(const std::string& Path, const Picture& P)
{
    std::vector<uint8_t> out(18, 0);
    out[2] = 10;
    out[12] = uint8_t(P.width);
    out[13] = uint8_t(P.width >> 8);
    out[14] = uint8_t(P.height);
    out[15] = uint8_t(P.height >> 8);
    out[16] = 24;
    std::vector<uint8_t> row(size_t(P.width) * 3);
    for (long y = P.height - 1; y >= 0; --y) {
        for (long x = 0; x < P.width; ++x) {
            const uint8_t* p = pixelAt(P, x, y);
            row[size_t(x) * 3] = p[2];
            row[size_t(x) * 3 + 1] = p[1];
            row[size_t(x) * 3 + 2] = p[0];
        }
        auto same = [&](long A, long B) { return std::memcmp(&row[size_t(A) * 3], &row[size_t(B) * 3], 3) == 0; };
        for (long x = 0; x < P.width;) {
            long run = 1;
            while (x + run < P.width && run < 128 && same(x, x + run))
                ++run;
            if (run > 1) {
                out.push_back(uint8_t(0x80 | (run - 1)));
                out.insert(out.end(), row.begin() + x * 3, row.begin() + x * 3 + 3);
                x += run;
                continue;
            }
            long literal = 1;
            while (x + literal < P.width && literal < 128 && !(x + literal + 1 < P.width && same(x + literal, x + literal + 1)))
                ++literal;
            out.push_back(uint8_t(literal - 1));
            out.insert(out.end(), row.begin() + x * 3, row.begin() + (x + literal) * 3);
            x += literal;
        }
    }
    return writeBytes(Path, out);
}

bool writeJpeg(const std::string& Path, const Picture& P, int Quality)
{
    FILE* file = std::fopen(Path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(P.width);
    info.image_height = JDIMENSION(P.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, Quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixelAt(P, 0, long(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

bool writePng(const std::string& Path, const Picture& P)
{
    FILE* file = std::fopen(Path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(P.width), png_uint_32(P.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (long y = 0; y < P.height; ++y)
        png_write_row(png, pixelAt(P, 0, y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

bool writeTiff(const std::string& Path, const Picture& P)
{
    TIFF* tiff = TIFFOpen(Path.c_str(), "w");
    if (!tiff)
        return false;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(P.width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(P.height));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16);
    bool written = true;
    for (long y = 0; y < P.height && written; ++y)
        written = TIFFWriteScanline(tiff, const_cast<uint8_t*>(pixelAt(P, 0, y)), uint32_t(y), 0) >= 0;
    TIFFClose(tiff);
    return written;
}

bool decodeJpegWithLibrary(const std::string& Path, std::vector<uint8_t>& Out)
{
    FILE* file = std::fopen(Path.c_str(), "rb");
    if (!file)
        return false;
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const size_t stride = (size_t(info.output_width) * 3 + 3) & ~size_t(3);
    Out.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &Out[stride * (info.output_height - 1 - info.output_scanline)];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return true;
}

bool decodePngWithLibrary(const std::string& Path, std::vector<uint8_t>& Out)
{
    FILE* file = std::fopen(Path.c_str(), "rb");
    if (!file)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_bgr(png);
    const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    Out.resize(stride * height);
    for (png_uint_32 y = 0; y < height; ++y)
        png_read_row(png, &Out[stride * (height - 1 - y)], nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return true;
}

bool decodeTiffWithLibrary(const std::string& Path, std::vector<uint8_t>& Out)
{
    TIFF* tiff = TIFFOpen(Path.c_str(), "r");
    if (!tiff)
        return false;
    uint32_t width = 0, height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    Out.resize(stride * height + TIFFScanlineSize(tiff));
    bool read = true;
    for (uint32_t y = 0; y < height && read; ++y)
        read = TIFFReadScanline(tiff, &Out[stride * (height - 1 - y)], y, 0) >= 0;
    TIFFClose(tiff);
    return read;
}

} // namespace bench
