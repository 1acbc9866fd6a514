// Images: blank bitmaps, loading by file type with BMP files checked against what they
// hold, drawing onto every kind of device, BMP files and the class block with BMP data.
#include "graphics/KImage.h"
#include "graphics/NativeDeviceWin32.h"
#include "foundation/KFileReference.h"
#include "graphics/ImageWin32.h"
#include "graphics/PictImportHook.h"
#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/graphics/ImageBuilders.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// Counts the calls of the load hook.
class CountingImage : public KImage {
public:
    void afterLoad() override { ++loads; }
    int loads = 0;
};

class KImageTest : public testing::Test {
protected:
    void SetUp() override { registerFrameworkFileTypes(); }

    KFileReference reference(const std::string& Name) const { return KFileReference(windowsPath(folder.file(Name))); }
    KFileReference fileWith(const std::string& Name, const Bytes& Content) const
    {
        writeBytes(folder.file(Name), Content);
        return reference(Name);
    }

    TemporaryFolder folder;
    BlockFile blocks{folder.file("block.bin")};
    CountingImage image;
};

const RgbRows kColours = {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0xFFFF00}};
const PixelRows kColourPixels = {"rgb", "#.y"};

TEST_F(KImageTest, ANewImageReadsBlackAndANewBitmapReplacesTheOldOne)
{
    image.create(4, 4);
    HGDIOBJ oldBitmap = image.getNativeImage().bitmap;
    HDC oldContext = getHDCWin32(image.getGraphicDevice());
    image.create(10, 5);
    EXPECT_EQ(GetObjectType(oldBitmap), 0u);
    EXPECT_EQ(GetObjectType(oldContext), 0u);
    EXPECT_EQ(image.getGraphicDevice().getBounds().getWidth(), 10);
    EXPECT_EQ(pixelRows(image), PixelRows(5, ".........."));

    image.disposeNative();
    EXPECT_FALSE(image.hasBitmap());
    EXPECT_FALSE(image.getGraphicDevice().isBound());
    EXPECT_EQ(image.getSize(), KGraphicSize(10, 5));
}

TEST_F(KImageTest, BMPFilesLoadInEitherRowOrderWhateverTheirSizeField)
{
    image.createFromFile(fileWith("up.bmp", bmp24(kColours)));
    EXPECT_EQ(pixelRows(image), kColourPixels);
    EXPECT_EQ(image.loads, 1);
    HGDIOBJ first = image.getNativeImage().bitmap;

    image.createFromFile(fileWith("down.bmp", bmp24(kColours, true)));
    EXPECT_EQ(pixelRows(image), kColourPixels);
    EXPECT_EQ(GetObjectType(first), 0u);

    // Rows of 3 bytes padded to 4, bottom row first.
    image.createFromFile(
        fileWith("palette.bmp", makeBmp({3, 2, 8, 0, {0xFF0000, 0xFFFFFF}, {1, 0, 0, 0, 0, 1, 1, 0}})));
    EXPECT_EQ(pixelRows(image), (PixelRows{"r##", "#rr"}));

    Bytes bytes = bmp24(kColours);
    bytes[2] = bytes[3] = bytes[4] = bytes[5] = 0;
    image.createFromFile(fileWith("nosize.bmp", bytes));
    EXPECT_EQ(pixelRows(image), kColourPixels);
    bytes[5] = 0x7F;
    image.createFromFile(fileWith("hugesize.bmp", bytes));
    EXPECT_EQ(pixelRows(image), kColourPixels);

    // A scaled load stretches the file.
    RgbRows halves(50, std::vector<uint32_t>(100, 0x000000));
    for (auto& row : halves)
        std::fill(row.begin(), row.begin() + 50, 0xFFFFFF);
    image.createFromFileScaled(fileWith("halves.bmp", bmp24(halves)), KGraphicSize(50, 25));
    EXPECT_EQ(image.getSize(), KGraphicSize(50, 25));
    for (const std::string& row : pixelRows(image))
        EXPECT_EQ(row.substr(0, 23) + row.substr(27), std::string(23, '#') + std::string(23, '.'));

    // A width beyond 16 bits wraps around.
    image.createFromFile(fileWith("wide.bmp", bmp24(RgbRows(1, std::vector<uint32_t>(70000, 0xFFFFFF)))));
    EXPECT_EQ(image.getSize(), KGraphicSize(4464, 1));
}

TEST_F(KImageTest, BMPFilesThatDoNotHoldWhatTheySayAreRefused)
{
    const Bytes good = bmp24(kColours);
    std::vector<std::pair<const char*, Bytes>> cases(5, {"", good});
    cases[0].first = "unsigned.bmp";
    cases[0].second[0] = 'X';
    cases[1] = {"truncated.bmp", Bytes(good.begin(), good.end() - 5)};
    cases[2].first = "header.bmp";
    cases[2].second[14] = cases[2].second[15] = 0xFF;
    cases[3].first = "palette.bmp"; // 8 bits per pixel and 255 colours used, which the file does not hold
    cases[3].second[28] = 8;
    cases[3].second[46] = 0xFF;
    cases[4].first = "nowidth.bmp";
    cases[4].second[18] = 0;
    for (const auto& bad : cases) {
        CountingImage refused;
        refused.create(2, 2);
        ReportCatcher catcher;
        refused.createFromFile(fileWith(bad.first, bad.second));
        EXPECT_TRUE(catcher.caught(57, std::string("KImage::createFromFile(const KFileReference& Ref) - ") + bad.first))
            << bad.first;
        EXPECT_EQ(catcher.reports().size(), 1u) << bad.first;
        EXPECT_FALSE(refused.hasBitmap()) << bad.first;
        EXPECT_EQ(refused.loads, 0) << bad.first;
    }
}

