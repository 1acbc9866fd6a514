// Old tapes: the story objects of each kind read from their records, turned into current
// tape objects, and the texts of old text objects as lines.
#include "graphics/KTextStyleRun.h"
#include "story/LumoImage.h"
#include "story/LumoMovie.h"
#include "story/LumoSound.h"
#include "story/LumoSpeech.h"
#include "story/LumoText.h"
#include "story/LumoPause.h"
#include "story/Stroke.h"
#include "story/WaitObject.h"
#include "story/WipeOut.h"
#include "story/oldformat/OldTapeConversion.h"
#include "story/oldformat/ZImage.h"
#include "story/oldformat/ZLMMovie.h"
#include "story/oldformat/ZLumoPause.h"
#include "story/oldformat/ZLumoSound.h"
#include "story/oldformat/ZLumoSpeech.h"
#include "story/oldformat/ZLumoText.h"
#include "story/oldformat/ZStroke.h"
#include "story/oldformat/ZTape.h"
#include "story/oldformat/ZWaitMouseClick.h"
#include "story/oldformat/ZWipeOut.h"
#include "tests/story/StoryMediaTestSupport.h"
#include "tests/story/oldformat/OldFormatTestSupport.h"

namespace {

using OldTape = OldFormatTest;

std::string optionsOf(const TapeObject& O)
{
    std::string options;
    for (int i = 1; i <= 6; ++i)
        options += static_cast<const WaitObject&>(O).hasOption(i) ? '1' : '0';
    return options;
}

TEST_F(OldTape, AnOldTapeBecomesACurrentTapeOnA640By480Page)
{
    const Bytes document = OldBytes().tape(
        {
            OldBytes().slot("WaitMouseClick").tapeObject("WaitMouseClick", 1, 2).bytes({1, 0, 0, 0, 1}),
            OldBytes().slot("WaitMouseClick").tapeObject("WaitMouseClick", 1, 1),
            OldBytes().slot("LumoPause").tapeObject("LumoPause", 5).longs({3}),
            // Five values are two points and one left over.
            OldBytes()
                .slot("Stroke")
                .tapeObject("Stroke", 2)
                .header("ZArray", 2)
                .longs({5})
                .bytes({1, 1})
                .longs({10, 20, 0x10030, 40, 50})
                .header("ZBag")
                .longs({5, 100, 0})
                .shorts({8, 9})
                .color(65535, 0, 0),
            // A colour background leaves the file alone.
            OldBytes().slot("WipeOut").tapeObject("WipeOut", 7).color(0, 0, 65535).file("C:\\Pics\\Sky.bmp").longs({3, 0x100}),
            OldBytes().slot("Image").tapeObject("Image", 10).file("Tree.bmp").rectangle(10, 20, 30, 40).bytes({1}),
        },
        30, 1);
    ZTape old;
    ASSERT_TRUE(read(old, document)) << damage();
    TapePtr tape(new Tape);
    ASSERT_TRUE(convertFromOldTape(*tape, old));

    EXPECT_EQ(tape->getPageSize(), KGraphicSize(640, 480));
    EXPECT_EQ(tape->getTickInterval(), 20);
    EXPECT_TRUE(tape->isFlagSet(Tape::MarkFlag0) && tape->isFlagSet(Tape::LoopFlag));
    EXPECT_TRUE(tape->isFlagSet(Tape::HideMenuBarFlag) && tape->isFlagSet(Tape::SmallScreenFlag));
    EXPECT_FALSE(tape->isFlagSet(Tape::MarkFlag1));
    ASSERT_EQ(tape->getCount(), 6);
    for (long i = 0; i < tape->getCount(); ++i)
        EXPECT_EQ(&tape->getObjectAt(i).getTape(), tape.get());

    EXPECT_EQ(optionsOf(tape->getObjectAt(0)), "100101");
    EXPECT_EQ(optionsOf(tape->getObjectAt(1)), "001111");
    EXPECT_EQ(static_cast<LumoPause&>(tape->getObjectAt(2)).getDuration(), 3000);

    const auto& stroke = static_cast<Stroke&>(tape->getObjectAt(3));
    ASSERT_EQ(stroke.getPointCount(), 2);
    EXPECT_EQ(stroke.getPointAt(1), KGraphicPoint(48, 40));
    EXPECT_EQ(stroke.getPenWidth(), 8);
    EXPECT_EQ(stroke.getPenHeight(), 8);
    EXPECT_EQ(stroke.getColor(), KColor(65535, 0, 0));

    const auto& transition = static_cast<WipeOut&>(tape->getObjectAt(4));
    EXPECT_EQ(transition.getEffect(), 3);
    EXPECT_EQ(transition.getSource(), WipeOut::ColorSource);
    EXPECT_EQ(transition.getColor(), KColor(0, 0, 65535));
    EXPECT_TRUE(transition.getFileReference().getPath().isEmpty());

    const auto& image = static_cast<LumoImage&>(tape->getObjectAt(5));
    KGraphicRectangle bounds;
    image.getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(10, 20, 30, 40));
    EXPECT_TRUE(image.isMasked());
    KString leaf;
    image.getFileReference().getPath().getLeafName(leaf);
    EXPECT_STREQ(leaf.getText(), "Tree.bmp");
}

