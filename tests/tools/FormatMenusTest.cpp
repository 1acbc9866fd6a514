// The face, style, alignment, edit and image menus: their items, their check marks and
// the format events their choices send.
#include "graphics/KImage.h"
#include "graphics/NativeTextWin32.h"
#include "tests/tools/FormatTestSupport.h"
#include "tools/menus/KEditMenu.h"
#include "tools/menus/KFontFaceMenu.h"
#include "tools/menus/KFontStyleMenu.h"
#include "tools/menus/KImageMenu.h"
#include "tools/menus/KTextAlignmentMenu.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class FormatMenus : public ::testing::Test {
protected:
    FormatScope scope;
};

TEST_F(FormatMenus, StyleChoicesMixBoldItalicAndUnderlineAndPlainClearsThem)
{
    KFontStyleMenuPtr menu = new KFontStyleMenu;
    EXPECT_EQ(titles(*menu), "Plain#10001|Bold#10002|Italic#10003|Underline#10004");
    EXPECT_EQ(checkedItems(*menu), "1");
    const std::vector<std::pair<long, std::string>> steps = {
        {2, "2"}, {3, "2 3"}, {2, "3"}, {3, ""}, {4, "4"}, {1, "1"}};
    for (const auto& step : steps) {
        choose(*menu, step.first);
        EXPECT_EQ(checkedItems(*menu), step.second) << step.first;
    }
    EXPECT_EQ(formatNotes(), (Log{"application 8 FontStyle=1", "application 8 FontStyle=3",
                                  "application 8 FontStyle=2", "application 8 FontStyle=0",
                                  "application 8 FontStyle=4", "application 8 FontStyle=0"}));
    menu->setStyle(KFlagSet(5));
    EXPECT_EQ(checkedItems(*menu), "2 4");
    EXPECT_EQ(menu->getStyle().getFlags(), 5u);
    menu->setStyle(KFlagSet(0));
    EXPECT_EQ(checkedItems(*menu), "1");
}

TEST_F(FormatMenus, AlignmentAndEditChoicesBecomeFormatEvents)
{
    KTextAlignmentMenuPtr alignment = new KTextAlignmentMenu;
    EXPECT_EQ(titles(*alignment), "Left#10032|Right#10033|Center#10034|Justified#10035");
    EXPECT_EQ(checkedItems(*alignment), "1");
    choose(*alignment, 3);
    EXPECT_EQ(checkedItems(*alignment), "3");
    EXPECT_EQ(alignment->getAlignment(), 2);
    alignment->setAlignment(1);
    EXPECT_EQ(checkedItems(*alignment), "2");

    KEditMenuPtr edit = new KEditMenu;
    EXPECT_EQ(edit->getTitle(), "Edit");
    EXPECT_EQ(titles(*edit), "Undo#128^Z|Redo#129||Cut#130^X|Copy#131^C|Paste#132^V|Clear#133||"
                             "Select All#134^A|Select None#135");
    choose(*edit, 6);
    choose(*edit, 10);
    choose(*edit, 1);
    EXPECT_EQ(formatNotes(), (Log{"application 8 Alignment=2", "application 4", "application 7", "application 0"}));
    EXPECT_EQ(checkedItems(*edit), "");
}

TEST_F(FormatMenus, TheFaceMenuListsEachFaceOnceAndFallsBackToTheSystemFace)
{
    KFontFaceMenuPtr menu = new KFontFaceMenu;
    KString systemFace;
    double size = 0;
    kksGetStandardFont(kSystemFont, systemFace, &size);
    EXPECT_EQ(menu->getDefaultFace(), systemFace);
    ASSERT_GT(menu->getItemCount(), 1);
    std::set<std::string> faces;
    for (long i = 1; i <= menu->getItemCount(); ++i)
        faces.insert(itemAt(*menu, i).getTitle().getText());
    EXPECT_EQ(long(faces.size()), menu->getItemCount());

    menu->setFontFace(KString("No Such Face"));
    EXPECT_EQ(checkedItems(*menu), "");
    EXPECT_EQ(menu->getFontFace(), systemFace);

    choose(*menu, 2);
    const KString second = itemAt(*menu, 2).getTitle();
    EXPECT_EQ(checkedItems(*menu), "2");
    EXPECT_EQ(menu->getFontFace(), second);
    EXPECT_EQ(formatNotes(), (Log{"application 8 FontFace=" + std::string(second.getText())}));
}

// A picture of 64 by 32 in eight cells of 16 by 16, each a grey of its own.
KImagePtr cellPicture(uint16 Base)
{
    KImagePtr picture = new KImage;
    picture->create(KGraphicSize(64, 32));
    for (short column = 0; column < 4; ++column) {
        for (short row = 0; row < 2; ++row) {
            const auto grey = static_cast<uint16>(Base + (column * 2 + row) * 0x1000);
            picture->getGraphicDevice().paintRect(KGraphicRectangle(column * 16, row * 16, 16, 16),
                                                  KColor(grey, grey, grey));
        }
    }
    return picture;
}

TEST_F(FormatMenus, AnImageMenuCutsItsPictureIntoCellsAndDrawsTheCellOfEachItem)
{
    KImageMenuPtr menu = new KImageMenu;
    EXPECT_EQ(menu->getTitle(), "ImageMenu");
    menu->divideIntoCells(4, 2);
    EXPECT_EQ(menu->getItemCount(), 0);
    KImagePtr plain = cellPicture(0x1000);
    menu->setPicture(*plain);
    menu->divideIntoCells(0, 2);
    EXPECT_EQ(menu->getItemCount(), 0);
    menu->divideIntoCells(4, 2);
    ASSERT_EQ(menu->getItemCount(), 8);
    EXPECT_EQ(menu->getItemSize(), KGraphicSize(16, 16));
    EXPECT_EQ(std::make_pair(menu->getColumns(), menu->getRows()), std::make_pair(short(4), short(2)));

    // Highlighted and checked: the highlighted-and-checked picture, else the highlighted
    // one, else the plain one.
    KImagePtr highlighted = cellPicture(0x1100);
    KImagePtr both = cellPicture(0x1200);
    menu->setHighlightedPicture(*highlighted);
    menu->setHighlightedCheckedPicture(*both);
    EXPECT_EQ(menu->pictureFor(false, true), plain.get());

    KWindowPtr window = new KWindow;
    window->open(KWindow::OpenHidden);
    KImagePtr screen = new KImage;
    screen->create(KGraphicSize(20, 20));
    KGraphicDevice& pixels = screen->getGraphicDevice();
    const auto drawn = [&](long Position, bool Selected) {
        drawCell(*window, static_cast<KCustomMenuItem&>(itemAt(*menu, Position)), pixels, {2, 2, 18, 18}, Selected);
        return pixels.getPixel(10, 10).getRed() >> 8;
    };
    // Down each column from the top: the second item shows the second row's cell.
    EXPECT_EQ(drawn(1, false), 0x10);
    EXPECT_EQ(drawn(2, false), 0x20);
    EXPECT_EQ(drawn(7, false), 0x70);
    itemAt(*menu, 7).setChecked(true);
    EXPECT_EQ(drawn(7, true), 0x72);
    EXPECT_EQ(drawn(8, true), 0x81);
    window->close();
}

} // namespace
