// Images: blank bitmaps, loading by file type with BMP files checked against what they
// hold, drawing onto every kind of device, BMP files and the class block with BMP data.
#include "application/NativeDeviceWin32.h"
#include "foundation/KFileReference.h"
#include "graphics/ImageWin32.h"
#include "graphics/KImage.h"
#include "graphics/PictImportHook.h"
#include "tests/graphics/BlockFiles.h"
#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/graphics/ImageFiles.h"
#include "tests/graphics/imageimport/GifWriter.h"
#include "tests/support/ReportCatcher.h"

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

    KFileReference reference(const std::string& Name) const { return KFileReference(windowsPath(files.file(Name))); }
    KFileReference fileWith(const std::string& Name, const Bytes& Content) const
    {
        writeBytes(files.file(Name), Content);
        return reference(Name);
    }

    BlockFiles files;
    CountingImage image;
};

const RgbRows kColours = {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0xFFFF00}};
const PixelRows kColourPixels = {"rgb", "#.y"};

TEST_F(KImageTest, ANewImageReadsBlackEverywhere)
{
    image.create(10, 5);
    EXPECT_TRUE(image.hasBitmap());
    EXPECT_EQ(image.getSize(), KGraphicSize(10, 5));
    EXPECT_EQ(pixelRows(image), PixelRows(5, ".........."));
}

TEST_F(KImageTest, ANewBitmapReplacesTheOldOneAndItsContext)
{
    image.create(4, 4);
    HGDIOBJ oldBitmap = image.getNativeImage().bitmap;
    HDC oldContext = getHDCWin32(image.getGraphicDevice());
    image.create(3, 2);
    EXPECT_EQ(GetObjectType(oldBitmap), 0u);
    EXPECT_EQ(GetObjectType(oldContext), 0u);
    EXPECT_EQ(image.getGraphicDevice().getBounds().getWidth(), 3);

    image.disposeNative();
    EXPECT_FALSE(image.hasBitmap());
    EXPECT_FALSE(image.getGraphicDevice().isBound());
    EXPECT_EQ(image.getSize(), KGraphicSize(3, 2));
}

// Makes its bitmap only when its device is first wanted.
class LazyImage : public KImage {
public:
    void createGraphicDevice() override
    {
        ++calls;
        if (!hasBitmap())
            create(3, 3);
    }
    int calls = 0;
};

TEST_F(KImageTest, TheDeviceHookMayMakeTheBitmap)
{
    LazyImage lazy;
    EXPECT_EQ(pixelRows(lazy.getGraphicDevice(), 0, 0, 3, 1), PixelRows{"..."});
    EXPECT_TRUE(lazy.hasBitmap());
    EXPECT_EQ(lazy.calls, 1);
    lazy.disposeNative();
    EXPECT_EQ(lazy.calls, 1);
}

TEST_F(KImageTest, ABMPFileLoadsWithItsPixelsInEitherRowOrder)
{
    image.createFromFile(fileWith("up.bmp", bmp24(kColours)));
    EXPECT_EQ(pixelRows(image), kColourPixels);
    EXPECT_EQ(image.loads, 1);

    image.createFromFile(fileWith("down.bmp", bmp24(kColours, true)));
    EXPECT_EQ(pixelRows(image), kColourPixels);

    image.createFromFile(fileWith("palette.bmp", bmp8({0xFF0000, 0xFFFFFF}, {{0, 1, 1}, {1, 0, 0}})));
    EXPECT_EQ(pixelRows(image), (PixelRows{"r##", "#rr"}));
}

TEST_F(KImageTest, LoadingASecondFileLeavesOneBitmap)
{
    image.createFromFile(fileWith("first.bmp", bmp24(kColours)));
    HGDIOBJ first = image.getNativeImage().bitmap;
    image.createFromFile(fileWith("second.bmp", bmp24({{0xFFFFFF}})));
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(pixelRows(image), PixelRows{"#"});
}

