// The about box: the picture on top, the owner's lines rolling under it, and the place it
// was closed with OK remembered for the next one.
#include "tools/dialogs/KAboutDialog.h"
#include "controls/KControlsLayer.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(AboutDialog, RollsTheLinesUnderThePictureAndOpensWhereItWasLastConfirmed)
{
    ToolsScope scope;
    KAboutDialogPtr about = new KAboutDialog;
    about->setImageResourceID(257);
    about->setDialogTitle("About the Player");
    for (const char* line : {"First", "", "Third"})
        about->addTextLine(line);
    about->open(KWindow::OpenHidden);
    EXPECT_EQ(textOf(about->getTitle()), "About the Player");
    EXPECT_EQ(about->getBounds(), KGraphicRectangle(100, 100, 320, 200 + 160));
    EXPECT_EQ(about->getStandardButtons(), KDialog::OKButton);
    const KTextDisplayControl& band = about->getTextDisplay();
    EXPECT_EQ(band.getBounds(), KGraphicRectangle(0, 200, 320, 120));
    EXPECT_FALSE(band.hasBorder());
    EXPECT_TRUE(band.getTimer().isRunning());
    const KTextBlock& lines = band.getTextBlock();
    ASSERT_EQ(lines.getLineCount(), 3);
    EXPECT_EQ(textOf(lines.getLineAt(1).getText()), " ");

    about->setPosition(KGraphicPoint(150, 120));
    click(about->getOKButton());
    EXPECT_FALSE(about->isOpen());
    EXPECT_FALSE(band.getTimer().isRunning());
    EXPECT_EQ(KAboutDialog::getRememberedFrame().getOrigin(), KGraphicPoint(150, 120));

    // Opened again: at the new place, with one band; closed without OK, the place stays.
    about->open(KWindow::OpenHidden);
    EXPECT_EQ(about->getBounds(), KGraphicRectangle(150, 120, 320, 360));
    EXPECT_EQ(about->getControlsLayer().getControls().getCount(), 2);
    about->setPosition(KGraphicPoint(10, 10));
    about->close();
    EXPECT_EQ(KAboutDialog::getRememberedFrame().getOrigin(), KGraphicPoint(150, 120));
}

} // namespace
