// The base of drawable objects: its size and its block.
#include "graphics/KGraphicObject.h"
#include "graphics/KImage.h"
#include "tests/graphics/BlockFiles.h"
#include "tests/graphics/GraphicsTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(KGraphicObject, TheBaseHasNoSizeAndDrawsNothing)
{
    KGraphicObject object;
    EXPECT_EQ(object.getSize(), KGraphicSize(0, 0));
    KImage target;
    target.create(2, 2);
    paintPixels(target, {"##", "##"});
    object.drawAt(target.getGraphicDevice(), KGraphicPoint(0, 0));
    object.draw(target.getGraphicDevice(), KGraphicRectangle(0, 0, 2, 2));
    object.drawPart(target.getGraphicDevice(), KGraphicRectangle(0, 0, 2, 2), KGraphicRectangle(0, 0, 2, 2));
    EXPECT_EQ(pixelRows(target), PixelRows(2, "##"));
}

TEST(KGraphicObject, TheBlockHoldsTheSizeBlock)
{
    BlockFiles files;
    KGraphicObject object;
    object.setSize(KGraphicSize(30, 20));
    const Bytes block = files.written(object);
    const Bytes size = BlockFiles::header("KGraphicSize", 12).shorts({30, 20});
    EXPECT_EQ(block, BlockFiles::header("KGraphicObject", 36).append(size).bytes());
    KGraphicObject back;
    EXPECT_EQ(files.read(back, block), long(block.size()));
    EXPECT_EQ(back.getSize(), KGraphicSize(30, 20));
}

} // namespace