TEST_F(KImageTest, TheSizeFieldOfABMPIsNotBelieved)
{
    Bytes bytes = bmp24(kColours);
    bytes[2] = bytes[3] = bytes[4] = bytes[5] = 0;
    image.createFromFile(fileWith("nosize.bmp", bytes));
    EXPECT_EQ(pixelRows(image), kColourPixels);

    bytes[5] = 0x7F;
    image.createFromFile(fileWith("hugesize.bmp", bytes));
    EXPECT_EQ(pixelRows(image), kColourPixels);
}

TEST_F(KImageTest, AWidthBeyond16BitsWrapsAround)
{
    RgbRows wide(1, std::vector<uint32_t>(70000, 0xFFFFFF));
    image.createFromFile(fileWith("wide.bmp", bmp24(wide)));
    EXPECT_EQ(image.getSize(), KGraphicSize(4464, 1));
}

TEST_F(KImageTest, BMPFilesThatDoNotHoldWhatTheySayAreRefused)
{
    const Bytes good = bmp24(kColours);
    Bytes unsigned_ = good;
    unsigned_[0] = 'X';
    Bytes truncated(good.begin(), good.end() - 5);
    Bytes hugeHeader = good;
    hugeHeader[14] = 0xFF;
    hugeHeader[15] = 0xFF;
    Bytes hugePalette = good;
    hugePalette[28] = 8;      // 8 bits per pixel
    hugePalette[46] = 0xFF;   // 255 colours used, which the file does not hold
    Bytes noWidth = good;
    noWidth[18] = 0;

    const struct {
        const char* name;
        const Bytes* content;
    } cases[] = {{"unsigned.bmp", &unsigned_}, {"truncated.bmp", &truncated}, {"header.bmp", &hugeHeader},
                 {"palette.bmp", &hugePalette}, {"nowidth.bmp", &noWidth}};
    for (const auto& bad : cases) {
        CountingImage refused;
        refused.create(2, 2);
        ReportCatcher catcher;
        refused.createFromFile(fileWith(bad.name, *bad.content));
        EXPECT_TRUE(catcher.caught(57, std::string("KImage::createFromFile(const KFileReference& Ref) - ") + bad.name))
            << bad.name;
        EXPECT_EQ(catcher.reports().size(), 1u) << bad.name;
        EXPECT_FALSE(refused.hasBitmap()) << bad.name;
        EXPECT_EQ(refused.loads, 0) << bad.name;
    }
}

TEST_F(KImageTest, AMissingFileChangesNothing)
{
    image.create(2, 1);
    image.createFromFile(reference("missing.bmp"));
    EXPECT_TRUE(image.hasBitmap());
    EXPECT_EQ(image.loads, 0);
}

TEST_F(KImageTest, OtherFileTypesLoadNothingButCountAsALoad)
{
    image.create(2, 1);
    image.createFromFile(fileWith("notes.txt", {'h', 'i'}));
    EXPECT_TRUE(image.hasBitmap());
    EXPECT_EQ(image.getSize(), KGraphicSize(2, 1));
    EXPECT_EQ(image.loads, 1);
}

TEST_F(KImageTest, JPEGFilesLoadWhateverTheCaseOfTheirExtension)
{
    for (const char* name : {"a.JPEG", "b.jpg", "c.Jpg", "d.jpeg"}) {
        KImage loaded;
        loaded.createFromFile(fileWith(name, fixture("red.jpg")));
        ASSERT_EQ(loaded.getSize(), KGraphicSize(8, 8)) << name;
        const KColor centre = loaded.getGraphicDevice().getPixel(4, 4);
        EXPECT_GT(centre.getRed(), 0xF000) << name;
        EXPECT_LT(centre.getGreen(), 0x1000) << name;
    }
}

TEST_F(KImageTest, PNGGIFAndTIFFFilesLoadThroughTheImportLayer)
{
    image.createFromFile(fileWith("colours.png", pngFile(kColours)));
    EXPECT_EQ(pixelRows(image), kColourPixels);

    GifWriter gif(3, 1, {0xFF0000, 0xFFFFFF, 0x0000FF, 0x000000});
    gif.frame(0, 0, 3, 1, {0, 1, 2});
    image.createFromFile(fileWith("colours.gif", gif.finish()));
    EXPECT_EQ(pixelRows(image), PixelRows{"r#b"});

    image.createFromFile(fileWith("colours.tif", fixture("colours.tif")));
    EXPECT_EQ(pixelRows(image), kColourPixels);
    EXPECT_EQ(image.loads, 3);
}

