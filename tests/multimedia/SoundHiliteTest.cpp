// Recorded readings: the marker table and its blocks, markers on the editor's time line,
// and the word feedback a playing reading sends as time passes on a driven clock.
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KImage.h"
#include "multimedia/KSoundHiliteMarker.h"
#include "multimedia/KSoundHiliteMedia.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

KSoundHiliteMarkerPtr marker(long Time, long Start, const char* Word)
{
    KSoundHiliteMarkerPtr made = new KSoundHiliteMarker;
    made->setTime(Time);
    made->setWordStart(Start);
    made->setWord(Word);
    return made;
}

// Writes with Write into a new file, then reads it back with Read.
void throughFile(const TemporaryFolder& Folder, const std::function<void(KFile&)>& Write,
                 const std::function<void(KFile&)>& Read)
{
    KFile file(fileReference(Folder.file("block.dat")));
    file.create();
    file.open();
    Write(file);
    file.close();
    file.open();
    Read(file);
    EXPECT_EQ(file.getError(), 0);
    file.close();
}

std::string describe(const KSoundHiliteMarker& M)
{
    return std::to_string(M.getTime()) + " " + std::to_string(M.getWordStart()) + " " +
           std::to_string(M.getWordLength()) + " " + M.getWord().getText() + (M.isSelected() ? " selected" : "");
}

TEST(SoundHilite, MarkerBlocksKeepEveryFieldAndOtherSectionsLeaveDefaults)
{
    TemporaryFolder folder;
    KSoundHiliteMarkerPtr written = marker(1200, 5, "lazy");
    written->setSelected(1);
    KSoundHiliteMarkerPtr read = new KSoundHiliteMarker;
    throughFile(folder, [&](KFile& F) { written->writeToFile(F, 1); }, [&](KFile& F) { read->readFromFile(F); });
    EXPECT_EQ(describe(*read), "1200 5 4 lazy selected");
    EXPECT_EQ(describe(KSoundHiliteMarker(*read)), "1200 5 4 lazy selected");

    KSoundHiliteMarkerPtr untouched = new KSoundHiliteMarker;
    throughFile(folder,
                [&](KFile& F) {
                    KClassWriter writer;
                    writer.begin(F, KSoundHiliteMarker::getClassRecord());
                    writer.newSection(2);
                    F.writeLong(1200);
                    writer.end();
                },
                [&](KFile& F) { untouched->readFromFile(F); });
    EXPECT_EQ(describe(*untouched), "0 0 0 ");
}

TEST(SoundHilite, MediaBlocksKeepMarkersSoundFileAndTextButNothingElse)
{
    TemporaryFolder folder;
    MediaScope scope;
    KSoundHiliteMediaPtr written = new KSoundHiliteMedia;
    KBag markers;
    markers.add(*marker(0, 0, "The"));
    markers.add(*marker(300, 4, "fox"));
    written->setMarkers(markers);
    written->setSoundFile(fileReference(folder.file("reading.wav")));
    written->setText("The fox");
    KSoundHiliteMediaPtr read = new KSoundHiliteMedia;
    throughFile(folder, [&](KFile& F) { written->writeToFile(F, 1); }, [&](KFile& F) { read->readFromFile(F); });
    ASSERT_EQ(read->getMarkers().getCount(), 2);
    EXPECT_EQ(describe(static_cast<KSoundHiliteMarker&>(read->getMarkers()[1])), "300 4 3 fox");
    EXPECT_EQ(read->getSoundFile(), written->getSoundFile());
    EXPECT_STREQ(read->getText().getText(), "The fox");
    KSoundHiliteMediaPtr copy = new KSoundHiliteMedia(*read);
    EXPECT_EQ(copy->getMarkers().getCount(), 2);
    EXPECT_NE(&copy->getMarkers()[0], &read->getMarkers()[0]);

    // A table that holds something else than markers gives only its markers.
    throughFile(folder,
                [&](KFile& F) {
                    KBag foreign;
                    foreign.add(*new KString("not a marker"));
                    foreign.add(*marker(10, 2, "ok"));
                    KClassWriter writer;
                    writer.begin(F, KSoundHiliteMedia::getClassRecord());
                    writer.newSection(1);
                    foreign.writeToFile(F, 1);
                    KFileReference(written->getSoundFile()).writeToFile(F, 1);
                    KString("ok").writeToFile(F, 1);
                    writer.end();
                },
                [&](KFile& F) { read->readFromFile(F); });
    ASSERT_EQ(read->getMarkers().getCount(), 1);
    EXPECT_EQ(describe(static_cast<KSoundHiliteMarker&>(read->getMarkers()[0])), "10 2 2 ok");
}

TEST(SoundHilite, MarkersStandOnTheTimeLineByTheirTime)
{
    const KGraphicRectangle track(10, 20, 300, 40);
    const struct {
        long time, duration;
        short left;
    } positions[] = {{0, 3000, 9}, {1500, 3000, 159}, {3000, 3000, 309}, {1, 3, 109}, {500, 0, 9}};
    for (const auto& p : positions)
        EXPECT_EQ(marker(p.time, 0, "x")->getMarkerRect(track, p.duration), KGraphicRectangle(p.left, 20, 3, 40))
            << p.time << " of " << p.duration;

    KImagePtr image = new KImage;
    image->create(KGraphicSize(200, 60));
    KGraphicDevice& device = image->getGraphicDevice();
    KSoundHiliteMarkerPtr plain = marker(100, 0, "fox");
    plain->draw(device, KGraphicRectangle(0, 0, 200, 60), 200);
    EXPECT_EQ(device.getPixel(100, 30).getRed(), 0x8000);
    EXPECT_EQ(device.getPixel(105, 4).getRed(), 0xFF00);
    KSoundHiliteMarkerPtr chosen = marker(50, 0, "fox");
    chosen->setSelected(1);
    chosen->draw(device, KGraphicRectangle(0, 0, 200, 60), 200);
    EXPECT_EQ(device.getPixel(51, 30).getRed(), 0);
    EXPECT_EQ(device.getPixel(55, 4).getRed(), 0);
}