TEST_F(OldTape, EveryKindWritesWhatItReads)
{
    ZTape old;
    old.setTickRate(25);
    auto* text = new ZLumoText;
    text->getStyledText().setText(ZString("Once\r\nupon"));
    text->setOption('B', 1);
    auto* speech = new ZLumoSpeech;
    speech->setText(ZString("Hello"));
    auto* stroke = new ZStroke;
    stroke->addPoint(-3, 4);
    auto* movie = new ZLMMovie;
    movie->getFile().setPath(ZString("Clip.mov"));
    auto* transition = new ZWipeOut;
    transition->setBackgroundKind(ZWipeOut::kImageBackground);
    auto* wait = new ZWaitMouseClick;
    wait->setOption(6, 0);
    for (ZTapeObject* object : std::initializer_list<ZTapeObject*>{text, speech, new ZLumoSound, new ZLumoPause, stroke, movie,
                                                                    transition, wait, new ZImage})
        old.add(object);
    const Bytes stored = written(old);

    ZTape back;
    ASSERT_TRUE(read(back, stored)) << damage();
    EXPECT_EQ(written(back), stored);
}

TEST_F(OldTape, RenamedVoicesAreReadUnderTheirNewNames)
{
    ZLumoSpeech speech;
    ASSERT_TRUE(read(speech, OldBytes().tapeObject("LumoSpeech", 4).string("Hi").string("My Voice Female").bytes({0})));
    EXPECT_EQ(speech.getVoice(), ZString("MyVoice Female"));
    EXPECT_EQ(speech.getOption(), 0);
    // A version 1 text has no highlight colour and option D.
    ZLumoText text;
    ASSERT_TRUE(read(text, OldBytes()
                               .tapeObject("LumoText", 3)
                               .header("ZStyledText")
                               .string("Hi")
                               .header("ZStyleInfo")
                               .longs({0})
                               .shorts({1})
                               .color(0, 0, 0)
                               .rectangle(1, 2, 3, 4)
                               .string("My Voice Male")
                               .bytes({0, 1, 0})));
    EXPECT_EQ(text.getVoice(), ZString("MyVoice Male"));
    EXPECT_EQ(text.getOption('A'), 0);
    EXPECT_EQ(text.getOption('D'), 1);
    EXPECT_EQ(text.getStyledText().getAlignment(), 1);
    EXPECT_EQ(text.getHighlightColor(), ZColor(65535, 65535, 0));
}

TEST_F(OldTape, TextBecomesOneLineForEachLineEndAndOneAfterTheLast)
{
    ZLumoText text;
    ZStyledText& styled = text.getStyledText();
    styled.getStyle().getFont().setFontName(ZString("Arial"));
    styled.getStyle().getFont().setFontSize(14);
    styled.getStyle().setColor(ZColor(1, 2, 3));
    styled.setAlignment(ZStyledText::kAlignCentre);
    styled.setText(ZString("one\r\ntwo\nthree\r"));
    ZStyleInfo::setStylePlatform(kPlatformMac);
    KTextBlockPtr block = text.makeTextBlock();
    ZStyleInfo::setStylePlatform(kPlatformWindows);
    EXPECT_EQ(block->getAlignment(), 2);
    ASSERT_EQ(block->getLineCount(), 4);
    EXPECT_STREQ(block->getText(KString("|")).getText(), "one|two|three|");
    const KTextStyleRun& run = block->getLineAt(0).getStyleRunAt(0);
    EXPECT_STREQ(run.getFont().getName().getText(), "Arial");
    EXPECT_EQ(run.getFont().getSize(kPlatformMac), 14.0);
    EXPECT_EQ(run.getColor(), KColor(1, 2, 3));

    styled.setText(ZString(""));
    EXPECT_EQ(text.makeTextBlock()->getLineCount(), 1);
    const int8 alignments[] = {-2, -1, 1, 0, 5};
    std::string converted;
    for (int8 alignment : alignments)
        converted += std::to_string(ZLumoText::convertedAlignment(alignment));
    EXPECT_EQ(converted, "01200");
}

