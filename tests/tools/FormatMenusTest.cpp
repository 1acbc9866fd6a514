// The face, style, alignment, edit, image and size menus: their items, their check marks
// and the format events their choices send; the custom font size dialog the size menu
// opens from "Other...", which keeps the size within 6 to 256; and the format event, which
// finds its handler itself: its receivers, then the front dialog, the front palette window
// and the front document window, and last the application; overlay and top windows never
// see it.
#include "graphics/KImage.h"
#include "graphics/NativeTextWin32.h"
#include "tests/tools/FormatTestSupport.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/controls/KEditValueControl.h"
#include "tools/dialogs/KCustomFontSizeDialog.h"
#include "tools/menus/KEditMenu.h"
#include "tools/menus/KFontFaceMenu.h"
#include "tools/menus/KFontSizeMenu.h"
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

TEST(FormatEvent, GoesToTheFrontDialogPaletteAndDocumentWindowThenTheApplication)
{
    FormatScope scope;
    // With no window at all the application is the only one asked.
    EXPECT_EQ(KFormatEvent::sendEditCommand(KFormatEvent::Cut), 0);
    EXPECT_EQ(formatNotes(), (Log{"application 2"}));

    StandInWindowPtr document = new StandInWindow("document", 2);
    StandInWindowPtr overlay = new StandInWindow("overlay", 6);
    StandInWindowPtr palette = new StandInWindow("palette", 3);
    StandInWindowPtr dialog = new StandInWindow("dialog", 4);
    StandInWindowPtr hiddenDialog = new StandInWindow("hidden dialog", 4);
    for (StandInWindow* window : {document.get(), overlay.get(), palette.get(), dialog.get()})
        window->open(KWindow::OpenShown);
    hiddenDialog->open(KWindow::OpenHidden);
    interactionLog().clear();
    KFormatEvent::sendEditCommand(KFormatEvent::Paste);
    EXPECT_EQ(formatNotes(), (Log{"dialog 4", "palette 4", "document 4", "application 4"}));

    // The dialog that takes the event keeps it from the document.
    dialog->answers.answer("format 4", 1);
    EXPECT_EQ(KFormatEvent::sendEditCommand(KFormatEvent::Paste), 1);
    EXPECT_EQ(formatNotes(), (Log{"dialog 4"}));

    // Receivers come before any window.
    StandInWindowPtr receiver = new StandInWindow("receiver", 2);
    receiver->answers.answer("format 8 Alignment=1", 1);
    KFormatEventPtr event = new KFormatEvent;
    event->setKind(KFormatEvent::FormatChange);
    event->setVariable(KFormatEvent::kAlignment, KVariable(1L));
    event->addReceiver(*receiver);
    EXPECT_EQ(KEvent::send(*event), 1);
    EXPECT_EQ(formatNotes(), (Log{"receiver 8 Alignment=1"}));

    for (StandInWindow* window : {document.get(), overlay.get(), palette.get(), dialog.get(), hiddenDialog.get()})
        window->close();
}

KVariable& customSizeOf(const KDialog& Dialog)
{
    return static_cast<KVariable&>(Dialog.getNamedObject(KCustomFontSizeDialog::kCustomFontSize));
}

std::string shownSize(KCustomFontSizeDialog& Dialog) { return textOf(Dialog.getSizeEditor().getField().getText()); }

class FontSizes : public ::testing::Test {
protected:
    FontSizes()
    {
        receiver->answers.answer("event 3", 1);
        receiver->answers.answer("event 4", 1);
    }

    // A dialog that holds a size (none when negative) and tells Receiver of its buttons.
    KCustomFontSizeDialogPtr makeDialog(long Size)
    {
        KCustomFontSizeDialogPtr dialog = new KCustomFontSizeDialog;
        if (Size >= 0) {
            KVariablePtr size = new KVariable(Size);
            dialog->addNamedObject(*size, KCustomFontSizeDialog::kCustomFontSize);
        }
        dialog->addReceiver(*receiver);
        return dialog;
    }

    FormatScope scope;
    KFontSizeMenuPtr menu = new KFontSizeMenu;
    StandInWindowPtr receiver = new StandInWindow("receiver", 2);
};

