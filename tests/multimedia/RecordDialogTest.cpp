// The "Record Sound" dialog on the test platform's capture device: the buttons through
// recording, playing back and stopping, the seconds counted while recording, the take kept
// where the save-file dialog or the name dialog says, or thrown away by Cancel or by any
// other close; a device that cannot record leaves the dialog as it was.
#include "application/CommonDialogsWin32.h"
#include "application/KDialogHandler.h"
#include "foundation/KLocalizer.h"
#include "foundation/KVariable.h"
#include "multimedia/recording/KEditSoundNameDialog.h"
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
    EXPECT_EQ(dialog->getTitle(), "Record Sound");
    EXPECT_EQ(dialog->getBounds().getSize(), KGraphicSize(361, 94));
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

} // namespace