TEST_F(KImageTest, OtherFileTypesLoadThroughTheImportLayer)
{
    for (const char* name : {"a.JPEG", "b.Jpg"}) {
        KImage loaded;
        loaded.createFromFile(fileWith(name, fixture("red.jpg")));
        ASSERT_EQ(loaded.getSize(), KGraphicSize(8, 8)) << name;
        EXPECT_GT(loaded.getGraphicDevice().getPixel(4, 4).getRed(), 0xF000) << name;
        EXPECT_LT(loaded.getGraphicDevice().getPixel(4, 4).getGreen(), 0x1000) << name;
    }
    std::vector<uint8_t> rgb;
    for (const auto& row : kColours)
        for (uint32_t colour : row)
            rgb.insert(rgb.end(), {uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour)});
    image.createFromFile(fileWith("colours.png", encodePng({3, 2, PNG_COLOR_TYPE_RGB, 8, rgb})));
    EXPECT_EQ(pixelRows(image), kColourPixels);
    image.createFromFile(fileWith(
        "colours.gif", GifWriter(3, 1, {0xFF0000, 0xFFFFFF, 0x0000FF, 0}).frame(0, 0, 3, 1, {0, 1, 2}).finish()));
    EXPECT_EQ(pixelRows(image), PixelRows{"r#b"});
    image.createFromFile(fileWith("colours.tif", fixture("colours.tif")));
    EXPECT_EQ(pixelRows(image), kColourPixels);
    EXPECT_EQ(image.loads, 3);

    // What does not decode gives an empty image; a type without a reader loads nothing but
    // counts as a load; a missing file or resource changes nothing.
    image.createFromFile(fileWith("broken.png", {1, 2, 3}));
    EXPECT_EQ(image.getSize(), KGraphicSize(0, 0));
    image.create(2, 1);
    const int loads = image.loads;
    image.createFromFile(fileWith("notes.txt", {'h', 'i'}));
    EXPECT_EQ(image.getSize(), KGraphicSize(2, 1));
    image.createFromFile(reference("missing.bmp"));
    EXPECT_TRUE(image.hasBitmap());
    EXPECT_EQ(image.loads, loads + 1);
    image.createFromResource(12345);
    EXPECT_FALSE(image.hasBitmap());
    EXPECT_EQ(image.loads, loads + 2);
}

KImage* s_pictImage = nullptr;

TEST_F(KImageTest, PICTFilesGoThroughTheImportHookOnly)
{
    const KFileReference pict = fileWith("movie.pct", {0});
    image.createFromFile(pict);
    EXPECT_FALSE(image.hasBitmap());
    setPictImportHook([](KImage& Image, const KFileReference&) { s_pictImage = &Image; });
    image.createFromFile(pict);
    setPictImportHook(nullptr);
    EXPECT_EQ(s_pictImage, &image);
    EXPECT_EQ(image.loads, 2);
}

