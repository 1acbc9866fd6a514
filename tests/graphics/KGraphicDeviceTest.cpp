// The drawing surface: shapes and lines pixel by pixel, the three draw modes, the state
// and clip stacks, regions and bit copies, all drawn on off-screen images.
#include "graphics/KGraphicDevice.h"
#include "graphics/NativeDeviceWin32.h"
#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

class KGraphicDeviceTest : public testing::Test {
protected:
    void SetUp() override { image.create(8, 6); }

    PixelRows pixels() { return pixelRows(image); }
    KGraphicDevice& device() { return image.getGraphicDevice(); }

    KImage image;
};

TEST_F(KGraphicDeviceTest, AnImageDeviceReadsBlackAndAnUnboundOneDrawsNothing)
{
    EXPECT_EQ(device().getKind(), KGraphicDevice::kKindImage);
    EXPECT_FALSE(device().getBounds() != KGraphicRectangle(0, 0, 8, 6));
    EXPECT_EQ(pixels(), PixelRows(6, "........"));
    KGraphicDevice unbound;
    unbound.paintRect(KGraphicRectangle(0, 0, 4, 4), KColor(kWhite));
    unbound.setPixel(1, 1, KColor(kWhite));
    unbound.fillDownArrow(KGraphicRectangle(0, 0, 20, 10));
    unbound.setClipRect(KGraphicRectangle(0, 0, 1, 1));
    EXPECT_EQ(unbound.getPixel(1, 1), KColor(kBlack));
}

TEST_F(KGraphicDeviceTest, RectanglesCoverTheirPixelsWithRightAndBottomExclusiveAndLinesLeaveOutTheirEnd)
{
    device().paintRect(KGraphicRectangle(1, 1, 4, 3), KColor(kWhite));
    device().outlineRect(KGraphicRectangle(1, 1, 6, 4), KColor(kRed));
    EXPECT_EQ(pixels(), (PixelRows{"........", ".rrrrrr.", ".r###.r.", ".r###.r.", ".rrrrrr.", "........"}));

    // Thick outlines stay inside the rectangle.
    image.create(8, 6);
    device().setPenSize(2);
    device().outlineRect(KGraphicRectangle(1, 0, 6, 6), KColor(kWhite));
    EXPECT_EQ(pixels(), (PixelRows{".######.", ".######.", ".##..##.", ".##..##.", ".######.", ".######."}));

    // Lines leave out their end pixel.
    image.create(8, 6);
    device().setPenSize(1);
    device().setForeColor(KColor(kWhite));
    device().drawHorizontalLine(1, 0, 5);
    device().drawVerticalLine(7, 1, 4);
    device().drawLineToColumn(KGraphicPoint(0, 5), 3);
    device().moveTo(KGraphicPoint(2, 2));
    device().lineTo(KGraphicPoint(4, 2));
    EXPECT_EQ(pixels(), (PixelRows{".####...", ".......#", "..##...#", ".......#", "........", "###....."}));
}

TEST_F(KGraphicDeviceTest, InvertModeInvertsWhatItTouchesAndTwiceRestores)
{
    makePicture(image, {"#r#r#r#r", "........", "########", "########"});
    device().setDrawMode(KGraphicDeviceState::kInvert);
    device().paintRect(KGraphicRectangle(0, 0, 4, 2));
    EXPECT_EQ(pixelRows(device(), 0, 0, 8, 2), (PixelRows{".?.?#r#r", "####...."}));
    device().paintRect(KGraphicRectangle(0, 0, 4, 2));
    EXPECT_EQ(pixelRows(device(), 0, 0, 8, 2), (PixelRows{"#r#r#r#r", "........"}));

    // An inverted outline leaves the interior and the mode, and undoes itself.
    device().setDrawMode(KGraphicDeviceState::kCopy);
    const KGraphicRectangle frame(0, 1, 5, 3);
    device().invertOutlineRect(frame);
    EXPECT_EQ(pixelRows(device(), 0, 1, 8, 3), (PixelRows{"#####...", ".###.###", ".....###"}));
    EXPECT_EQ(device().getDrawMode(), KGraphicDeviceState::kCopy);
    device().invertOutlineRect(frame);
    EXPECT_EQ(pixelRows(device(), 0, 1, 8, 3), (PixelRows{"........", "########", "########"}));
}

