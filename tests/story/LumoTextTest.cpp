// Spoken texts: a new text and its block, the word feedback turned into the highlighted
// characters, readings by speech and by a recorded sound played under the tape's timer,
// and the text's geometry, silhouette and media file. Text is drawn by the platform's
// fonts, so drawings are checked by where ink falls and in which colour.
#include "multimedia/KSoundHiliteMarker.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "story/LumoText.h"
#include "tests/story/StoryMediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

namespace {

using TextPtr = KTypedPtr<LumoText, TapeGraphicObjectPtr>;

// A text of these lines in Arial 14, black on white, highlighting in red, at R.
inline TextPtr textOf(std::initializer_list<const char*> Lines, const KGraphicRectangle& R = KGraphicRectangle(10, 10, 180, 80))
{
    TextPtr text(new LumoText);
    KTextBlockPtr block(new KTextBlock);
    for (const char* line : Lines) {
        auto* made = new KTextLine;
        made->appendStyleRun(KString(line), KFont(KString("Arial"), 14.0, kPlatformWindows), KColor(kBlack));
        block->addLine(made);
    }
    text->setTextBlock(*block);
    text->setBounds(R);
    text->setBackgroundColor(kWhite);
    text->setHighlightColor(kRed);
    return text;
}

// Word feedback as the media send it; a negative Length leaves the word out.
inline bool hearWord(LumoText& Text, long Start, long Length, long Elapsed = -1)
{
    KMediaFeedbackEventPtr event = new KMediaFeedbackEvent;
    if (Length >= -1) {
        event->setLong(KMediaFeedbackEvent::kWordStart, Start);
        event->setLong(KMediaFeedbackEvent::kWordLength, Length);
    }
    if (Elapsed >= 0)
        event->setLong(KMediaFeedbackEvent::kElapsedTime, Elapsed);
    return Text.handleEvent(*event);
}

// Where the pixels for which Test holds lie within R: their count and their box.
struct Ink {
    long pixels = 0;
    short top = 32767, bottom = -1;
};

inline Ink inkIn(const KGraphicDevice& Device, const KGraphicRectangle& R, const std::function<bool(uint32)>& Test)
{
    Ink ink;
    for (short y = R.getV(); y < R.getV() + R.getHeight(); ++y) {
        for (short x = R.getH(); x < R.getH() + R.getWidth(); ++x) {
            if (Test(Device.getPixel(x, y).getNativeColor())) {
                ++ink.pixels;
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
        }
    }
    return ink;
}

inline bool isReddish(uint32 Native) { return (Native & 0xFF) > 150 && (Native >> 8 & 0xFF) < 110 && (Native >> 16) < 110; }
inline bool isNotWhite(uint32 Native) { return Native != 0xFFFFFF; }

class SpokenTexts : public StoryMediaTest {
protected:
    // Inside the text's rectangle: all its ink (what is not the white it is painted on, or
    // the black page under a transparent text), and the red of the highlight.
    static Ink ink(const MediaStage& Stage, const LumoText& Text, bool Red)
    {
        KGraphicRectangle bounds;
        Text.getBounds(bounds);
        const auto notPage = Text.hasTransparentBackground() ? [](uint32 C) { return C != 0; } : isNotWhite;
        return inkIn(Stage.pageDevice(), bounds, Red ? isReddish : notPage);
    }
    // Whether the red lies in the upper half of the text's ink, its first line.
    static bool redOnFirstLine(const MediaStage& Stage, const LumoText& Text)
    {
        const Ink all = ink(Stage, Text, false);
        return ink(Stage, Text, true).bottom < (all.top + all.bottom) / 2;
    }
    static long readLong(const Bytes& B, size_t At)
    {
        return long(B[At]) << 24 | long(B[At + 1]) << 16 | long(B[At + 2]) << 8 | long(B[At + 3]);
    }
};

TEST_F(SpokenTexts, ANewTextIsShownCentredInTheClassDefaultsAndEndsAtOnce)
{
    MediaStage stage(640, 480);
    stage.application().setLastUsedVoice(KString("Anna"));
    LumoText::setDefaultFont(KFont(KString("Arial"), 24.0, kPlatformWindows));
    LumoText::setDefaultBackgroundColor(kWhite);
    TextPtr text(new LumoText);
    LumoText::setDefaultFont(KFont());
    LumoText::setDefaultBackgroundColor(KColor());
    KGraphicRectangle bounds;
    text->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(120, 140, 400, 200));
    const KTextLine& line = text->getTextBlock().getLineAt(0);
    EXPECT_STREQ(line.getText().getText(), "New Text");
    EXPECT_EQ(line.getStyleRunAt(0).getFont().getSize(kPlatformWindows), 24.0);
    EXPECT_STREQ(text->getVoice().getText(), "Anna");
    // Played, it is drawn on white and the next object starts on the next tick.
    stage.tape->append(*text);
    stage.tape->append(*ProbePtr(new Probe(stage.journal(), "next", 100)));
    stage.tape->start(0);
    EXPECT_EQ(ticksUntil(*stage.tape, stage.journal(), "next start"), 2);
    EXPECT_EQ(pixelRows(stage.pageDevice(), 119, 140, 3, 1), PixelRows{".##"});
    EXPECT_EQ(pixelRows(stage.pageDevice(), 518, 339, 3, 1), PixelRows{"##."});
    EXPECT_GT(ink(stage, *text, false).pixels, 20);
}

TEST_F(SpokenTexts, BlocksKeepEverythingButTheRecordedReadingsTextAndCopiesShareTheLines)
{
    TextPtr text = textOf({"Hello", "big world"});
    text->setVoice(KString("Mike"));
    text->setWaitUntilDone(0);
    text->setTransparentBackground(1);
    text->setReadAloud(1);
    text->setHighlightText(1);
    text->setSoundHighlight(1);
    text->setVolume(0.5);
    text->setBackgroundColor(kBlue);
    text->setSoundFile(KFileReference(windowsPath("C:\\Media\\reading.wav")));
    text->getSoundHighlightMedia().setText(KString("Hello big world"));
    const Bytes written = m_blocks.written(*text);
    EXPECT_TRUE(text->getSoundHighlightMedia().getText().isEmpty());
    TextPtr read(new LumoText);
    EXPECT_EQ(m_blocks.read(*read, written), 0);
    EXPECT_EQ(m_blocks.written(*read), written);
    EXPECT_STREQ(read->getSpokenText().getText(), "Hello big world");
    // Section 1 alone: full volume, no recorded reading.
    const Bytes first(written.begin() + 16, written.begin() + 24 + readLong(written, 20));
    const long id = KClass::findClass("LumoText")->getClassID();
    TextPtr old(new LumoText);
    EXPECT_EQ(m_blocks.read(*old, ByteList().longs({id, 1, long(first.size()), 1}).append(first)), 0);
    EXPECT_EQ(old->getVolume(), 1.0);
    EXPECT_FALSE(old->readsWithSound());
    EXPECT_TRUE(old->readsAloud() && old->hasTransparentBackground());
    // A copy shares the lines and has a recorded reading of its own.
    TextPtr copy(new LumoText);
    copy->copyFrom(*text);
    EXPECT_EQ(&copy->getTextBlock(), &text->getTextBlock());
    EXPECT_NE(&copy->getSoundHighlightMedia(), &text->getSoundHighlightMedia());
    EXPECT_EQ(m_blocks.written(*copy), written);
}

TEST_F(SpokenTexts, FeedbackBecomesARangeOfTheLinesOwnCharacters)
{
    // A word is {start, length}; a length of -2 stands for feedback without a word.
    const struct {
        std::initializer_list<const char*> lines;
        std::vector<std::pair<long, long>> words;
        long start, end;
    } cases[] = {
        {{"Hello", "big world"}, {{10, 5}}, 9, 14},
        // Words heard between two steps are drawn as one range.
        {{"Hello big world"}, {{0, 5}, {6, 3}}, 0, 9},
        {{"Hello", "big world"}, {{6, 4}, {10, 5}}, 5, 14},
        // The blank that joins the lines is no character of theirs.
        {{"Hello", "big world"}, {{0, 6}}, 0, 5},
        // Speech passes a range past the end as it is: that word shows no highlight.
        {{"Hi"}, {{0, 5}}, 0, 5},
        // The end of a recorded reading takes the highlight away; the elapsed time
        // alone changes nothing.
        {{"Hello"}, {{-1, -1}}, -1, -2},
        {{"Hello"}, {{0, -2}}, -1, -1},
    };
    MediaStage stage;
    stage.open(KMediaManager::SpeechSupport);
    for (const auto& c : cases) {
        TextPtr text = textOf(c.lines);
        text->setReadAloud(1);
        text->setHighlightText(1);
        text->setTape(*stage.tape);
        text->start();
        ASSERT_TRUE(text->hasSpeech() && text->getSpeech().isPlaying());
        for (const auto& w : c.words)
            EXPECT_TRUE(hearWord(*text, w.first, w.second, 50));
        text->step();
        EXPECT_EQ(text->getTextObject().getHighlightStart(), c.start) << c.words.front().first;
        EXPECT_EQ(text->getTextObject().getHighlightEnd(), c.end) << c.words.front().first;
        text->stop();
        EXPECT_FALSE(text->hasSpeech() || text->hasTextObject());
    }
}

TEST_F(SpokenTexts, ASpeechReadingHighlightsTheHeardWordAsItsOptionsSay)
{
    const struct {
        uint8 wait, highlight, transparent;
        bool nextWhileSpeaking, red;
    } options[] = {
        {1, 1, 0, false, true},
        {0, 1, 0, true, false},
        {1, 0, 0, false, false},
        // Over the page as it was: an earlier word's red does not stay.
        {1, 1, 1, false, true},
    };
    for (const auto& o : options) {
        MediaStage stage;
        stage.open(KMediaManager::SpeechSupport);
        TextPtr text = textOf({"Hello", "big world"});
        text->setReadAloud(1);
        text->setWaitUntilDone(o.wait);
        text->setHighlightText(o.highlight);
        text->setTransparentBackground(o.transparent);
        // Blue, to show on the black page; a voice this machine lacks gives way to its
        // default voice, this time only.
        if (o.transparent)
            text->getTextBlock().setColor(kBlue);
        text->setVoice(KString("Nobody"));
        stage.tape->append(*text);
        stage.tape->append(*ProbePtr(new Probe(stage.journal(), "next", 1000)));
        stage.tape->start(0);
        std::string lines;
        bool white = false;
        while (!noted(stage.journal(), "next start") && stage.tape->ticks < 200) {
            play(20);
            // "1" for red on the first line only, "2" for red below it, once each.
            const Ink red = ink(stage, *text, true);
            const char now = red.pixels == 0 ? 0 : redOnFirstLine(stage, *text) ? '1' : '2';
            if (now && (lines.empty() || lines.back() != now))
                lines += now;
            EXPECT_FALSE(now == '2' && red.top < ink(stage, *text, false).top + 5);
            white = white || inkIn(stage.pageDevice(), KGraphicRectangle(10, 10, 180, 80), [](uint32 C) { return C == 0xFFFFFF; }).pixels > 0;
        }
        EXPECT_TRUE(noted(stage.journal(), "next start"));
        EXPECT_EQ(text->hasSpeech() && text->getSpeech().isPlaying(), o.nextWhileSpeaking) << int(o.wait);
        EXPECT_EQ(lines, o.red ? "12" : "") << int(o.wait) << int(o.highlight);
        EXPECT_EQ(ink(stage, *text, true).pixels, 0);
        EXPECT_EQ(white, o.transparent == 0);
        EXPECT_TRUE(stage.speech.called("SetVoice Anna"));
        EXPECT_STREQ(text->getVoice().getText(), "Nobody");
    }
}

TEST_F(SpokenTexts, ARecordedReadingHighlightsWithinTheTextAndEndsWithItsSound)
{
    TemporaryFolder folder;
    const std::string sound = writeFile(folder, "reading.wav", waveBytes(WaveShape(1, 8000, 8, 5000)));
    MediaStage stage;
    stage.open(KMediaManager::SoundSupport);
    TextPtr text = textOf({"Hi you"});
    text->setSoundHighlight(1);
    text->setHighlightText(1);
    text->setSoundFile(fileReference(sound));
    KBag markers;
    KSoundHiliteMarkerPtr marker = new KSoundHiliteMarker;
    marker->setWordStart(4);
    marker->setWord(KString("word"));
    markers.add(*marker);
    text->getSoundHighlightMedia().setMarkers(markers);
    TextPtr missing = textOf({"Gone"});
    missing->setSoundHighlight(1);
    missing->setSoundFile(fileReference(folder.file("none.wav")));
    stage.tape->append(*missing);
    stage.tape->append(*text);
    stage.tape->append(*ProbePtr(new Probe(stage.journal(), "next", 100)));
    stage.tape->start(0);
    // A range past the text's end is cut at its last character.
    ASSERT_TRUE(playUntil(*stage.tape, [&] { return ink(stage, *text, true).pixels > 0; }));
    EXPECT_EQ(stage.tape->ticks, 3);
    EXPECT_EQ(text->getTextObject().getHighlightStart(), 4);
    EXPECT_EQ(text->getTextObject().getHighlightEnd(), 6);
    EXPECT_STREQ(text->getSoundHighlightMedia().getText().getText(), "Hi you");
    // The media manager stops a finished sound; the next step ends the text.
    text->getSoundHighlightMedia().stop();
    const int ended = stage.tape->ticks;
    EXPECT_EQ(ticksUntil(*stage.tape, stage.journal(), "next start"), ended + 2);
    EXPECT_EQ(ink(stage, *text, true).pixels, 0);
    EXPECT_EQ(text->getSoundHighlightMedia().getState(), KAbstractMedia::Loaded);
    EXPECT_FALSE(text->getSoundHighlightMedia().getReceivers().getCount() > 0);
}

TEST_F(SpokenTexts, TheRectangleScalesAboutItsCentreAndTheSilhouetteIsBlack)
{
    TextPtr text = textOf({"Hello"}, KGraphicRectangle(120, 140, 400, 200));
    KGraphicRectangle bounds;
    text->scaleXY(1.0, 1.0);
    text->scaleFromTo(KGraphicRectangle(0, 0, 0, 10), KGraphicRectangle(0, 0, 50, 50));
    text->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(120, 140, 400, 200));
    text->scale(0.5);
    text->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(220, 190, 200, 100));
    text->scaleFromTo(KGraphicRectangle(0, 0, 10, 10), KGraphicRectangle(0, 0, 20, 5));
    text->offset(-200, -150);
    text->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(-80, 65, 400, 50));
    // Drawn into an actor's frame, whose page rectangle starts at (-90, 65): a painted
    // text is a black rectangle, a transparent one only its characters.
    for (uint8 transparent : {0, 1}) {
        text->setTransparentBackground(transparent);
        KImagePtr mask = solidImage(20, 10, '#');
        text->drawWithColor(mask->getGraphicDevice(), KGraphicRectangle(-90, 65, 20, 10), KGraphicRectangle(0, 0, 20, 10));
        const Ink black = inkIn(mask->getGraphicDevice(), KGraphicRectangle(0, 0, 20, 10), [](uint32 C) { return C == 0; });
        EXPECT_EQ(pixelRows(mask->getGraphicDevice(), 9, 4, 2, 1)[0][0], '#');
        if (transparent)
            EXPECT_LT(black.pixels, 10 * 10);
        else
            EXPECT_EQ(black.pixels, 10 * 10);
    }
}

} // namespace