TEST_F(KImageTest, ImagesDrawOntoImagesAndOntoForeignContexts)
{
    makePicture(image, kColourPixels);
    KImage target;
    target.create(5, 3);
    image.drawAt(target.getGraphicDevice(), KGraphicPoint(1, 1));
    EXPECT_EQ(pixelRows(target), (PixelRows{".....", ".rgb.", ".#.y."}));
    image.drawPart(target.getGraphicDevice(), KGraphicRectangle(1, 0, 2, 2), KGraphicRectangle(0, 0, 2, 2));
    EXPECT_EQ(pixelRows(target), (PixelRows{"gb...", ".ygb.", ".#.y."}));

    // A context owned elsewhere (a printer's, say) takes the image through a DIB.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 2);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 4, 2, BLACKNESS);
    {
        KGraphicDevice foreign;
        foreign.initBoundsFromNative(createAndInitNativeDeviceWin32(dc));
        image.drawAt(foreign, KGraphicPoint(1, 0));
        EXPECT_EQ(pixelRows(foreign, 0, 0, 4, 2), (PixelRows{".rgb", ".#.y"}));
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(KImageTest, SavingWritesABMPFileOnlyForTheBMPType)
{
    makePicture(image, kColourPixels);
    image.saveAsBMP(reference("saved.bmp"));
    const Bytes saved = readBytes(folder.file("saved.bmp"));
    // 24 bits: rows of 9 bytes padded to 12.
    ASSERT_EQ(saved.size(), 14u + 40u + 24u);
    EXPECT_EQ(saved[28], 24);
    KImage loaded;
    loaded.createFromFile(reference("saved.bmp"));
    EXPECT_EQ(pixelRows(loaded), kColourPixels);

    writeBytes(folder.file("keep.png"), {'k', 'e', 'e', 'p'});
    image.saveAsBMP(reference("keep.png"));
    EXPECT_EQ(readBytes(folder.file("keep.png")), (Bytes{'k', 'e', 'e', 'p'}));
    // The type given with a path decides, not the path's extension.
    image.saveAsBMPFileName(windowsPath(folder.file("picture.dat")), fileTypeOf("BMP"));
    EXPECT_EQ(readBytes(folder.file("picture.dat")).size(), 78u);
    image.saveAsBMPFileName(windowsPath(folder.file("other.bmp")), fileTypeOf("PNG"));
    EXPECT_TRUE(readBytes(folder.file("other.bmp")).empty());
}

TEST_F(KImageTest, TheBlockCarriesTheSizeAndTheBMPData)
{
    makePicture(image, kColourPixels);
    const Bytes block = blocks.written(image);
    const long sizeValue = 3 * image.getGraphicDevice().getPixelDepth() * 2 / 8;
    const Bytes objectBlock
        = oneSectionBlock("KGraphicObject", ByteList().append(BlockFile::header("KGraphicSize", 12)).shorts({3, 2}));
    const Bytes expectedStart = ByteList()
                                    .append(BlockFile::header("KImage", long(8 + objectBlock.size() + 4 + 78)))
                                    .append(objectBlock)
                                    .longs({sizeValue})
                                    .raw({'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0, 2})
                                    .bytes();
    ASSERT_EQ(block.size(), expectedStart.size() - 23 + 78);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + long(expectedStart.size())), expectedStart);
    KImage back;
    EXPECT_EQ(blocks.readBack(back), 0);
    EXPECT_EQ(pixelRows(back), kColourPixels);

    // Without a bitmap, it reads back without one.
    KImage empty;
    blocks.written(empty);
    EXPECT_EQ(blocks.readBack(back), 0);
    EXPECT_FALSE(back.hasBitmap());
    EXPECT_EQ(back.getSize(), KGraphicSize(0, 0));
}

TEST_F(KImageTest, TheBlocksBMPDataMustFitItsSectionAndItsHeader)
{
    makePicture(image, kColourPixels);
    const Bytes good = blocks.written(image);
    const size_t bmpStart = good.size() - 78;
    KColor after(kRed);
    const Bytes trailer = blocks.written(after);
    for (const auto& damage : {std::make_pair(3, 1), std::make_pair(22, 200)}) {
        // The BMP's size field claims 334 bytes, or the info header 200 rows.
        Bytes content = good;
        content[bmpStart + size_t(damage.first)] = uint8_t(damage.second);
        content.insert(content.end(), trailer.begin(), trailer.end());
        writeBytes(folder.file("damaged.bin"), content);
        ReportCatcher catcher;
        KImage back;
        KColor next(kBlack);
        KFile file(windowsPath(folder.file("damaged.bin")));
        file.open();
        back.readFromFile(file);
        next.readFromFile(file);
        file.close();
        EXPECT_TRUE(catcher.caught(57, "void KImage::readFromFile(KFile& F)"));
        EXPECT_FALSE(back.hasBitmap());
        EXPECT_EQ(next, KColor(kRed));
    }
}

TEST_F(KImageTest, TheRawRecordCarriesBMPDataOnlyForTheBMPType)
{
    const KFileType& png = fileTypeOf("PNG");
    makePicture(image, kColourPixels);
    KImage empty;
    {
        FreshFile file(folder.file("records.bin"));
        image.writeBMPData(*file, fileTypeOf("BMP"));
        image.writeBMPData(*file, png);
        empty.writeBMPData(*file, fileTypeOf("BMP"));
        // An unknown type is reported and its record read past.
        file->writeLong(0x00515151);
        file->writeLong(0);
        file->writeShort(3);
        file->writeShort(2);
        file->close();
    }
    const Bytes records = readBytes(folder.file("records.bin"));
    ASSERT_EQ(records.size(), 12u + 78u + 12u + 12u + 12u);
    EXPECT_EQ(Bytes(records.begin() + 90, records.begin() + 102),
        ByteList()
            .longs({png.getTypeID(), 3 * image.getGraphicDevice().getPixelDepth() * 2 / 8})
            .shorts({3, 2})
            .bytes());

    KFile file(windowsPath(folder.file("records.bin")));
    file.open();
    KImage first, second, third, fourth;
    first.readBMPData(file);
    second.readBMPData(file);
    third.readBMPData(file);
    EXPECT_EQ(file.getPosition(), long(records.size()) - 12);
    ReportCatcher catcher;
    fourth.readBMPData(file);
    EXPECT_EQ(file.getPosition(), long(records.size()));
    file.close();
    EXPECT_EQ(pixelRows(first), kColourPixels);
    EXPECT_FALSE(second.hasBitmap());
    EXPECT_FALSE(third.hasBitmap());
    EXPECT_EQ(catcher.codes(), std::vector<int>{62});
    EXPECT_FALSE(fourth.hasBitmap());
}

} // namespace