TEST_F(FontSizes, ASizeOfTheListChecksItsItemAndAnyOtherChecksOther)
{
    EXPECT_EQ(titles(*menu), "9#10074|10#10075|12#10077|14#10079|18#10083|24#10089|36#10101|48#10113|64#10129|"
                             "96#10161||Other...#10064");
    EXPECT_EQ(menu->getCustomSize(), 72);
    KString face;
    double systemSize = 0;
    kksGetStandardFont(kSystemFont, face, &systemSize);
    EXPECT_EQ(menu->getSize(), short(systemSize));

    choose(*menu, 3);
    EXPECT_EQ(checkedItems(*menu), "3");
    EXPECT_EQ(formatNotes(), (Log{"application 8 FontSize=12"}));
    menu->setSize(13);
    EXPECT_EQ(checkedItems(*menu), "12");
    menu->setSize(24);
    EXPECT_EQ(checkedItems(*menu), "6");
    EXPECT_EQ(menu->getSize(), 24);

    // Only the OK of a custom size dialog counts: its size, or the one kept before.
    KCustomFontSizeDialogPtr confirmed = makeDialog(36);
    KEventPtr ok = new KEvent;
    ok->setType(3);
    ok->setSource(*receiver);
    EXPECT_FALSE(menu->handleEvent(*ok));
    ok->setSource(*confirmed);
    EXPECT_TRUE(menu->handleEvent(*ok));
    EXPECT_EQ(checkedItems(*menu), "7");
    EXPECT_EQ(menu->getCustomSize(), 36);
    KCustomFontSizeDialogPtr empty = makeDialog(-1);
    ok->setSource(*empty);
    EXPECT_TRUE(menu->handleEvent(*ok));
    EXPECT_EQ(formatNotes(), (Log{"application 8 FontSize=36", "application 8 FontSize=36"}));
    ok->setType(4);
    EXPECT_FALSE(menu->handleEvent(*ok));
}

TEST_F(FontSizes, TheCustomSizeDialogShowsAndTakesSizesWithinSixTo256)
{
    KCustomFontSizeDialogPtr dialog = makeDialog(300);
    EXPECT_EQ(textOf(dialog->getTitle()), "Custom Font Size");
    EXPECT_EQ(dialog->getBounds().getSize(), KGraphicSize(250, 100));
    const KEditValueControl& editor = dialog->getSizeEditor();
    EXPECT_EQ(editor.getBounds(), KGraphicRectangle(10, 10, 230, editor.getVariantSize(2).getHeight()));
    EXPECT_EQ(textOf(editor.getLabel().getText()), "Custom Size:");
    dialog->open(KWindow::OpenHidden);
    EXPECT_EQ(shownSize(*dialog), "256");
    dialog->close();
    customSizeOf(*dialog).setLong(2);
    dialog->open(KWindow::OpenHidden);
    EXPECT_EQ(shownSize(*dialog), "6");

    // OK: the size entered, kept within the range, goes back into the variable and is
    // posted; the receivers hear of the OK.
    dialog->getSizeEditor().getField().setText(KString("500"));
    click(dialog->getOKButton());
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(customSizeOf(*dialog).getLong(), 256);
    EXPECT_EQ(formatNotes(), (Log{"receiver event 3", "application 8 FontSize=256 from KCustomFontSizeDialog"}));

    KCustomFontSizeDialogPtr cancelled = makeDialog(72);
    cancelled->open(KWindow::OpenHidden);
    EXPECT_EQ(shownSize(*cancelled), "72");
    cancelled->getSizeEditor().getField().setText(KString("30"));
    click(cancelled->getCancelButton());
    EXPECT_EQ(customSizeOf(*cancelled).getLong(), 72);
    EXPECT_EQ(formatNotes(), (Log{"receiver event 4"}));

    KCustomFontSizeDialogPtr bare = makeDialog(-1);
    bare->open(KWindow::OpenHidden);
    EXPECT_EQ(shownSize(*bare), "0");
    click(bare->getOKButton());
    EXPECT_FALSE(bare->isOpen());
    EXPECT_EQ(formatNotes(), (Log{"receiver event 3"}));
}

TEST_F(FontSizes, OtherOpensTheDialogAndItsOKChecksOtherAndSendsTheSize)
{
    choose(*menu, 12);
    KWindowPtr front;
    ASSERT_TRUE(KWindowManager::get().findFrontWindow(4, front));
    auto* dialog = dynamic_cast<KCustomFontSizeDialog*>(front.get());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(shownSize(*dialog), "72");
    EXPECT_EQ(checkedItems(*menu), "12");
    dialog->getSizeEditor().getField().setText(KString("13"));
    click(dialog->getOKButton());
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(checkedItems(*menu), "12");
    EXPECT_EQ(menu->getCustomSize(), 13);
    // The menu's own event at once, the dialog's from the queue.
    EXPECT_EQ(formatNotes(),
              (Log{"application 8 FontSize=13", "application 8 FontSize=13 from KCustomFontSizeDialog"}));
}

} // namespace
