// The "Record Sound" dialog on the test platform's capture device: the buttons through
// recording, playing back and stopping, the seconds counted while recording, the take kept
// where the save-file dialog or the name dialog says, or thrown away by Cancel or by any
// other close; a device that cannot record leaves the dialog as it was. The level meter:
// its segments along the longer side, lit below the level, and the peak mark that holds
// for 800 ms.
#include "application/CommonDialogsWin32.h"
#include "application/KDialogHandler.h"
#include "foundation/KLocalizer.h"
#include "foundation/KVariable.h"
#include "multimedia/recording/KEditSoundNameDialog.h"
#include "multimedia/recording/KLevelMeterControl.h"
#include "multimedia/recording/KSoundRecordDialog.h"
#include "multimedia/recording/RecordingTexts.h"
#include "multimedia/recording/SoundCaptureWin32.h"
#include "tests/multimedia/RecordingTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

// Record, Play, Stop, OK and Cancel as "E" or "D".
std::string buttons(const KSoundRecordDialog& D)
{
    std::string states;
    for (const KThing* button : std::vector<const KThing*>{&D.getRecordButton(), &D.getPlayButton(),
                                                           &D.getStopButton(), &D.getOKButton(), &D.getCancelButton()})
        states += IsWindowEnabled(nativeOf(static_cast<const KControl&>(*button))) ? "E" : "D";
    return states;
}

std::string timeShown(const KSoundRecordDialog& D) { return D.getTimeText().getText().getText(); }

std::string pathText(const KPath& P)
{
    KString text;
    P.getPathText(text, kPlatformWindows, KPath::AsStored);
    return text.getText();
}

