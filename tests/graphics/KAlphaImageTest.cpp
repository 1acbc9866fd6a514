// Images with alpha: the three alpha modes drawn over a known background, the clamped
// transparency, the mask following the image, the class block and the "ARGB" file.
#include "graphics/KAlphaImage.h"
#include "graphics/AlphaBitmapWin32.h"
#include "foundation/KFileReference.h"
#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/graphics/ImageBuilders.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

class KAlphaImageTest : public testing::Test {
protected:
    void SetUp() override
    {
        registerFrameworkFileTypes();
        makePicture(picture, {"rrrr", "rrrr"});
    }

    // The picture drawn over a blue background; the result's pixel codes.
    PixelRows drawnOverBackground()
    {
        makePicture(background, {"bbbb", "bbbb"});
        picture.drawAt(background.getGraphicDevice(), KGraphicPoint(0, 0));
        return pixelRows(background);
    }

    // The image's pointer is the mask's only reference: it goes with the image.
    KImage& setMask(const PixelRows& Rows)
    {
        auto* mask = new KImage;
        makePicture(*mask, Rows);
        picture.setAlphaMask(*mask);
        return picture.getAlphaMask();
    }

    uint32 drawnNative(short X) { return background.getGraphicDevice().getPixel(X, 0).getNativeColor(); }

    TemporaryFolder folder;
    BlockFile blocks{folder.file("block.bin")};
    KImage background;
    KAlphaImage picture;
};

TEST_F(KAlphaImageTest, ANewAlphaImageDrawsLikeAnImageAndHasNoMask)
{
    EXPECT_EQ(picture.getAlphaMode(), KAlphaImage::kMaskByRaster);
    EXPECT_EQ(drawnOverBackground(), PixelRows(2, "rrrr"));
    ReportCatcher catcher;
    EXPECT_FALSE(picture.hasAlphaMask());
    EXPECT_TRUE(kIsNullReference(&picture.getAlphaMask()));
    EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));

    // Transparency is kept between 0 and 1.
    EXPECT_EQ(picture.getTransparency(), 0.0);
    picture.setTransparency(1.5);
    EXPECT_EQ(picture.getTransparency(), 1.0);
    picture.setTransparency(-0.2);
    EXPECT_EQ(picture.getTransparency(), 0.0);
    picture.setTransparency(0.25);
    EXPECT_EQ(picture.getTransparency(), 0.25);
}

TEST_F(KAlphaImageTest, ModeZeroShowsTheImageWhereTheMaskIsBlack)
{
    setMask({"#.#.", "..##"});
    EXPECT_EQ(drawnOverBackground(), (PixelRows{"brbr", "rrbb"}));
    // The mask is put back as it was after the copy was prepared.
    EXPECT_EQ(pixelRows(picture.getAlphaMask()), (PixelRows{"#.#.", "..##"}));
}

TEST_F(KAlphaImageTest, ModeOneBlendsTheMaskedImageWithTheTransparency)
{
    setMask({"#.#.", "#.#."});
    picture.setAlphaMode(KAlphaImage::kBlendWithMask);
    EXPECT_EQ(drawnOverBackground(), PixelRows(2, "brbr"));
    picture.setTransparency(1.0);
    EXPECT_EQ(drawnOverBackground(), PixelRows(2, "bbbb"));
    picture.setTransparency(0.5);
    drawnOverBackground();
    // Where the mask hides the image nothing changes; elsewhere red and blue share.
    EXPECT_EQ(drawnNative(0), 0xFF0000u);
    const uint32 mixed = drawnNative(1);
    EXPECT_NEAR(int(mixed & 0xFF), 128, 2);
    EXPECT_NEAR(int(mixed >> 16), 127, 2);

    // Mode 2 without a mask draws as mode 1; higher modes draw nothing.
    picture.removeAlphaMask();
    picture.setAlphaMode(KAlphaImage::kPerPixelAlpha);
    picture.setTransparency(1.0);
    EXPECT_EQ(drawnOverBackground(), PixelRows(2, "bbbb"));
    picture.setTransparency(0.0);
    EXPECT_EQ(drawnOverBackground(), PixelRows(2, "rrrr"));
    picture.setAlphaMode(3);
    EXPECT_EQ(drawnOverBackground(), PixelRows(2, "bbbb"));
}