TEST_F(KGraphicDeviceTest, EraseModePaintsWithTheBackgroundAndEraseRectKeepsTheState)
{
    device().setBackColor(KColor(kBlue));
    device().setForeColor(KColor(kRed));
    device().setPenSize(2);
    device().eraseRect(KGraphicRectangle(0, 0, 4, 4));
    EXPECT_EQ(pixelRows(device(), 0, 0, 5, 5), (PixelRows{"bbbb.", "bbbb.", "bbbb.", "bbbb.", "....."}));
    EXPECT_EQ(device().getDrawMode(), KGraphicDeviceState::kCopy);
    EXPECT_EQ(device().getPenSize(), 2);
    EXPECT_EQ(device().getForeColor(), KColor(kRed));

    device().setDrawMode(KGraphicDeviceState::kErase);
    device().setPenSize(1);
    device().paintRect(KGraphicRectangle(4, 4, 2, 2));
    EXPECT_EQ(pixelRows(device(), 4, 4, 2, 2), PixelRows(2, "bb"));

    // An ellipse of one pixel sets it in the foreground colour whatever the mode.
    device().drawEllipse(KGraphicRectangle(6, 1, 1, 1));
    EXPECT_EQ(pixelRows(device(), 5, 0, 3, 3), (PixelRows{"...", ".r.", "..."}));
}

TEST_F(KGraphicDeviceTest, RestoringAStateBringsBackItsColoursForTheNextPrimitive)
{
    device().setForeColor(KColor(kWhite));
    device().saveState();
    device().setForeColor(KColor(kRed));
    device().setDrawMode(KGraphicDeviceState::kInvert);
    device().restoreState();
    EXPECT_EQ(device().getDrawMode(), KGraphicDeviceState::kCopy);
    device().paintRect(KGraphicRectangle(0, 0, 2, 1));
    EXPECT_EQ(pixelRows(device(), 0, 0, 3, 1), PixelRows{"##."});

    // Restoring from an empty stack changes nothing.
    device().setForeColor(KColor(kGreen));
    device().restoreState();
    EXPECT_EQ(device().getForeColor(), KColor(kGreen));
}

TEST_F(KGraphicDeviceTest, ClipRectanglesKeepDrawingInsideThemAndPoppingAClipRegionSelectsItAgain)
{
    device().setClipRect(KGraphicRectangle(2, 1, 3, 2));
    device().paintRect(KGraphicRectangle(0, 0, 8, 6), KColor(kWhite));
    EXPECT_EQ(pixels(), (PixelRows{"........", "..###...", "..###...", "........", "........", "........"}));

    // Disjoint intersections leave nothing; the bounds as clip are no clip at all.
    device().intersectClipRect(KGraphicRectangle(0, 0, 2, 2));
    device().paintRect(KGraphicRectangle(0, 0, 8, 6), KColor(kRed));
    EXPECT_EQ(pixels()[1], "..###...");
    device().setClipRect(device().getBounds());
    device().paintRect(KGraphicRectangle(0, 0, 8, 6), KColor(kRed));
    EXPECT_EQ(pixels(), PixelRows(6, "rrrrrrrr"));

    // Popping a clip region selects it again.
    image.create(8, 6);
    device().setClipRect(KGraphicRectangle(0, 0, 2, 6));
    device().pushClipRegion();
    device().setClipRect(KGraphicRectangle(6, 0, 2, 6));
    device().paintRect(KGraphicRectangle(0, 0, 8, 1), KColor(kWhite));
    device().popClipRegion();
    device().paintRect(KGraphicRectangle(0, 1, 8, 1), KColor(kRed));
    // An empty stack leaves the clip as it is.
    device().popClipRegion();
    device().paintRect(KGraphicRectangle(0, 2, 8, 1), KColor(kGreen));
    EXPECT_EQ(pixelRows(device(), 0, 0, 8, 3), (PixelRows{"......##", "rr......", "gg......"}));
}

