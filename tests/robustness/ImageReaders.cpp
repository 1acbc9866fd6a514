// The image decoders, each fed from memory through a stream that bounds the steps a
// decode may take: a decoder that keeps reading a file that has ended, or keeps seeking
// back, runs out of steps and is reported as a hang.
#include "graphics/imageimport/DibImage.h"
#include "graphics/imageimport/ImageStream.h"
#include "tests/robustness/InputReader.h"

#include <algorithm>
#include <cstring>

#include <windows.h>

namespace {

// Far more reads, seeks and single bytes than the largest seed needs.
constexpr long kStepBound = 20000000;

class MemoryImageStream : public ImageStream {
public:
    explicit MemoryImageStream(const Bytes& Data)
        : m_data(Data)
    {
    }

    bool ranOutOfSteps() const { return m_steps > kStepBound; }

    bool close() override { return true; }
    size_t read(void* buffer, size_t size, size_t count) override
    {
        if (!step() || size == 0)
            return 0;
        const size_t left = m_data.size() - m_position;
        const size_t items = std::min(count, left / size);
        if (items == 0)
            return 0;
        std::memcpy(buffer, m_data.data() + m_position, items * size);
        m_position += items * size;
        return items;
    }
    size_t write(const void*, size_t, size_t) override { return 0; }
    bool seek(long offset, int origin) override
    {
        if (!step())
            return false;
        long base = 0;
        if (origin == 1)
            base = static_cast<long>(m_position);
        else if (origin == 2)
            base = static_cast<long>(m_data.size());
        // Positions past the end are allowed, as with a file; reads there give nothing.
        const long long target = static_cast<long long>(base) + offset;
        if (target < 0)
            return false;
        m_position = static_cast<size_t>(std::min<long long>(target, static_cast<long long>(m_data.size())));
        return true;
    }
    long tell() override { return static_cast<long>(m_position); }
    long size() override { return static_cast<long>(m_data.size()); }
    bool flush() override { return true; }
    bool eof() override { return !step() || m_position >= m_data.size(); }
    long error() override { return 0; }
    int getc() override
    {
        if (!step() || m_position >= m_data.size())
            return -1;
        return m_data[m_position++];
    }

private:
    bool step() { return ++m_steps <= kStepBound; }

    const Bytes& m_data;
    size_t m_position = 0;
    long m_steps = 0;
};

class ImageDecoderReader : public InputReader {
public:
    ImageDecoderReader(std::string Name, long Format, DamageProfile::Chunks Chunks)
        : m_name(std::move(Name))
        , m_format(Format)
        , m_chunks(Chunks)
    {
    }

    std::string name() const override { return m_name; }
    std::string regressionFolder() const override { return keptFailuresFolder("graphics", m_name); }
    DamageProfile profile() const override
    {
        DamageProfile profile;
        // PNG, JPEG and (often) TIFF store big-endian numbers; the Windows formats little.
        profile.bigEndian = m_format == DibImage::FormatPng || m_format == DibImage::FormatJpeg;
        profile.chunks = m_chunks;
        return profile;
    }

    Outcome open(const Bytes& Input) override
    {
        MemoryImageStream stream(Input);
        DibImage image(m_format);
        const bool decoded = image.decode(&stream, m_format);
        if (stream.ranOutOfSteps())
            throw StepBoundExceeded("the decoder did not finish within its step bound");
        if (!decoded)
            return Outcome::Refused;
        // What the program does first with an image: its corners and its middle.
        const long w = image.getWidth(), h = image.getHeight();
        for (long y : {0L, h / 2, h - 1})
            for (long x : {0L, w / 2, w - 1})
                (void)image.getPixelColor(x, y);
        return Outcome::Loaded;
    }

protected:
    std::vector<std::string> corpus(const std::string& Folder, const std::vector<std::string>& Suffixes) const
    {
        return filesIn(Folder, Suffixes);
    }
    std::vector<std::string> ownSeeds(const std::vector<std::string>& Suffixes) const
    {
        return filesIn(sourceFolder() + "/tests/robustness/seeds", Suffixes);
    }

private:
    std::string m_name;
    long m_format;
    DamageProfile::Chunks m_chunks;
};

// The decoders whose seeds are the runner's own small pictures and the corpora of the
// libraries' source packages.
class CorpusImageReader : public ImageDecoderReader {
public:
    CorpusImageReader(std::string Name, long Format, std::vector<std::string> Suffixes,
        std::vector<std::string> Corpora, DamageProfile::Chunks Chunks = DamageProfile::RawChunks)
        : ImageDecoderReader(std::move(Name), Format, Chunks)
        , m_suffixes(std::move(Suffixes))
        , m_corpora(std::move(Corpora))
    {
    }

    std::vector<std::string> seedFiles(const std::string&) const override
    {
        std::vector<std::string> files = ownSeeds(m_suffixes);
        for (const std::string& folder : m_corpora) {
            for (const std::string& file : corpus(buildFolder() + "/deps/" + folder, m_suffixes))
                files.push_back(file);
        }
        return files;
    }

private:
    std::vector<std::string> m_suffixes;
    std::vector<std::string> m_corpora;
};

// Metafiles are made by GDI, the platform's own writer of them.
class MetafileReader : public ImageDecoderReader {
public:
    MetafileReader()
        : ImageDecoderReader("wmf", DibImage::FormatMetafile, DamageProfile::RawChunks)
    {
    }