TEST_F(OldTape, ATapeOfWhatIsNoStoryObjectIsDamage)
{
    const long colorID = ZClass::makeClassID("ZColor");
    const Bytes colorSlot = OldBytes().header("ZArray", 2).longs({1}).bytes({0, 0}).longs({colorID}).color(1, 1, 1).header("ZBag").longs({1, 1, 0}).header("Tape").longs({0, 20}).bytes({0, 1});
    const Bytes emptySlot = OldBytes().header("ZArray", 2).longs({1}).bytes({0, 0}).longs({0}).header("ZBag").longs({1, 1, 0}).header("Tape").longs({0, 20}).bytes({0, 1});
    for (const Bytes& bytes : {colorSlot, emptySlot}) {
        ZTape old;
        EXPECT_FALSE(read(old, bytes));
        EXPECT_EQ(damage(), "ZTape::readFromFile: Not A Tape Object");
    }
}

TEST_F(OldTape, ATapeWithABareTapeObjectIsNotConverted)
{
    ZTape old;
    ASSERT_TRUE(read(old, OldBytes().tape({OldBytes().slot("LumoPause").tapeObject("LumoPause", 5).longs({1}),
                                           OldBytes().slot("TapeObject").header("TapeObject").longs({0}).bytes({1})})));
    TapePtr tape(new Tape);
    tape->setPageWidth(100);
    EXPECT_FALSE(convertFromOldTape(*tape, old));
    EXPECT_EQ(tape->getCount(), 0);
    EXPECT_EQ(tape->getPageSize().getWidth(), 100);
}

TEST_F(OldTape, TextsSpeechesSoundsAndMoviesBecomeTheirCurrentObjects)
{
    // Speech objects are made over the speech support and its pronunciation exceptions.
    MediaStage stage;
    ZLumoText oldText;
    oldText.setBounds(ZRectangle(5, 6, 70, 80));
    oldText.setVoice(ZString("Anna"));
    oldText.setOption('A', 0);
    oldText.setOption('B', 1);
    oldText.setHighlightColor(ZColor(0, 65535, 0));
    oldText.getStyledText().setBackgroundColor(ZColor(1, 1, 1));
    oldText.getStyledText().setText(ZString("Hi\rthere"));
    const TapeObjectPtr text = oldText.convertToKTapeObject();
    const auto& converted = static_cast<LumoText&>(*text);
    KGraphicRectangle bounds;
    converted.getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(5, 6, 70, 80));
    EXPECT_STREQ(converted.getVoice().getText(), "Anna");
    EXPECT_FALSE(converted.waitsUntilDone());
    EXPECT_TRUE(converted.hasTransparentBackground() && converted.readsAloud() && converted.highlightsText());
    EXPECT_EQ(converted.getHighlightColor(), KColor(0, 65535, 0));
    EXPECT_EQ(converted.getBackgroundColor(), KColor(1, 1, 1));
    EXPECT_EQ(converted.getTextBlock().getLineCount(), 2);

    ZLumoSpeech oldSpeech;
    oldSpeech.setText(ZString("Good night"));
    const TapeObjectPtr speech = oldSpeech.convertToKTapeObject();
    EXPECT_STREQ(static_cast<LumoSpeech&>(*speech).getText().getText(), "Good night");
    EXPECT_STREQ(static_cast<LumoSpeech&>(*speech).getVoice().getText(), "Fred");

    ZLumoSound oldSound;
    oldSound.getFile().setPath(ZString("Bell.wav"));
    oldSound.setOption(0);
    const TapeObjectPtr sound = oldSound.convertToKTapeObject();
    EXPECT_EQ(static_cast<LumoSound&>(*sound).getFileReference(), KFileReference(windowsPath("Bell.wav")));
    EXPECT_FALSE(static_cast<LumoSound&>(*sound).waitsUntilDone());

    ZLMMovie oldMovie;
    oldMovie.getFile().setPath(ZString("C:\\Films\\Sea.mov"));
    const TapeObjectPtr movie = oldMovie.convertToKTapeObject();
    EXPECT_EQ(static_cast<LumoMovie&>(*movie).getFileReference(), KFileReference(windowsPath("C:\\Films\\Sea.mov")));
    movie->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(128, 128, 320, 240));
}

} // namespace