TEST_F(KImageTest, AFileThatDoesNotDecodeGivesAnEmptyImage)
{
    image.create(2, 2);
    image.createFromFile(fileWith("broken.png", {1, 2, 3}));
    EXPECT_EQ(image.getSize(), KGraphicSize(0, 0));
}

KImage* s_pictImage = nullptr;
std::string s_pictPath;

void recordPictImport(KImage& Image, const KFileReference& Ref)
{
    s_pictImage = &Image;
    KString text;
    Ref.getPath().getLeafName(text);
    s_pictPath = text.getText();
}

TEST_F(KImageTest, PICTFilesGoThroughTheImportHookOnly)
{
    const KFileReference pict = fileWith("movie.pct", {0});
    image.createFromFile(pict);
    EXPECT_FALSE(image.hasBitmap());

    setPictImportHook(&recordPictImport);
    image.createFromFile(pict);
    setPictImportHook(nullptr);
    EXPECT_EQ(s_pictImage, &image);
    EXPECT_EQ(s_pictPath, "movie.pct");
    EXPECT_EQ(image.loads, 2);
}

TEST_F(KImageTest, ScaledLoadsStretchTheFile)
{
    RgbRows halves(50, std::vector<uint32_t>(100, 0x000000));
    for (auto& row : halves)
        std::fill(row.begin(), row.begin() + 50, 0xFFFFFF);
    image.createFromFileScaled(fileWith("halves.bmp", bmp24(halves)), KGraphicSize(50, 25));
    EXPECT_EQ(image.getSize(), KGraphicSize(50, 25));
    for (const std::string& row : pixelRows(image)) {
        EXPECT_EQ(row.substr(0, 23), std::string(23, '#'));
        EXPECT_EQ(row.substr(27), std::string(23, '.'));
    }
}

