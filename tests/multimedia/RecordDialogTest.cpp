// The "Record Sound" dialog: its controls and size, the buttons through recording, playing
// back and stopping, the seconds counted while recording, and the take thrown away by
// Cancel or by any other close; a device that cannot record leaves the dialog as it was.
#include "controls/KControlsLayer.h"
#include "multimedia/recording/KSoundRecordDialog.h"
#include "multimedia/recording/SoundCaptureWin32.h"
#include "tests/multimedia/RecordingTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Record, Play, Stop, OK and Cancel as "E" or "D".
std::string buttons(const KSoundRecordDialog& D)
{
    std::string states;
    const KThing* all[] = {&D.getRecordButton(), &D.getPlayButton(), &D.getStopButton(), &D.getOKButton(),
                           &D.getCancelButton()};
    for (const KThing* button : all)
        states += IsWindowEnabled(nativeOf(static_cast<const KControl&>(*button))) ? "E" : "D";
    return states;
}

std::string timeShown(const KSoundRecordDialog& D) { return D.getTimeText().getText().getText(); }

KFileReference takeOf(const KSoundRecordDialog& D) { return KFileReference(D.getRecordingPath()); }

std::string pathText(const KPath& P)
{
    KString text;
    P.getPathText(text, kPlatformWindows, KPath::AsStored);
    return text.getText();
}

TEST(RecordDialog, OpensWithItsControlsAndTheCaptureDevice)
{
    RecordingScope scope;
    KSoundRecordDialogPtr dialog = new KSoundRecordDialog;
    EXPECT_EQ(pathText(dialog->getRecordingPath()),
              pathText(KFileSystem::getFileSystem().temporaryDirectory.getPath()) + std::to_string(scope.clock.now() % 100000) + ".wav");
    EXPECT_EQ(dialog->getSoundName(), "Recorded Sound");
    EXPECT_EQ(dialog->getOption(), KSoundRecordDialog::SaveFileOption);
    dialog->open(KWindow::OpenHidden);
    EXPECT_EQ(dialog->getTitle(), "Record Sound");
    EXPECT_TRUE(SoundCapture::hasCaptureBuffer());
    EXPECT_EQ(scope->getIdleHandlerCount(), 1);
    std::string controls;
    const KBag& all = dialog->getControlsLayer().getControls();
    for (long i = 0; i < all.getCount(); ++i) {
        const auto& control = static_cast<const KControl&>(all[i]);
        const KGraphicRectangle b = control.getBounds();
        const auto* button = dynamic_cast<const KPushButtonControl*>(&control);
        controls += (button ? std::string(button->getTitle().getText()) : "time") + "@" + std::to_string(b.getH()) + ","
                    + std::to_string(b.getV()) + " " + std::to_string(b.getWidth()) + "x" + std::to_string(b.getHeight()) + " ";
    }
    EXPECT_EQ(controls, "Record@16,16 85x20 Play@109,16 80x20 Stop@197,16 80x20 time@285,18 60x20 "
                        "OK@161,64 90x20 Cancel@261,64 90x20 ");
    EXPECT_EQ(dialog->getBounds().getSize(), KGraphicSize(361, 94));
    EXPECT_EQ(buttons(*dialog), "EDDEE");
    EXPECT_EQ(timeShown(*dialog), "00:00:00");
    // A level meter, when one is set, hears the recorder's level at each idle pass.
    KLevelMeterControlPtr meter = new KLevelMeterControl;
    dialog->setLevelMeter(*meter);
    scope.step();
    EXPECT_FLOAT_EQ(meter->getLevel(), 50.0f);
    dialog->close();
}

