// The size menu and the custom font size dialog it opens from "Other...": the check marks
// of listed and unlisted sizes, the size kept within 6 to 256, and the two format events
// that a confirmed custom size brings.
#include "graphics/NativeTextWin32.h"
#include "tests/tools/FormatTestSupport.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/controls/KEditValueControl.h"
#include "tools/dialogs/KCustomFontSizeDialog.h"
#include "tools/menus/KFontSizeMenu.h"

#include <gtest/gtest.h>

namespace {

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
