// The sound-highlight editor's sounds on the test platform's devices: a chosen sound's
// length, read or, when it reads 0, timed by playing it (bounded, the commands waiting);
// a recorded take played with its words, looped, stopped and handed back on OK.
#include "multimedia/recording/SoundCaptureWin32.h"
#include "tests/speechextras/SoundHiliteEditorTestSupport.h"

#include <functional>

namespace {

// Runs Step at each pass of the application's loop until it ends.
class LoopStep : public KThing {
public:
    explicit LoopStep(std::function<void()> Step)
        : m_step(std::move(Step))
    {
        KApplication::getApplication()->addIdleHandler(*this);
    }
    void periodicTask() override
    {
        ++passes;
        m_step();
    }
    void end() { KApplication::getApplication()->removeIdleHandler(*this); }
    int passes = 0;

private:
    std::function<void()> m_step;
};
K_POINTER_CLASS(LoopStep, KThingPtr);

std::string pathOf(const KFileReference& File)
{
    KString text;
    File.getPath().getPathText(text, kPlatformWindows, KPath::AsStored);
    return text.getText();
}

TEST(SoundHiliteEditorSounds, AChosenSoundsLengthIsReadOrTimedByPlayingItOnceAndAtMostAnHour)
{
    EditorScope scope;
    TestEditorPtr editor = scope.open();
    editor->getTextField().setText(KString("the cat sat"));
    ReportCatcher catcher;
    catcher.answerBoxesWith(IDNO);
    press(editor->getSelectButton());
    EXPECT_TRUE(scope.titles.empty());
    catcher.answerBoxesWith(IDYES);
    const std::string reading = writeFile(scope.folder, "reading.wav", waveBytes(WaveShape(1, 8000, 8, 2700)));
    scope.answers = {reading};
    press(editor->getSelectButton());
    EXPECT_EQ(catcher.boxes().at(1).text, "Selecting a new sound will clear any edited markers. Are you sure to proceed?");
    EXPECT_EQ(scope.titles, std::vector<std::string>{"Select Sound"});
    EXPECT_EQ(markersOf(editor->getMarkers()) + " " + std::to_string(editor->getSoundLength()),
              "the@0 cat@981 sat@1963 2700");

    // Without a duration to read, the sound plays through once; meanwhile no command
    // starts and the editor does not close.
    editor->timedByPlaying = true;
    scope.answers = {reading};
    LoopStepPtr step = new LoopStep([&] {
        ASSERT_TRUE(editor->isMeasuring());
        press(editor->getUpdateButton());
        press(editor->getCancelButton());
        SendMessageA(static_cast<HWND>(editor->getNativeWindow()), WM_CLOSE, 0, 0);
        EXPECT_TRUE(editor->isOpen());
        scope.clock.advance(2500);
        editor->lastSound->stop();
    });
    press(editor->getSelectButton());
    step->end();
    EXPECT_EQ(catcher.boxes().size(), 3u);
    EXPECT_EQ(editor->getSoundLength(), 2500);
    EXPECT_FALSE(editor->isMeasuring());

    editor->looping = true;
    scope.answers = {reading};
    LoopStepPtr hours = new LoopStep([&] { scope.clock.advance(1000000); });
    press(editor->getSelectButton());
    hours->end();
    EXPECT_EQ(editor->getSoundLength(), KSoundHiliteEditorDialog::kLongestMeasure);
    EXPECT_LE(hours->passes, 4);
}

// Nothing announces the end of a sound being timed: the loop looks at it between waits
// for the next message or timer, a poll period at most, instead of spinning meanwhile.
TEST(SoundHiliteEditorSounds, TimingASoundWaitsBetweenLooksAtIt)
{
    EditorScope scope;
    TestEditorPtr editor = scope.open();
    RecordedWait waits;
    waits.clock = &scope.clock;
    editor->clockedLength = 2000;
    scope.answers = {writeFile(scope.folder, "reading.wav", waveBytes(WaveShape(1, 8000, 8, 2700)))};
    // A loop that never waits never moves the clock: an hour ends it.
    int spins = 0;
    LoopStepPtr steps = new LoopStep([&] {
        if (waits.timeOuts.empty() && ++spins > 1000)
            scope.clock.advance(KSoundHiliteEditorDialog::kLongestMeasure);
    });
    ReportCatcher catcher;
    catcher.answerBoxesWith(IDYES);
    press(editor->getSelectButton());
    steps->end();
    EXPECT_LE(steps->passes, 25);
    EXPECT_GE(editor->getSoundLength(), 2000);
    EXPECT_LE(editor->getSoundLength(), 2000 + long(KSoundHiliteEditorDialog::kMeasurePollPeriod));
}

TEST(SoundHiliteEditorSounds, ARecordedTakeIsPlayedWithItsWordsLoopedAndHandedBackOnOK)
{
    EditorScope scope;
    TestEditorPtr editor = scope.open();
    editor->getTextField().setText(KString("the cat sat"));
    scope.answers = {scope.folder.file("take.wav")};
    uint32 captured = 0;
    KDialog::setModalStep([&](KDialog& D) {
        auto& recorder = static_cast<KSoundRecordDialog&>(D);
        if (!KSoundRecorder::getInstance().isRecording()) {
            press(recorder.getRecordButton());
            return;
        }
        // A tenth of a second, as the platform's capture thread delivers it.
        EXPECT_TRUE(pollUntil([] { return SoundCapture::getBytesWritten() >= 4410; }));
        press(recorder.getStopButton());
        captured = SoundCapture::getBytesWritten();
        press(recorder.getOKButton());
    });
    ReportCatcher catcher;
    catcher.answerBoxesWith(IDYES);
    press(editor->getRecordButton());
    KDialog::setModalStep(nullptr);
    ASSERT_EQ(pathOf(editor->getSoundFile()), scope.folder.file("take.wav"));
    // 16-bit samples, 22,050 a second.
    EXPECT_NEAR(editor->getSoundLength(), captured / 2 * 1000.0 / 22050, 1.0);
    const long sat = 8 * editor->getSoundLength() / 11;
    ASSERT_EQ(SoundHiliteMarkers::at(editor->getMarkers(), 2).getTime(), sat);

    // Played with a shorter text than the markers were made for: the heard word is
    // marked, and the range the reading reports for it stays within the text.
    editor->getTextField().setText(KString("the cat"));
    KSoundHiliteMedia& media = editor->getMedia();
    press(editor->getPlayButton());
    EXPECT_STREQ(editor->getPlayButton().getTitle().getText(), "Stop");
    scope.step(sat + 1);
    EXPECT_TRUE(SoundHiliteMarkers::at(editor->getMarkers(), 2).isSelected());
    EXPECT_EQ(editor->countSelectedMarkers(), 1);
    EXPECT_EQ(std::make_pair(media.getHighlightedWordStart(), media.getHighlightedWordLength()), std::make_pair(8L, 0L));
    EXPECT_TRUE(pollUntil([&] {
        scope.step();
        return !editor->isPlaying();
    }));
    EXPECT_STREQ(editor->getPlayButton().getTitle().getText(), "Play");
    EXPECT_EQ(editor->countSelectedMarkers(), 0);

    // Looping, the take starts over by itself until Stop.
    editor->getLoopingBox().setSelected(true);
    press(editor->getPlayButton());
    // Held, so that the next sound cannot take its place in memory.
    KSoundPtr first = &media.getSound();
    EXPECT_TRUE(pollUntil([&] {
        scope.step();
        return media.hasSound() && &media.getSound() != first.get() && media.isPlaying();
    }));
    press(editor->getPlayButton());
    EXPECT_FALSE(media.isPlaying() || editor->isPlaying());

    editor->getTextField().setText(KString("the cat sat"));
    press(editor->getOKButton());
    EXPECT_EQ(editor->getResult(), KDialog::OKResult);
    auto& handed = static_cast<KVariable&>(editor->getNamedObject(KString(KSoundHiliteEditorDialog::kMediaName)));
    EXPECT_EQ(handed.getObject(), &media);
    EXPECT_EQ(std::string(media.getText().getText()) + " " + markersOf(media.getMarkers()) + " " + pathOf(media.getSoundFile()),
              "the cat sat " + markersOf(editor->getMarkers()) + " " + scope.folder.file("take.wav"));
    EXPECT_FALSE(media.getReceivers().has(*editor));
    EXPECT_EQ(scope->getIdleHandlerCount(), 0);
    EXPECT_EQ(KSoundHiliteEditorDialog::getRememberedFrame(), editor->getBounds());
}

} // namespace
