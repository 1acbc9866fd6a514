// The text format dialog (its inputs, its four pop-up buttons, the preview line, its
// results on OK, and the format events it keeps from the documents while in front) and the
// "Format" menu that opens it and sends its confirmed values.
#include "application/KApplicationEvent.h"
#include "application/KControlActionEvent.h"
#include "controls/KControlsLayer.h"
#include "foundation/KStringBag.h"
#include "graphics/NativeTextWin32.h"
#include "tests/tools/FormatTestSupport.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/controls/KImagePopUpMenuControl.h"
#include "tools/dialogs/KCustomFontSizeDialog.h"
#include "tools/dialogs/KTextFormatDialog.h"
#include "tools/menus/KBackgroundColorMenu.h"
#include "tools/menus/KFontColorMenu.h"
#include "tools/menus/KFontFaceMenu.h"
#include "tools/menus/KFontSizeMenu.h"
#include "tools/menus/KFontStyleMenu.h"
#include "tools/menus/KTextFormatMenu.h"

#include <gtest/gtest.h>

namespace {

KVariable& resultOf(const KDialog& Dialog, const char* Name)
{
    return static_cast<KVariable&>(Dialog.getNamedObject(KString(Name)));
}

template <typename Menu>
Menu& menuOf(const KImagePopUpMenuControl& Button)
{
    return static_cast<Menu&>(Button.getMenu());
}

// What the button posts when the user chose from its menu.
void chosenFrom(KImagePopUpMenuControl& Button)
{
    KControlActionEventPtr click = new KControlActionEvent;
    click->setType(KControlActionEvent::Done);
    click->setSource(Button);
    KApplicationEvent::post(*click);
    KApplicationEvent::flushQueue();
}

class TextFormat : public ::testing::Test {
protected:
    TextFormat()
    {
        receiver->answers.answer("event 3", 1);
        receiver->answers.answer("event 4", 1);
        const KStringBag faces = knsGetFontNames();
        face = faces.getStringAt(faces.getCount() > 1 ? 1 : 0);
    }

    // A dialog with the four inputs: the face, 12, bold italic and red.
    KTextFormatDialogPtr makeDialog()
    {
        KTextFormatDialogPtr dialog = new KTextFormatDialog;
        KThingPtr red = new KColor(kRed);
        KVariablePtr inputs[4] = {new KVariable(face), new KVariable(12L), new KVariable(3L), new KVariable};
        inputs[3]->setObject(*red);
        const char* names[4] = {KFormatEvent::kFontFace, KFormatEvent::kFontSize, KFormatEvent::kFontStyle,
                                KFormatEvent::kFontColor};
        for (int i = 0; i < 4; ++i)
            dialog->addNamedObject(*inputs[i], KString(names[i]));
        dialog->addReceiver(*receiver);
        return dialog;
    }