    void writeSeeds(const std::string& Folder) override
    {
        writeFileBytes(Folder + "/placeable.wmf", placeable(windowsMetafile()));
        writeFileBytes(Folder + "/enhanced.emf", enhancedMetafile());
        writeFileBytes(Folder + "/mapped.emf", mappedMetafile());
    }

private:
    static void draw(HDC Dc)
    {
        HBRUSH brush = CreateSolidBrush(RGB(200, 40, 40));
        HGDIOBJ previous = SelectObject(Dc, brush);
        Rectangle(Dc, 0, 0, 60, 40);
        Ellipse(Dc, 10, 5, 50, 35);
        SelectObject(Dc, previous);
        DeleteObject(brush);
        MoveToEx(Dc, 0, 0, nullptr);
        LineTo(Dc, 60, 40);
        TextOutA(Dc, 4, 4, "Aa", 2);
    }
    static Bytes windowsMetafile()
    {
        HDC dc = CreateMetaFileA(nullptr);
        SetWindowOrgEx(dc, 0, 0, nullptr);
        SetWindowExtEx(dc, 60, 40, nullptr);
        draw(dc);
        HMETAFILE metafile = CloseMetaFile(dc);
        Bytes bytes(GetMetaFileBitsEx(metafile, 0, nullptr));
        GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
        DeleteMetaFile(metafile);
        return bytes;
    }
    static Bytes placeable(const Bytes& Metafile)
    {
        const uint16_t words[] = {0xCDD7, 0x9AC6, 0, 0, 0, 60, 40, 96, 0, 0};
        Bytes header;
        uint16_t sum = 0;
        for (uint16_t word : words) {
            header.push_back(static_cast<uint8_t>(word & 0xFF));
            header.push_back(static_cast<uint8_t>(word >> 8));
            sum ^= word;
        }
        header.push_back(static_cast<uint8_t>(sum & 0xFF));
        header.push_back(static_cast<uint8_t>(sum >> 8));
        header.insert(header.end(), Metafile.begin(), Metafile.end());
        return header;
    }
    static Bytes enhancedMetafile()
    {
        RECT frame{0, 0, 1600, 1000};
        HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
        draw(dc);
        return bitsOf(CloseEnhMetaFile(dc));
    }
    // The records of mapping, palettes, bitmaps, paths and spaced text.
    static Bytes mappedMetafile()
    {
        RECT frame{0, 0, 2100, 1500};
        HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowExtEx(dc, 200, 150, nullptr);
        SetViewportExtEx(dc, 80, 60, nullptr);
        SetGraphicsMode(dc, GM_ADVANCED);
        const XFORM turn{0.9f, 0.1f, -0.1f, 0.9f, 5.0f, 3.0f};
        SetWorldTransform(dc, &turn);
        struct {
            WORD version, count;
            PALETTEENTRY entries[2];
        } palette{0x300, 2, {{255, 0, 0, 0}, {0, 0, 255, 0}}};
        HPALETTE logical = CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
        SelectPalette(dc, logical, FALSE);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        const uint8_t pixels[16] = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 255, 255, 255, 0};
        StretchDIBits(dc, 10, 10, 40, 40, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
        const POINT points[] = {{0, 0}, {60, 20}, {30, 90}, {100, 100}, {120, 10}, {150, 140}};
        const INT counts[] = {3, 3};
        PolyPolygon(dc, points, counts, 2);
        BeginPath(dc);
        MoveToEx(dc, 20, 120, nullptr);
        LineTo(dc, 180, 130);
        EndPath(dc);
        StrokePath(dc);
        const INT spacing[] = {12, 12, 12};
        ExtTextOutW(dc, 20, 100, ETO_CLIPPED, &frame, L"Fox", 3, spacing);
        RoundRect(dc, 100, 50, 190, 140, 20, 20);
        HENHMETAFILE metafile = CloseEnhMetaFile(dc);
        DeleteObject(logical);
        return bitsOf(metafile);
    }
    static Bytes bitsOf(HENHMETAFILE metafile)
    {
        Bytes bytes(GetEnhMetaFileBits(metafile, 0, nullptr));
        GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), bytes.data());
        DeleteEnhMetaFile(metafile);
        return bytes;
    }
};

} // namespace

std::vector<std::unique_ptr<InputReader>> makeImageReaders()
{
    std::vector<std::unique_ptr<InputReader>> readers;
    auto add = [&](const char* Name, long Format, std::vector<std::string> Suffixes, std::vector<std::string> Corpora,
                   DamageProfile::Chunks Chunks = DamageProfile::RawChunks) {
        readers.push_back(std::make_unique<CorpusImageReader>(Name, Format, std::move(Suffixes), std::move(Corpora), Chunks));
    };
    add("bmp", DibImage::FormatBmp, {".bmp"}, {"libjpeg-src/testimages"});
    add("gif", DibImage::FormatGif, {".gif"}, {});
    add("jpeg", DibImage::FormatJpeg, {".jpg"}, {"libjpeg-src/testimages"});
    add("png", DibImage::FormatPng, {".png"}, {"libpng-src/contrib/pngsuite", "libpng-src/contrib/testpngs/crashers"},
        DamageProfile::PngChunks);
    add("ico", DibImage::FormatIco, {".ico"}, {});
    add("tiff", DibImage::FormatTiff, {".tif", ".tiff"}, {"libtiff-src/test/images"});
    add("tga", DibImage::FormatTga, {".tga"}, {});
    add("pcx", DibImage::FormatPcx, {".pcx"}, {});
    add("wbmp", DibImage::FormatWbmp, {".wbmp"}, {});
    readers.push_back(std::make_unique<MetafileReader>());
    return readers;
}