std::string takeOf(const KSoundRecordDialog& D) { return pathText(D.getRecordingPath()); }
bool exists(const std::string& Path) { return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The file the dialog named "Recorded Sound"; empty when there is none.
std::string recordedSound(const KDialog& D)
{
    if (!D.hasNamedObject(KString("Recorded Sound")))
        return "";
    auto& variable = static_cast<KVariable&>(D.getNamedObject(KString("Recorded Sound")));
    return pathText(static_cast<KFileReference*>(variable.getObject())->getPath());
}

KSoundRecordDialogPtr openDialog(const TemporaryFolder* Destination = nullptr)
{
    KSoundRecordDialogPtr dialog = new KSoundRecordDialog;
    if (Destination)
        dialog->setDirectory(KDirectory(fileReference(Destination->file("x")).getPath()));
    dialog->open(KWindow::OpenHidden);
    return dialog;
}

TEST(RecordDialog, RecordsCountingWholeSecondsAndThrowsTheTakeAwayOnCancel)
{
    RecordingScope scope;
    KSoundRecordDialogPtr dialog = openDialog();
    EXPECT_EQ(takeOf(*dialog), pathText(KFileSystem::getFileSystem().temporaryDirectory.getPath())
                                   + std::to_string(scope.clock.now() % 100000) + ".wav");
    EXPECT_EQ(buttons(*dialog), "EDDEE");
    EXPECT_EQ(scope->getIdleHandlerCount(), 1);
    for (int take = 0; take < 2; ++take) {
        press(dialog->getRecordButton());
        EXPECT_TRUE(KSoundRecorder::getInstance().isRecording());
        // Nothing plays while the recorder records.
        EXPECT_EQ(KMediaManager::getMediaManager().getOpenSupports(), 0u);
        EXPECT_EQ(buttons(*dialog), "DDEDD");
        EXPECT_EQ(timeShown(*dialog), "00:00:00");
        scope.step(1000);
        scope.step(1);
        EXPECT_EQ(timeShown(*dialog), "00:00:01");
        scope.step(1001);
        EXPECT_EQ(timeShown(*dialog), "00:00:02");
        press(dialog->getStopButton());
        EXPECT_NE(KMediaManager::getMediaManager().getOpenSupports(), 0u);
        EXPECT_EQ(buttons(*dialog), "EEDEE");
        scope.step(5000);
        EXPECT_EQ(timeShown(*dialog), "00:00:02");
    }
    press(dialog->getCancelButton());
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(dialog->getResult(), KDialog::CancelResult);
    EXPECT_FALSE(exists(takeOf(*dialog)));
    EXPECT_EQ(scope->getIdleHandlerCount(), 0);
}

TEST(RecordDialog, PlaysTheTakeBackAndFreesTheButtonsWhenItHasPlayedOut)
{
    RecordingScope scope;
    KSoundRecordDialogPtr dialog = openDialog();
    press(dialog->getRecordButton());
    // A tenth of a second, as the platform's capture thread delivers it.
    EXPECT_TRUE(pollUntil([] { return SoundCapture::getBytesWritten() >= 4410; }));
    press(dialog->getStopButton());
    const Bytes take = readAll(takeOf(*dialog));
    const uint32 size = SoundCapture::getBytesWritten();
    ASSERT_EQ(take.size(), 56u + size + (size & 1));
    EXPECT_EQ(std::vector<uint32>({longAt(take, 24), longAt(take, 44), longAt(take, 52)}),
              std::vector<uint32>({22050, size / 2, size}));

    press(dialog->getPlayButton());
    ASSERT_TRUE(dialog->hasSound());
    EXPECT_EQ(buttons(*dialog), "DDEDD");
    press(dialog->getRecordButton());
    EXPECT_FALSE(KSoundRecorder::getInstance().isRecording());
    EXPECT_TRUE(pollUntil([&] {
        scope.step();
        return !dialog->hasSound();
    }));
    EXPECT_EQ(buttons(*dialog), "EEDEE");
    // Stop ends a playback at once.
    press(dialog->getPlayButton());
    KSoundPtr sound = &dialog->getSound();
    press(dialog->getStopButton());
    EXPECT_FALSE(dialog->hasSound());
    EXPECT_EQ(sound->getState(), 0);
    EXPECT_EQ(buttons(*dialog), "EEDEE");
    // Closed in any other way than by its buttons, it throws its take away too.
    press(dialog->getRecordButton());
    SendMessageA(static_cast<HWND>(dialog->getNativeWindow()), WM_CLOSE, 0, 0);
    EXPECT_FALSE(KSoundRecorder::getInstance().isRecording());
    EXPECT_FALSE(dialog->getTimer().isRunning());
    EXPECT_FALSE(exists(takeOf(*dialog)));
    EXPECT_EQ(scope->getIdleHandlerCount(), 0);
}

long failToCreate(unsigned long, IDirectSoundCapture**) { return E_FAIL; }

TEST(RecordDialog, WithoutACaptureDeviceNeitherRecordsNorReportsASound)
{
    RecordingScope scope;
    SoundCapture::setCaptureFactory(&failToCreate);
    KSoundRecordDialogPtr dialog = openDialog();
    SoundCapture::setCaptureFactory(nullptr);
    press(dialog->getRecordButton());
    EXPECT_EQ(buttons(*dialog), "EDDEE");
    EXPECT_NE(KMediaManager::getMediaManager().getOpenSupports(), 0u);
    scope.step(1500);
    EXPECT_EQ(timeShown(*dialog), "00:00:00");
    // OK with nothing recorded closes as Cancel would.
    press(dialog->getOKButton());
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(dialog->getResult(), KDialog::CancelResult);
    EXPECT_EQ(recordedSound(*dialog), "");
}

TEST(RecordDialog, KeepsTheTakeWhereTheSaveFileDialogSays)
{
    RecordingScope scope;
    TemporaryFolder folder;
    KDialogHandler::initDialogHandler();
    std::string chosen, proposed, start;
    CommonDialogAnswersWin32 answers;
    answers.saveFile = [&](void* Record) {
        auto& record = *static_cast<OPENFILENAMEA*>(Record);
        proposed = record.lpstrFile;
        start = record.lpstrInitialDir;
        std::strcpy(record.lpstrFile, chosen.c_str());
        return !chosen.empty();
    };
    setCommonDialogAnswersWin32(answers);
    KSoundRecordDialogPtr dialog = openDialog(&folder);
    press(dialog->getRecordButton());
    press(dialog->getStopButton());
    const Bytes take = readAll(takeOf(*dialog));
    // Cancelled, the save-file dialog leaves the take and the dialog as they were.
    press(dialog->getOKButton());
    EXPECT_EQ(proposed, "Recorded Sound.wav");
    EXPECT_EQ(start, folder.path() + "\\");
    EXPECT_TRUE(dialog->isOpen() && exists(takeOf(*dialog)));

    chosen = folder.file("mine.wav");
    press(dialog->getOKButton());
    EXPECT_EQ(dialog->getResult(), KDialog::OKResult);
    EXPECT_EQ(recordedSound(*dialog), chosen);
    EXPECT_EQ(readAll(chosen), take);
    EXPECT_FALSE(exists(takeOf(*dialog)));
    EXPECT_EQ(scope->getIdleHandlerCount(), 0);
    setCommonDialogAnswersWin32({});
    KDialogHandler::exitDialogHandler();
}

TEST(RecordDialog, ProposesAFreeNameAndAsksBeforeOverwritingASound)
{
    RecordingScope scope;
    TemporaryFolder folder;
    for (const char* name : {"Recorded Sound.wav", "Recorded Sound-2.wav"})
        writeFile(folder, name, Bytes(3, 1));
    KSoundRecordDialogPtr dialog = openDialog(&folder);
    dialog->setOption(KSoundRecordDialog::NameOption);
    press(dialog->getRecordButton());
    press(dialog->getStopButton());
    const Bytes take = readAll(takeOf(*dialog));
    ReportCatcher catcher;
    // Each step of the name dialog's loop types a name and presses OK: a name that cannot
    // name a file is refused, an existing sound is overwritten only after a yes.
    const char* const typed[] = {"a/b", "  ", "Recorded Sound", "Recorded Sound"};
    size_t step = 0;
    std::string proposed;
    KDialog::setModalStep([&](KDialog& D) {
        auto& field = static_cast<KEditSoundNameDialog&>(D).getNameField();
        if (step == 0)
            proposed = field.getText().getText();
        catcher.answerBoxesWith(step == 3 ? IDYES : IDNO);
        field.setText(KString(typed[step++]));
        press(D.getOKButton());
    });
    press(dialog->getOKButton());
    KDialog::setModalStep(nullptr);
    EXPECT_EQ(proposed, "Recorded Sound-3");
    ASSERT_EQ(catcher.boxes().size(), 2u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Warning!");
    EXPECT_EQ(catcher.boxes()[0].text, "This sound already exists. Are you sure you want to overwrite it?");
    EXPECT_EQ(dialog->getResult(), KDialog::OKResult);
    EXPECT_EQ(dialog->getSoundName(), "Recorded Sound");
    EXPECT_EQ(recordedSound(*dialog), folder.file("Recorded Sound.wav"));
    EXPECT_EQ(readAll(folder.file("Recorded Sound.wav")), take);
    EXPECT_FALSE(exists(takeOf(*dialog)));
}

TEST(RecordDialog, TakesItsTextsFromTheLibrarysLocalizer)
{
    RecordingScope scope;
    KLocalizerPtr texts = new KLocalizer;
    const KString french("Fran\xE7" "ais");
    texts->addLanguage(french);
    texts->setText(KString("Recorded Sound"), texts->findLanguage(french), KString());
    texts->setText(KString("Record Sound"), texts->findLanguage(french), KString("Enregistrer Son"));
    texts->setLanguage(french);
    RecordingTexts::setLocalizer(texts.get());
    KSoundRecordDialogPtr dialog = openDialog();
    RecordingTexts::setLocalizer(nullptr);
    EXPECT_EQ(dialog->getSoundName(), "");
    EXPECT_EQ(dialog->getTitle(), "Enregistrer Son");
    dialog->close();
}

// Each segment's colour (Dark, Light, Red), after its place and size ("x,y wxh") when
// asked for, in drawing order.
std::string drawing(const KLevelMeterControl& M, const KGraphicRectangle& Area, bool Places = true)
{
    std::string out;
    for (const KLevelMeterControl::Segment& s : M.layOut(Area)) {
        const KGraphicRectangle& b = s.bounds;
        if (Places)
            out += std::to_string(b.getH()) + "," + std::to_string(b.getV()) + " " + std::to_string(b.getWidth()) + "x"
                   + std::to_string(b.getHeight());
        out += std::string(s.color == kDarkGray ? "D" : s.color == kLightGray ? "L" : "R") + (Places ? " " : "");
    }
    return out;
}

TEST(LevelMeter, LaysItsSegmentsAlongTheLongerSideAndHoldsThePeakFor800Milliseconds)
{
    DrivenClock clock;
    KLevelMeterControlPtr meter = new KLevelMeterControl;
    meter->setLevel(25.0f);
    EXPECT_EQ(drawing(*meter, KGraphicRectangle(0, 0, 100, 20)),
              "0,4 6x12D 10,4 6x12D 20,4 6x12D 30,4 6x12L 40,4 6x12L 50,4 6x12L 60,4 6x12L 70,4 6x12L 80,4 6x12L "
              "90,4 6x12L 20,4 6x12D ");
    // Upwards from the bottom edge, in the middle of the width; nothing when shorter than
    // one segment.
    EXPECT_EQ(drawing(*meter, KGraphicRectangle(5, 10, 20, 40)), "9,44 12x6D 9,34 12x6L 9,24 12x6L 9,14 12x6L 9,34 12x6D ");
    EXPECT_EQ(drawing(*meter, KGraphicRectangle(0, 0, 9, 5)), "");

    const struct {
        uint32 after;
        float level;
        const char* shown;
    } steps[] = {
        // A full-scale peak marks the last segment.
        {0, 150.0f, "DDDDDDDDDDR"},
        {800, -5.0f, "LLLLLLLLLLR"},
        {1, -5.0f, "LLLLLLLLLL"},
        {0, 85.0f, "DDDDDDDDDLR"},
        {500, 40.0f, "DDDDLLLLLLR"},
        {301, 72.0f, "DDDDDDDDLL"},
        {0, 72.0f, "DDDDDDDDLLD"},
    };
    for (const auto& s : steps) {
        clock.advance(s.after);
        meter->setLevel(s.level);
        EXPECT_EQ(drawing(*meter, KGraphicRectangle(0, 0, 100, 20), false), s.shown) << s.level;
    }
}

} // namespace
