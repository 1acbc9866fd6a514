// The format event finds its handler itself: its receivers, then the front dialog, the
// front palette window and the front document window, and last the application; overlay
// and top windows never see it.
#include "tests/tools/FormatTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatEvent, GoesToTheFrontDialogPaletteAndDocumentWindowThenTheApplication)
{
    FormatScope scope;
    KFormatEvent fresh;
    EXPECT_EQ(fresh.getType(), 1);
    EXPECT_TRUE(fresh.isEqualOrSubClass("KFormatEvent"));

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

} // namespace