    FormatScope scope;
    StandInWindowPtr receiver = new StandInWindow("receiver", 2);
    KString face;
};

TEST_F(TextFormat, TheDialogShowsItsInputsFollowsItsButtonsAndWritesTheValuesOnOK)
{
    KTextFormatDialogPtr plain = new KTextFormatDialog;
    KString systemFace;
    double systemSize = 0;
    kksGetStandardFont(kSystemFont, systemFace, &systemSize);
    EXPECT_EQ(textOf(plain->getSampleText()), textOf(systemFace) + ", Plain, " + std::to_string(long(systemSize)));
    EXPECT_EQ(plain->getColor(), KColor(kBlack));

    KTextFormatDialogPtr dialog = makeDialog();
    dialog->open(KWindow::OpenHidden);
    EXPECT_EQ(textOf(dialog->getTitle()), "Text Format");
    EXPECT_EQ(menuOf<KFontFaceMenu>(dialog->getFaceButton()).getFontFace(), face);
    EXPECT_EQ(menuOf<KFontSizeMenu>(dialog->getSizeButton()).getSize(), 12);
    EXPECT_EQ(menuOf<KFontStyleMenu>(dialog->getStyleButton()).getStyle().getFlags(), 3u);
    EXPECT_EQ(menuOf<KFontColorMenu>(dialog->getColorButton()).getColor(), KColor(kRed));
    EXPECT_EQ(textOf(dialog->getSampleText()), textOf(face) + ", Bold, Italic, 12");

    // A choice in a button's menu changes the preview, and nothing else, until OK.
    KImagePopUpMenuControl& styles = dialog->getStyleButton();
    choose(menuOf<KFontStyleMenu>(styles), 3);
    choose(menuOf<KFontStyleMenu>(styles), 4);
    chosenFrom(styles);
    EXPECT_EQ(textOf(dialog->getSampleText()), textOf(face) + ", Bold, Underline, 12");
    EXPECT_EQ(resultOf(*dialog, KFormatEvent::kFontStyle).getLong(), 3);
    // A size entered through "Other..." reaches the size button's menu as the custom size
    // dialog closes; its format event brings it into the preview.
    menuOf<KFontSizeMenu>(dialog->getSizeButton()).setSize(30);
    KCustomFontSizeDialogPtr custom = new KCustomFontSizeDialog;
    KFormatEventPtr entered = new KFormatEvent;
    entered->setSource(*custom);
    EXPECT_TRUE(dialog->handleEvent(*entered));
    EXPECT_EQ(dialog->getSize(), 30);
    choose(menuOf<KFontSizeMenu>(dialog->getSizeButton()), 1);
    formatNotes();
    click(dialog->getOKButton());
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(formatNotes(), (Log{"receiver event 3"}));
    EXPECT_EQ(textOf(resultOf(*dialog, KFormatEvent::kFontFace).getString()), textOf(face));
    EXPECT_EQ(resultOf(*dialog, KFormatEvent::kFontSize).getLong(), 9);
    EXPECT_EQ(resultOf(*dialog, KFormatEvent::kFontStyle).getLong(), 5);
    EXPECT_EQ(*static_cast<KColor*>(resultOf(*dialog, KFormatEvent::kFontColor).getObject()), KColor(kRed));

    // Opened again, it has one row of buttons; Cancel writes nothing.
    dialog->open(KWindow::OpenHidden);
    EXPECT_EQ(dialog->getControlsLayer().getControls().getCount(), 6);
    choose(menuOf<KFontStyleMenu>(dialog->getStyleButton()), 2);
    click(dialog->getCancelButton());
    EXPECT_EQ(resultOf(*dialog, KFormatEvent::kFontStyle).getLong(), 5);
    EXPECT_EQ(formatNotes(), (Log{"application 8 FontStyle=4", "receiver event 4"}));
}

TEST_F(TextFormat, InFrontTheDialogKeepsFormatChangesFromDocumentsButItsOwn)
{
    StandInWindowPtr document = new StandInWindow("document", 2);
    document->open(KWindow::OpenShown);
    KTextFormatDialogPtr dialog = makeDialog();
    dialog->open(KWindow::OpenShown);
    choose(menuOf<KFontStyleMenu>(dialog->getStyleButton()), 1);
    EXPECT_EQ(KFormatEvent::sendEditCommand(KFormatEvent::Cut), 1);
    KFormatEventPtr own = new KFormatEvent;
    own->setKind(KFormatEvent::FormatChange);
    own->setSource(*dialog);
    KEvent::send(*own);
    KFormatEventPtr other = new KFormatEvent;
    other->setSource(*receiver);
    EXPECT_EQ(KEvent::send(*other), 1);
    EXPECT_EQ(formatNotes(), (Log{"document 8 from KTextFormatDialog", "application 8 from KTextFormatDialog"}));
    dialog->close();
    document->close();
}

TEST_F(TextFormat, TheFormatMenuOpensADialogPerChoiceAndSendsWhatEachConfirms)
{
    KTextFormatMenuPtr menu = new KTextFormatMenu;
    EXPECT_EQ(textOf(menu->getTitle()), "Format");
    EXPECT_EQ(titles(*menu),
              "Text Format...#10000^T||Font|Size|Style|Alignment|Text Color|Background Color");
    EXPECT_EQ(menu->getFontColorMenu().getOptions(), KColorMenu::OtherColorOption);

    // A sub-menu's choice is sent by the sub-menu; the Format menu lets it pass.
    choose(menu->getFontSizeMenu(), 6);
    EXPECT_EQ(formatNotes(), (Log{"application 8 FontSize=24"}));

    choose(*menu, 1);
    KWindowPtr first;
    ASSERT_TRUE(KWindowManager::get().findFrontWindow(4, first));
    choose(*menu, 1);
    KWindowPtr second;
    ASSERT_TRUE(KWindowManager::get().findFrontWindow(4, second));
    ASSERT_NE(first.get(), second.get());
    auto& confirmed = static_cast<KTextFormatDialog&>(*second);
    EXPECT_EQ(confirmed.getSize(), 24);
    click(confirmed.getOKButton());
    const std::string faceText = textOf(menu->getFontFaceMenu().getFontFace());
    EXPECT_EQ(formatNotes(), (Log{"application 8 FontFace=" + faceText +
                                  " FontSize=24 FontStyle=0 FontColor=000000000000 from KTextFormatDialog"}));
    // The Cancel reaches the menu, which lets it pass; no format change follows.
    click(static_cast<KDialog&>(*first).getCancelButton());
    EXPECT_EQ(formatNotes(), (Log{"application event 4"}));
    EXPECT_FALSE(first->isOpen());
}

} // namespace