TEST_F(KAlphaImageTest, ModeTwoTakesAlphaFromTheMaskPixelByPixel)
{
    setMask({"#.##", "#.##"});
    picture.getAlphaMask().getGraphicDevice().setPixel(2, 0, nativeColor(0x808080));
    picture.getAlphaMask().getGraphicDevice().setPixel(2, 1, nativeColor(0x808080));
    picture.setAlphaMode(KAlphaImage::kPerPixelAlpha);
    drawnOverBackground();
    EXPECT_EQ(drawnNative(0), 0xFF0000u); // white mask: the image is not there
    EXPECT_EQ(drawnNative(1), 0x0000FFu); // black mask: the image alone
    const uint32 half = drawnNative(2);   // alpha 127
    EXPECT_NEAR(int(half & 0xFF), 127, 2);
    EXPECT_NEAR(int(half >> 16), 128, 2);

    // The prepared copy is premultiplied: a white mask pixel gives a 0 pixel.
    HDC prepared = getAlphaDCWin32(picture);
    ASSERT_NE(prepared, nullptr);
    EXPECT_EQ(GetPixel(prepared, 0, 0), 0u);
    EXPECT_EQ(GetPixel(prepared, 1, 0), 0x0000FFu);
}

// The mask is read by rows: every pixel of the prepared copy must be what the mask pixel
// at that place gives, and a mask smaller than the picture hides what it does not cover.
TEST_F(KAlphaImageTest, ThePerPixelCopyTakesEachMaskPixelFromItsOwnPlace)
{
    const short width = 37, height = 70, maskHeight = 66;
    picture.create(width, height);
    auto* mask = new KImage;
    mask->create(width - 2, maskHeight);
    for (short y = 0; y < height; ++y) {
        for (short x = 0; x < width; ++x) {
            picture.getGraphicDevice().setPixel(x, y, nativeColor(uint32(x * 6) << 16 | uint32(y * 3) << 8 | 0x80));
            mask->getGraphicDevice().setPixel(x, y, nativeColor(uint32((x * 7 + y * 5) & 0xFF) * 0x010101));
        }
    }
    picture.setAlphaMode(KAlphaImage::kPerPixelAlpha);
    picture.setAlphaMask(*mask);
    HDC prepared = getAlphaDCWin32(picture);
    ASSERT_NE(prepared, nullptr);
    long wrong = 0;
    for (short y = 0; y < height; ++y) {
        for (short x = 0; x < width; ++x) {
            const uint32 alpha = x < width - 2 && y < maskHeight ? 255 - ((x * 7 + y * 5) & 0xFF) : 0;
            // Native colours are COLORREFs: red in the low byte. Each channel is premultiplied
            // and cut to a whole number.
            const uint32 red = 0x80 * alpha / 255, green = uint32(y * 3) * alpha / 255, blue = uint32(x * 6) * alpha / 255;
            // GetPixel shows the colour without its alpha.
            wrong += GetPixel(prepared, x, y) != RGB(red, green, blue);
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(KAlphaImageTest, LoadingAPictureDropsTheMaskButLoadingWithAMaskKeepsIt)
{
    writeBytes(folder.file("image.bmp"), bmp24({{0xFF0000, 0x0000FF}}));
    writeBytes(folder.file("mask.bmp"), bmp24({{0xFFFFFF, 0x000000}}));
    setMask({"....", "...."});
    picture.createFromFile(KFileReference(windowsPath(folder.file("image.bmp"))));
    EXPECT_FALSE(picture.hasAlphaMask());
    picture.setAlphaMaskFromFileName(windowsPath(folder.file("image.bmp")), windowsPath(folder.file("mask.bmp")));
    ASSERT_TRUE(picture.hasAlphaMask());
    EXPECT_EQ(pixelRows(picture), PixelRows{"rb"});
    EXPECT_EQ(pixelRows(picture.getAlphaMask()), PixelRows{"#."});
}

TEST_F(KAlphaImageTest, TheMaskTurnsWithTheImage)
{
    makePicture(picture, {"r#", "gb"});
    setMask({"#.", ".."});
    picture.flipHorizontal();
    EXPECT_EQ(pixelRows(picture), (PixelRows{"#r", "bg"}));
    EXPECT_EQ(pixelRows(picture.getAlphaMask()), (PixelRows{".#", ".."}));
    picture.rotateClockwise();
    EXPECT_EQ(pixelRows(picture.getAlphaMask()), (PixelRows{"..", ".#"}));
    picture.flipVertical();
    picture.rotateCounterClockwise();
    EXPECT_EQ(pixelRows(picture.getAlphaMask()), (PixelRows{"#.", ".."}));
}

TEST_F(KAlphaImageTest, DrawingIntoAnotherAlphaImageIsAtFullStrengthAndMasksItsMask)
{
    setMask({"#.#.", "...."});
    picture.setAlphaMode(KAlphaImage::kBlendWithMask);
    picture.setTransparency(0.75);
    KAlphaImage target;
    makePicture(target, {"bbbb", "bbbb"});
    auto* targetMask = new KImage;
    makePicture(*targetMask, {"####", "####"});
    target.setAlphaMask(*targetMask);

    const KGraphicRectangle whole(0, 0, 4, 2);
    picture.drawInto(target, whole, whole);
    // Without its mask the picture covers the target; the masks combine where both are set.
    EXPECT_EQ(pixelRows(target), PixelRows(2, "rrrr"));
    EXPECT_EQ(pixelRows(target.getAlphaMask()), (PixelRows{"#.#.", "...."}));
    EXPECT_EQ(picture.getTransparency(), 0.75);
    EXPECT_TRUE(picture.hasAlphaMask());
}

TEST_F(KAlphaImageTest, TheBlockHoldsImageMaskPointModeAndTransparency)
{
    setMask({"#.#.", "...."});
    picture.setAlphaMode(KAlphaImage::kPerPixelAlpha);
    picture.setTransparency(0.5);
    picture.setPoint(KGraphicPoint(-1, 7));
    const Bytes block = blocks.written(picture);
    // The tail of section 1: point block, mode as a short, transparency as a double.
    const Bytes tail = ByteList()
                           .append(BlockFile::header("KGraphicPoint", 12))
                           .shorts({-1, 7, 2})
                           .raw({0x3F, 0xE0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Bytes(block.end() - long(tail.size()), block.end()), tail);

    KAlphaImage back;
    EXPECT_EQ(blocks.readBack(back), 0);
    EXPECT_EQ(pixelRows(back), PixelRows(2, "rrrr"));
    ASSERT_TRUE(back.hasAlphaMask());
    EXPECT_EQ(pixelRows(back.getAlphaMask()), (PixelRows{"#.#.", "...."}));
    EXPECT_EQ(back.getAlphaMode(), KAlphaImage::kPerPixelAlpha);
    EXPECT_EQ(back.getTransparency(), 0.5);
    EXPECT_EQ(back.getPoint(), KGraphicPoint(-1, 7));
    EXPECT_NE(getAlphaDCWin32(back), nullptr);
}

TEST_F(KAlphaImageTest, AnImageWithoutMaskIsStoredWithAnEmptyImageInItsPlace)
{
    picture.setAlphaMode(KAlphaImage::kBlendWithMask);
    const Bytes block = blocks.written(picture);
    // The image's own block, an image block without bitmap, the point, mode 1, 0.0.
    KImage alone, empty;
    makePicture(alone, {"rrrr", "rrrr"});
    const Bytes payload = ByteList()
                              .append(blocks.written(alone))
                              .append(blocks.written(empty))
                              .append(BlockFile::header("KGraphicPoint", 12))
                              .shorts({0, 0, 1})
                              .raw({0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(block, oneSectionBlock("KAlphaImage", payload));

    // A mask the reader had before goes: the block has none.
    KAlphaImage back;
    auto* oldMask = new KImage;
    oldMask->create(4, 2);
    back.setAlphaMask(*oldMask);
    EXPECT_EQ(blocks.read(back, block), 0);
    EXPECT_FALSE(back.hasAlphaMask());
    EXPECT_EQ(back.getAlphaMode(), KAlphaImage::kBlendWithMask);
    EXPECT_EQ(pixelRows(back), PixelRows(2, "rrrr"));
}

TEST_F(KAlphaImageTest, TheARGBFileHoldsAlphaAndColourOfEveryPixel)
{
    makePicture(picture, {"rb"});
    KImage& mask = setMask({"##"});
    mask.getGraphicDevice().setPixel(1, 0, nativeColor(0x303030));
    const KFileReference argb(windowsPath(folder.file("picture.argb")));
    picture.saveAsBMP(argb);
    EXPECT_TRUE(readBytes(folder.file("picture.argb")).empty()) << "only mode 2 writes the file";

    picture.setAlphaMode(KAlphaImage::kPerPixelAlpha);
    picture.saveAsBMP(argb);
    // Alpha is the high byte of 0xFFFF − the mask's mean: 0x00 over white, 0xCF over 0x3030.
    EXPECT_EQ(readBytes(folder.file("picture.argb")),
        ByteList().text("ARGB").longs({0}).shorts({2, 1}).raw({0x00, 0xFF, 0, 0, 0xCF, 0, 0, 0xFF}).bytes());
}

} // namespace