TEST_F(KGraphicDeviceTest, ADownArrowIsATriangleCentredInItsRectangle)
{
    image.create(20, 10);
    device().setForeColor(KColor(kWhite));
    device().fillDownArrow(KGraphicRectangle(0, 0, 20, 10));
    EXPECT_EQ(pixelRows(device(), 0, 2, 20, 6),
        (PixelRows{"....................", "......########......", ".......######.......", "........####........",
            ".........##.........", "...................."}));
}

TEST_F(KGraphicDeviceTest, RegionsFillWithTheModesBrush)
{
    device().setForeColor(KColor(kRed));
    device().fillRegion(KGraphicRegion(KGraphicRectangle(1, 1, 2, 2)));
    KGraphicRegion region(KGraphicRectangle(0, 0, 8, 8));
    region.intersectRect(KGraphicRectangle(6, 4, 4, 4));
    device().fillRegion(region);
    // A polygon replaces the region.
    for (const auto& corner : {std::make_pair(4, 0), std::make_pair(6, 0), std::make_pair(6, 2), std::make_pair(4, 2)})
        region.addPoint(short(corner.first), short(corner.second));
    region.makePolygon();
    device().setForeColor(KColor(kGreen));
    device().fillRegion(region);
    EXPECT_EQ(pixels(), (PixelRows{"....gg..", ".rr.gg..", ".rr.....", "........", "......rr", "......rr"}));
}

TEST_F(KGraphicDeviceTest, CopiesOfEqualSizeAreExactAndNegativeWidthsMirror)
{
    makePicture(image, {"#r.gb...", "##......", "........", "........", "........", "........"});
    KImage target;
    target.create(8, 6);
    device().copyBits(target.getGraphicDevice(), KGraphicRectangle(0, 0, 8, 2), KGraphicRectangle(0, 1, 8, 2));
    EXPECT_EQ(pixelRows(target.getGraphicDevice(), 0, 0, 8, 3), (PixelRows{"........", "#r.gb...", "##......"}));

    target.create(8, 6);
    device().copyBitsInto(target.getGraphicDevice(), KGraphicRectangle(7, 0, -8, 6));
    EXPECT_EQ(pixelRows(target.getGraphicDevice(), 0, 0, 8, 2), (PixelRows{"...bg.r#", "......##"}));
}

TEST_F(KGraphicDeviceTest, StretchedCopiesKeepUniformAreasExact)
{
    image.create(4, 4);
    device().paintRect(KGraphicRectangle(0, 0, 2, 4), KColor(kWhite));
    KImage target;
    target.create(8, 8);
    device().copyBitsInto(target.getGraphicDevice(), KGraphicRectangle(0, 0, 8, 8));
    // Halftone blends along the boundary; well inside either half the colour is kept.
    for (const std::string& row : pixelRows(target)) {
        EXPECT_EQ(row.substr(0, 2), "##");
        EXPECT_EQ(row.substr(6, 2), "..");
    }
}

TEST(NativeDevice, TheRecordNeedsAContextAndPutsTheContextsOwnPenAndBrushBack)
{
    ReportCatcher catcher;
    EXPECT_EQ(createAndInitNativeDeviceWin32(nullptr), nullptr);
    EXPECT_TRUE(catcher.caught(90, "NativeDeviceWin32* createAndInitNativeDeviceWin32(HDC hDc)"));

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ ownPen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ ownBrush = GetCurrentObject(dc, OBJ_BRUSH);
    {
        KGraphicDevice device;
        device.initBoundsFromNative(createAndInitNativeDeviceWin32(dc));
        device.setDrawMode(KGraphicDeviceState::kErase);
        device.applyState();
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), device.getNativeDevice()->backPen);
        device.releaseNative();
        EXPECT_FALSE(device.isBound());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), ownPen);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), ownBrush);
    }
    DeleteDC(dc);
}

} // namespace