class Reading : public testing::Test {
protected:
    Reading()
    {
        media = new KSoundHiliteMedia;
        media->setSoundFile(fileReference(writeFile(folder, "reading.wav", waveBytes(pcm(1, 8000, 8, 5000)))));
        media->setText("The quick brown fox");
        media->getReceivers().add(*listener);
    }
    ~Reading() override
    {
        media->stop();
        media->unload();
    }
    void setMarkers(std::initializer_list<std::pair<long, long>> TimesAndStarts)
    {
        KBag markers;
        for (const auto& m : TimesAndStarts)
            markers.add(*marker(m.first, m.second, "word"));
        media->setMarkers(markers);
    }
    // Moves the clock on and gives the media one service pass.
    std::vector<std::string> heardAfter(uint32 Milliseconds)
    {
        listener->seen.clear();
        clock.advance(Milliseconds);
        media->service();
        return listener->seen;
    }

    TemporaryFolder folder;
    MediaScope scope{MediaScope::SoundEngine};
    DrivenClock clock;
    FeedbackRecorderPtr listener = new FeedbackRecorder;
    KSoundHiliteMediaPtr media;
};

using Heard = std::vector<std::string>;

TEST_F(Reading, EachNewWordIsReportedOnceItsTimeHasPassed)
{
    setMarkers({{0, 0}, {100, 4}, {250, 4}, {300, 10}});
    media->play();
    ASSERT_TRUE(media->isPlaying());
    EXPECT_EQ(heardAfter(0), Heard{});
    EXPECT_EQ(heardAfter(1), Heard{"WordStart=0 WordLength=4 ElapsedTime=1"});
    EXPECT_EQ(heardAfter(99), Heard{});
    EXPECT_EQ(heardAfter(1), Heard{"WordStart=4 WordLength=4 ElapsedTime=101"});
    // The marker at 250 repeats the word at 100.
    EXPECT_EQ(heardAfter(150), Heard{});
    EXPECT_EQ(heardAfter(100), Heard{"WordStart=10 WordLength=4 ElapsedTime=351"});
    listener->seen.clear();
    media->stop();
    EXPECT_EQ(listener->seen, Heard{"WordStart=-1 WordLength=-1 ElapsedTime=0"});
    EXPECT_EQ(media->getHighlightedWordStart(), -1);
}

TEST_F(Reading, AnUnorderedTableReportsTheLastPassedMarkerInItsOrder)
{
    setMarkers({{200, 8}, {100, 3}});
    media->play();
    EXPECT_EQ(heardAfter(300), Heard{"WordStart=3 WordLength=4 ElapsedTime=300"});
}

TEST_F(Reading, TheElapsedTimeIsSentEveryPollOnlyWithFeedbackOn)
{
    media->play();
    clock.advance(51);
    KTimerManager::getManager().fire();
    EXPECT_TRUE(listener->seen.empty());
    media->setMediaFlags(KAbstractMedia::FeedbackFlag);
    clock.advance(51);
    KTimerManager::getManager().fire();
    EXPECT_EQ(listener->seen, Heard{"ElapsedTime=102"});
}

TEST_F(Reading, LoadingAPlayingReadingReplacesItsSoundAndKeepsTheState)
{
    media->play();
    KSound* first = &media->getSound();
    media->play();
    EXPECT_NE(&media->getSound(), first);
    EXPECT_EQ(media->getState(), KAbstractMedia::Playing);
    first->stop();
}

TEST_F(Reading, WithoutTextOrSoundNothingPlays)
{
    media->setText("");
    media->play();
    EXPECT_EQ(media->getState(), KAbstractMedia::Loaded);
    media->unload();
    media->setText("fox");
    media->setSoundFile(fileReference(folder.file("none.wav")));
    media->play();
    EXPECT_EQ(media->getState(), KAbstractMedia::Unloaded);
    EXPECT_TRUE(media->isDonePlaying());
}

TEST_F(Reading, AReadingNobodyHoldsGoesAwayAndOneClosedPlaysAgain)
{
    bool gone = false;
    struct Watched : KSoundHiliteMedia {
        bool* gone = nullptr;
        ~Watched() override { *gone = true; }
    };
    KSoundHiliteMediaPtr watched = new Watched;
    static_cast<Watched&>(*watched).gone = &gone;
    watched->setSoundFile(media->getSoundFile());
    watched->setText("fox");
    watched->play();
    watched->stop();
    watched->unload();
    watched = nullptr;
    EXPECT_TRUE(gone);

    media->close();
    EXPECT_FALSE(media->hasSoundFile());
    EXPECT_TRUE(media->getMarkers().isEmpty());
    media->setSoundFile(fileReference(folder.file("reading.wav")));
    media->setText("fox");
    media->play();
    EXPECT_TRUE(media->isPlaying());
}

} // namespace