TEST_F(KImageTest, AResourceNumberThatNamesNothingLeavesNoBitmap)
{
    image.create(2, 2);
    image.createFromResource(12345);
    EXPECT_FALSE(image.hasBitmap());
    EXPECT_EQ(image.loads, 1);
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

TEST_F(KImageTest, SavingWritesABMPFileThatLoadsBack)
{
    makePicture(image, kColourPixels);
    image.saveAsBMP(reference("saved.bmp"));
    const Bytes saved = readBytes(files.file("saved.bmp"));
    // 24 bits: rows of 9 bytes padded to 12.
    ASSERT_EQ(saved.size(), 14u + 40u + 24u);
    EXPECT_EQ(saved[0], 'B');
    EXPECT_EQ(saved[28], 24);

    KImage loaded;
    loaded.createFromFile(reference("saved.bmp"));
    EXPECT_EQ(pixelRows(loaded), kColourPixels);
}

TEST_F(KImageTest, SavingToAnotherTypeWritesNothing)
{
    makePicture(image, kColourPixels);
    writeBytes(files.file("keep.png"), {'k', 'e', 'e', 'p'});
    image.saveAsBMP(reference("keep.png"));
    EXPECT_EQ(readBytes(files.file("keep.png")), (Bytes{'k', 'e', 'e', 'p'}));

    // The type given with a path decides, not the path's extension.
    image.saveAsBMPFileName(windowsPath(files.file("picture.dat")), fileTypeOf("BMP"));
    EXPECT_EQ(readBytes(files.file("picture.dat")).size(), 78u);
    image.saveAsBMPFileName(windowsPath(files.file("other.bmp")), fileTypeOf("PNG"));
    EXPECT_TRUE(readBytes(files.file("other.bmp")).empty());
}

TEST_F(KImageTest, TheBlockCarriesTheSizeAndTheBMPData)
{
    makePicture(image, kColourPixels);
    const Bytes block = files.written(image);
    const long sizeValue = 3 * image.getGraphicDevice().getPixelDepth() * 2 / 8;
    const Bytes objectBlock = BlockFiles::header("KGraphicObject", 8 + 28)
                                  .append(BlockFiles::header("KGraphicSize", 12).shorts({3, 2}))
                                  .bytes();
    const Bytes expectedStart = BlockFiles::header("KImage", long(8 + objectBlock.size() + 4 + 78))
                                    .append(objectBlock)
                                    .longs({sizeValue})
                                    .raw({'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0, 2})
                                    .bytes();
    ASSERT_EQ(block.size(), expectedStart.size() - 23 + 78);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + long(expectedStart.size())), expectedStart);

    KImage back;
    EXPECT_EQ(files.read(back, block), long(block.size()));
    EXPECT_EQ(pixelRows(back), kColourPixels);
}

TEST_F(KImageTest, AnImageWithoutBitmapReadsBackWithoutOne)
{
    KImage empty;
    const Bytes block = files.written(empty);
    image.create(2, 2);
    EXPECT_EQ(files.read(image, block), long(block.size()));
    EXPECT_FALSE(image.hasBitmap());
    EXPECT_EQ(image.getSize(), KGraphicSize(0, 0));
}

TEST_F(KImageTest, TheBlocksBMPDataMustFitItsSectionAndItsHeader)
{
    makePicture(image, kColourPixels);
    const Bytes good = files.written(image);
    const size_t bmpStart = good.size() - 78;
    KColor after(kRed);
    const Bytes trailer = files.written(after);

    Bytes tooLong = good;
    tooLong[bmpStart + 3] = 1; // the BMP's size field claims 334 bytes
    Bytes shortPixels = good;
    shortPixels[bmpStart + 22] = 200; // the info header claims 200 rows

    for (const Bytes* bad : {&tooLong, &shortPixels}) {
        ReportCatcher catcher;
        KImage back;
        Bytes content = *bad;
        content.insert(content.end(), trailer.begin(), trailer.end());
        writeBytes(files.file("damaged.bin"), content);
        KFile file(windowsPath(files.file("damaged.bin")));
        file.open();
        back.readFromFile(file);
        KColor next(kBlack);
        next.readFromFile(file);
        file.close();
        EXPECT_TRUE(catcher.caught(57, "void KImage::readFromFile(KFile& F)"));
        EXPECT_FALSE(back.hasBitmap());
        EXPECT_EQ(next, KColor(kRed));
    }
}

TEST_F(KImageTest, TheRawRecordCarriesBMPDataOnlyForTheBMPType)
{
    const KFileType& bmp = fileTypeOf("BMP");
    const KFileType& png = fileTypeOf("PNG");
    makePicture(image, kColourPixels);
    KImage empty;
    {
        FreshFile file(files.file("records.bin"));
        image.writeBMPData(*file, bmp);
        image.writeBMPData(*file, png);
        empty.writeBMPData(*file, bmp);
        file->writeLong(0x12345678);
        file->close();
    }
    const Bytes records = readBytes(files.file("records.bin"));
    EXPECT_EQ(records.size(), 12u + 78u + 12u + 12u + 4u);
    EXPECT_EQ(Bytes(records.begin() + 90, records.begin() + 102),
              ByteList()
                  .longs({png.getTypeID(), 3 * image.getGraphicDevice().getPixelDepth() * 2 / 8})
                  .shorts({3, 2})
                  .bytes());

    KFile file(windowsPath(files.file("records.bin")));
    file.open();
    KImage first, second, third;
    first.readBMPData(file);
    second.readBMPData(file);
    third.readBMPData(file);
    long marker = 0;
    file.readLong(marker);
    file.close();
    EXPECT_EQ(pixelRows(first), kColourPixels);
    EXPECT_FALSE(second.hasBitmap());
    EXPECT_FALSE(third.hasBitmap());
    EXPECT_EQ(marker, 0x12345678);
}

TEST_F(KImageTest, ARawRecordOfAnUnknownTypeIsReported)
{
    writeBytes(files.file("unknown.bin"), ByteList().longs({0x00515151, 0}).shorts({3, 2}).longs({7}));
    ReportCatcher catcher;
    KFile file(windowsPath(files.file("unknown.bin")));
    file.open();
    image.readBMPData(file);
    EXPECT_EQ(file.getPosition(), 12);
    file.close();
    EXPECT_EQ(catcher.codes(), std::vector<int>{62});
    EXPECT_FALSE(image.hasBitmap());
}

} // namespace
