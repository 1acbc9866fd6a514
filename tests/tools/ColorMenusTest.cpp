// The colour menus: the three palettes with their optional checkered and other-colour
// swatches, the check marks of the current colour, the colour chooser behind the
// other-colour swatch, the format events of the text and background colour menus, and
// how a swatch draws itself.
#include "graphics/KImage.h"
#include "tests/support/ReportCatcher.h"
#include "tests/tools/FormatTestSupport.h"
#include "tools/menus/KBackgroundColorMenu.h"
#include "tools/menus/KColorMenuItem.h"
#include "tools/menus/KFontColorMenu.h"

#include <gtest/gtest.h>

namespace {

KColorMenuItem& swatch(const KColorMenu& Menu, long Index) { return *Menu.getSwatchAt(Index); }

std::string swatchText(const KColorMenu& Menu, long Index)
{
    const KColorMenuItem& item = swatch(Menu, Index);
    return colourText(item.getColor()) + "/" + std::to_string(item.getSwatchStyle());
}

class ColorMenus : public ::testing::Test {
protected:
    FormatScope scope;
    KColorMenuPtr menu = new KColorMenu;
};

struct PaletteCase {
    uint8 palette;
    long options;
    long count;
    short columns;
    short side;
    // Swatches by 0-based index, as colour and swatch style.
    std::vector<std::pair<long, std::string>> swatches;
};

TEST_F(ColorMenus, PalettesFillTheirGridAndGiveTheLastPlacesToTheSpecialSwatches)
{
    const PaletteCase cases[] = {
        // The web colours widened, then greys in steps of 4681 and white.
        {KColorMenu::WebPalette, 0, 88, 11, 16,
         {{13, "FF0066003300/0"}, {73, "124912491249/0"}, {86, "FFFEFFFEFFFE/0"}, {87, "FFFFFFFFFFFF/0"}}},
        // Two greys fewer, in steps of 5461, for the checkered and other-colour swatches.
        {KColorMenu::WebPalette, 3, 88, 11, 16,
         {{73, "155515551555/0"}, {84, "FFFCFFFCFFFC/0"}, {86, "FFFFFFFFFFFF/2"}, {87, "FFFFFFFFFFFF/1"}}},
        {KColorMenu::SmallPalette, 2, 16, 4, 32, {{1, "BD00BD00BD00/0"}, {15, "990033000000/1"}}},
        {KColorMenu::FullPalette, 1, 256, 16, 16,
         {{0, "F000F000F000/0"}, {9, "FFFFFA1CFA1C/0"}, {112, "800080008000/0"}, {119, "FFFF65B60000/0"},
          {127, "65B63A49DA49/0"}, {240, "000000000000/0"}}},
        {7, 3, 0, 0, 12, {}},
    };
    for (const PaletteCase& c : cases) {
        KColorMenuPtr built = new KColorMenu;
        built->buildPalette(c.palette, c.options);
        ASSERT_EQ(built->getItemCount(), c.count) << int(c.palette);
        EXPECT_EQ(built->getOptions(), uint32(c.options));
        EXPECT_EQ(built->getItemSize(), KGraphicSize(c.side, c.side));
        EXPECT_EQ(built->getColumns(), c.columns);
        for (const auto& expected : c.swatches)
            EXPECT_EQ(swatchText(*built, expected.first), expected.second) << int(c.palette) << " " << expected.first;
    }

    // White checks the white swatch and the special ones that still hold white.
    menu->buildPalette(KColorMenu::WebPalette, 3);
    menu->setColor(KColor(kWhite));
    EXPECT_EQ(checkedItems(*menu), "86 87 88");
    EXPECT_EQ(menu->getColor(), KColor(kWhite));
}

TEST_F(ColorMenus, TheOtherColourSwatchAsksTheChooserAndACancelChangesNothing)
{
    KFontColorMenuPtr text = new KFontColorMenu(KColorMenu::SmallPalette);
    EXPECT_EQ(text->getTitle(), "Text Color");
    EXPECT_EQ(text->getOptions(), KColorMenu::OtherColorOption);
    choose(*text, 3);
    EXPECT_EQ(checkedItems(*text), "3");
    EXPECT_EQ(formatNotes(), (Log{"application 8 FontColor=590059005900"}));

    answerColourChooser(nullptr);
    choose(*text, 16);
    EXPECT_EQ(checkedItems(*text), "3");
    EXPECT_EQ(text->getColor(), KColor(0x5900, 0x5900, 0x5900));
    EXPECT_TRUE(formatNotes().empty());

    const KColor picked(0x1200, 0x3400, 0x5600);
    answerColourChooser(&picked);
    choose(*text, 16);
    EXPECT_EQ(checkedItems(*text), "16");
    EXPECT_EQ(swatch(*text, 15).getColor(), picked);
    EXPECT_EQ(formatNotes(), (Log{"application 8 FontColor=120034005600"}));

    // The background menu is the same with its own title and variable; its registered
    // form shows the full palette.
    KBackgroundColorMenuPtr background = static_cast<KBackgroundColorMenu*>(KBackgroundColorMenu::createInstance());
    EXPECT_EQ(background->getTitle(), "Background Color");
    EXPECT_EQ(background->getItemCount(), 256);
    choose(*background, 2);
    EXPECT_EQ(formatNotes(), (Log{"application 8 BackgroundColor=" + colourText(swatch(*background, 1).getColor())}));

    // A plain colour menu takes the colour and sends nothing.
    menu->buildPalette(KColorMenu::SmallPalette, 0);
    choose(*menu, 5);
    EXPECT_EQ(menu->getColor(), KColor(0xFFFF, 0xFFFF, 0));
    EXPECT_EQ(formatNotes(), (Log{}));
}

TEST_F(ColorMenus, ASwatchDrawsInsideItsMarginWithThreeRingsWhenHighlightedOrChecked)
{
    menu->buildPalette(KColorMenu::SmallPalette, KColorMenu::CheckeredOption | KColorMenu::OtherColorOption);
    KWindowPtr window = new KWindow;
    window->open(KWindow::OpenHidden);
    KImagePtr image = new KImage;
    image->create(KGraphicSize(40, 40));
    KGraphicDevice& pixels = image->getGraphicDevice();
    const auto column = [&](short H) {
        std::string text;
        for (short v = 0; v < 6; ++v)
            text += pixelAt(pixels, H, v) == RGB(0, 0, 0) ? 'b' : pixelAt(pixels, H, v) == RGB(255, 255, 255) ? 'w' : '.';
        return text;
    };

    // A plain red swatch: the margin untouched, a black outline, red inside.
    pixels.paintRect(KGraphicRectangle(0, 0, 40, 40), KColor(0x8000, 0x8000, 0x8000));
    drawCell(*window, swatch(*menu, 6), pixels, {0, 0, 32, 32}, false);
    EXPECT_EQ(column(16), ".b....");
    EXPECT_EQ(pixelAt(pixels, 16, 16), RGB(255, 0, 0));
    drawCell(*window, swatch(*menu, 6), pixels, {0, 0, 32, 32}, true);
    EXPECT_EQ(column(16), ".bwb..");
    swatch(*menu, 6).setChecked(true);
    drawCell(*window, swatch(*menu, 6), pixels, {0, 0, 32, 32}, false);
    EXPECT_EQ(column(16), ".bwb..");

    // Quarters: red, green, blue and white; white and black for the checkered swatch.
    drawCell(*window, swatch(*menu, 15), pixels, {0, 0, 32, 32}, false);
    EXPECT_EQ((std::vector<COLORREF>{pixelAt(pixels, 8, 8), pixelAt(pixels, 24, 8), pixelAt(pixels, 24, 24),
                                     pixelAt(pixels, 8, 24)}),
              (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)}));
    drawCell(*window, swatch(*menu, 14), pixels, {0, 0, 32, 32}, false);
    EXPECT_EQ((std::vector<COLORREF>{pixelAt(pixels, 8, 8), pixelAt(pixels, 24, 8), pixelAt(pixels, 24, 24),
                                     pixelAt(pixels, 8, 24)}),
              (std::vector<COLORREF>{RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)}));
    window->close();
}

} // namespace