TEST(RecordDialog, CountsWholeSecondsWhileRecordingAndFromZeroAtEachRecord)
{
    RecordingScope scope;
    KSoundRecordDialogPtr dialog = new KSoundRecordDialog;
    dialog->open(KWindow::OpenHidden);
    for (int take = 0; take < 2; ++take) {
        press(dialog->getRecordButton());
        EXPECT_TRUE(KSoundRecorder::getInstance().isRecording());
        EXPECT_EQ(buttons(*dialog), "DDEDD");
        EXPECT_EQ(timeShown(*dialog), "00:00:00");
        scope.step(999);
        scope.step(2);
        EXPECT_EQ(timeShown(*dialog), "00:00:01");
        scope.step(1001);
        EXPECT_EQ(timeShown(*dialog), "00:00:02");
        press(dialog->getStopButton());
        EXPECT_FALSE(KSoundRecorder::getInstance().isRecording());
        EXPECT_EQ(buttons(*dialog), "EEDEE");
        // Stopped, the time stands still.
        scope.step(5000);
        EXPECT_EQ(timeShown(*dialog), "00:00:02");
        EXPECT_TRUE(takeOf(*dialog).exists());
    }
    // Cancel throws the take away and ends the idle handling.
    press(dialog->getCancelButton());
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(dialog->getResult(), KDialog::CancelResult);
    EXPECT_FALSE(takeOf(*dialog).exists());
    EXPECT_EQ(scope->getIdleHandlerCount(), 0);
}

TEST(RecordDialog, PlaysTheTakeBackAndFreesTheButtonsWhenItHasPlayedOut)
{
    RecordingScope scope;
    KSoundRecordDialogPtr dialog = new KSoundRecordDialog;
    dialog->open(KWindow::OpenHidden);
    press(dialog->getRecordButton());
    // A tenth of a second of sound, as the platform's capture thread delivers it.
    EXPECT_TRUE(pollUntil([] { return SoundCapture::getBytesWritten() >= 4410; }));
    press(dialog->getStopButton());
    press(dialog->getPlayButton());
    ASSERT_TRUE(dialog->hasSound());
    EXPECT_EQ(buttons(*dialog), "DDEDD");
    // Record and Play do nothing while the take plays.
    press(dialog->getRecordButton());
    EXPECT_FALSE(KSoundRecorder::getInstance().isRecording());
    EXPECT_TRUE(pollUntil([&] {
        scope.step();
        return !dialog->hasSound();
    }));
    EXPECT_EQ(buttons(*dialog), "EEDEE");

    // Stop ends a playback at once.
    press(dialog->getPlayButton());
    ASSERT_TRUE(dialog->hasSound());
    KSoundPtr sound = &dialog->getSound();
    press(dialog->getStopButton());
    EXPECT_FALSE(dialog->hasSound());
    EXPECT_EQ(sound->getState(), 0);
    EXPECT_EQ(buttons(*dialog), "EEDEE");
    dialog->close();
}

TEST(RecordDialog, ClosedAnyOtherWayItStopsTheRecordingAndThrowsTheTakeAway)
{
    RecordingScope scope;
    KSoundRecordDialogPtr dialog = new KSoundRecordDialog;
    dialog->open(KWindow::OpenHidden);
    press(dialog->getRecordButton());
    SendMessageA(static_cast<HWND>(dialog->getNativeWindow()), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_FALSE(KSoundRecorder::getInstance().isRecording());
    EXPECT_FALSE(dialog->getTimer().isRunning());
    EXPECT_FALSE(takeOf(*dialog).exists());
    EXPECT_EQ(scope->getIdleHandlerCount(), 0);
}

long failToCreate(unsigned long, IDirectSoundCapture**) { return E_FAIL; }

TEST(RecordDialog, WithoutACaptureDeviceNeitherRecordsNorReportsASound)
{
    RecordingScope scope;
    SoundCapture::setCaptureFactory(&failToCreate);
    KSoundRecordDialogPtr dialog = new KSoundRecordDialog;
    dialog->open(KWindow::OpenHidden);
    SoundCapture::setCaptureFactory(nullptr);
    press(dialog->getRecordButton());
    EXPECT_EQ(buttons(*dialog), "EDDEE");
    scope.step(1500);
    EXPECT_EQ(timeShown(*dialog), "00:00:00");
    // OK with nothing recorded closes as Cancel would.
    press(dialog->getOKButton());
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(dialog->getResult(), KDialog::CancelResult);
    EXPECT_FALSE(dialog->hasNamedObject(KString("Recorded Sound")));
    EXPECT_EQ(scope->getIdleHandlerCount(), 0);
}

} // namespace
