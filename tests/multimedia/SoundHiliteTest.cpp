// Recorded readings: the marker table and its blocks, markers on the editor's time line,
// and the word feedback a playing reading sends as time passes on a driven clock.
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KImage.h"
#include "multimedia/KSoundHiliteMarker.h"
#include "multimedia/KSoundHiliteMedia.h"
#include "tests/multimedia/MediaTestSupport.h"

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

std::string describe(const KThing& Marker)
{
    const auto& m = static_cast<const KSoundHiliteMarker&>(Marker);
    return std::to_string(m.getTime()) + " " + std::to_string(m.getWordStart()) + " " +
           std::to_string(m.getWordLength()) + " " + m.getWord().getText() + (m.isSelected() ? " selected" : "");
}

// Writes a block into a new file with Write and reads it back with Read.
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

// Writes a block of Class whose section ID holds what Write writes.
std::function<void(KFile&)> block(KClass* Class, long ID, const std::function<void(KFile&)>& Write)
{
    return [=](KFile& F) {
        KClassWriter writer;
        writer.begin(F, Class);
        writer.newSection(ID);
        Write(F);
        writer.end();
    };
}

TEST(SoundHilite, BlocksKeepMarkersSoundFileAndTextButNothingElse)
{
    TemporaryFolder folder;
    KSoundHiliteMediaPtr written = new KSoundHiliteMedia;
    KBag markers;
    markers.add(*marker(0, 0, "The"));
    markers.add(*marker(1200, 4, "lazy"));
    static_cast<KSoundHiliteMarker&>(markers[1]).setSelected(1);
    written->setMarkers(markers);
    written->setSoundFile(fileReference(folder.file("reading.wav")));
    written->setText("The lazy");
    KSoundHiliteMediaPtr read = new KSoundHiliteMedia;
    throughFile(folder, [&](KFile& F) { written->writeToFile(F, 1); }, [&](KFile& F) { read->readFromFile(F); });
    ASSERT_EQ(read->getMarkers().getCount(), 2);
    EXPECT_EQ(describe(read->getMarkers()[1]), "1200 4 4 lazy selected");
    EXPECT_EQ(read->getSoundFile(), written->getSoundFile());
    EXPECT_STREQ(read->getText().getText(), "The lazy");
    KSoundHiliteMediaPtr copy = new KSoundHiliteMedia(*read);
    EXPECT_EQ(describe(copy->getMarkers()[1]), "1200 4 4 lazy selected");
    EXPECT_NE(&copy->getMarkers()[1], &read->getMarkers()[1]);
    // A table that holds something else than markers gives only its markers.
    auto foreignTable = [&](KFile& F) {
        KBag foreign;
        foreign.add(*new KString("not a marker"));
        foreign.add(*marker(10, 2, "ok"));
        foreign.writeToFile(F, 1);
        KFileReference().writeToFile(F, 1);
        KString("ok").writeToFile(F, 1);
    };
    throughFile(folder, block(KSoundHiliteMedia::getClassRecord(), 1, foreignTable), [&](KFile& F) { read->readFromFile(F); });
    ASSERT_EQ(read->getMarkers().getCount(), 1);
    EXPECT_EQ(describe(read->getMarkers()[0]), "10 2 2 ok");
    // A marker block whose first section is another leaves the marker as it was made.
    KSoundHiliteMarkerPtr untouched = new KSoundHiliteMarker;
    throughFile(folder, block(KSoundHiliteMarker::getClassRecord(), 2, [](KFile& F) { F.writeLong(1200); }),
                [&](KFile& F) { untouched->readFromFile(F); });
    EXPECT_EQ(describe(*untouched), "0 0 0 ");
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
    // A grey bar with a white label, or a black bar with a black label when selected.
    KImagePtr image = new KImage;
    image->create(KGraphicSize(200, 60));
    KGraphicDevice& device = image->getGraphicDevice();
    marker(100, 0, "fox")->draw(device, KGraphicRectangle(0, 0, 200, 60), 200);
    KSoundHiliteMarkerPtr chosen = marker(50, 0, "fox");
    chosen->setSelected(1);
    chosen->draw(device, KGraphicRectangle(0, 0, 200, 60), 200);
    EXPECT_EQ(device.getPixel(100, 30).getRed(), 0x8000);
    EXPECT_EQ(device.getPixel(105, 4).getRed(), 0xFF00);
    EXPECT_EQ(device.getPixel(51, 30).getRed(), 0);
    EXPECT_EQ(device.getPixel(55, 4).getRed(), 0);
}

class Reading : public testing::Test {
protected:
    Reading()
    {
        media->setSoundFile(fileReference(writeFile(folder, "reading.wav", waveBytes(WaveShape(1, 8000, 8, 5000)))));
        media->setText("The quick brown fox");
        media->getReceivers().add(*listener);
    }
    ~Reading() override { media->stop(); }
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
    KSoundHiliteMediaPtr media = new KSoundHiliteMedia;
};

using Heard = std::vector<std::string>;

TEST_F(Reading, EachNewWordIsReportedOnceItsTimeHasPassed)
{
    setMarkers({{0, 0}, {100, 4}, {250, 4}, {300, 10}});
    media->play();
    ASSERT_TRUE(media->isPlaying());
    EXPECT_EQ(heardAfter(0), Heard{});
    EXPECT_EQ(heardAfter(1), Heard{"WordStart=0 WordLength=4 ElapsedTime=1"});
    EXPECT_EQ(heardAfter(100), Heard{"WordStart=4 WordLength=4 ElapsedTime=101"});
    // The marker at 250 repeats the word at 100.
    EXPECT_EQ(heardAfter(150), Heard{});
    EXPECT_EQ(heardAfter(100), Heard{"WordStart=10 WordLength=4 ElapsedTime=351"});
    listener->seen.clear();
    media->stop();
    EXPECT_EQ(listener->seen, Heard{"WordStart=-1 WordLength=-1 ElapsedTime=0"});
    // Out of time order, the last passed marker of the table counts.
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

TEST_F(Reading, PlayingAgainGoesOnWithItsSoundAndUnloadingEndsTheReading)
{
    media->play();
    KSoundPtr sound = &media->getSound();
    const long managed = scope.manager().getMedia().getCount();
    media->play();
    EXPECT_EQ(&media->getSound(), sound.get());
    EXPECT_EQ(scope.manager().getMedia().getCount(), managed);
    EXPECT_EQ(media->getState(), KAbstractMedia::Playing);
    // Unloaded while it plays, the reading stops, and its sound with it.
    media->unload();
    EXPECT_EQ(media->getState(), KAbstractMedia::Unloaded);
    EXPECT_EQ(sound->getState(), KAbstractMedia::Unloaded);
    EXPECT_FALSE(scope.manager().getMedia().has(*sound));
    EXPECT_TRUE(media->isDonePlaying());
    // Without text or sound nothing plays.
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

TEST_F(Reading, APausedReadingHoldsItsSoundItsClockAndItsFeedback)
{
    setMarkers({{0, 0}, {100, 4}});
    media->setMediaFlags(KAbstractMedia::FeedbackFlag);
    media->play();
    EXPECT_EQ(heardAfter(1), Heard{"WordStart=0 WordLength=4 ElapsedTime=1"});
    media->pause();
    EXPECT_TRUE(media->getSound().isPaused());
    listener->seen.clear();
    clock.advance(500);
    KTimerManager::getManager().fire();
    media->service();
    EXPECT_EQ(listener->seen, Heard{});
    EXPECT_EQ(media->getElapsedTime(), 1);

    media->resume();
    EXPECT_TRUE(media->getSound().isPlaying());
    EXPECT_EQ(heardAfter(100), Heard{"WordStart=4 WordLength=4 ElapsedTime=101"});
    // Stopped while paused, the reading ends and receivers clear their highlight.
    media->pause();
    listener->seen.clear();
    media->stop();
    EXPECT_EQ(media->getState(), KAbstractMedia::Loaded);
    EXPECT_FALSE(media->getSound().isPlaying() || media->getSound().isPaused());
    EXPECT_EQ(listener->seen, Heard{"WordStart=-1 WordLength=-1 ElapsedTime=0"});
}

TEST_F(Reading, AReadingNobodyHoldsGoesAwayAndOneClosedPlaysAgain)
{
    struct Watched : KSoundHiliteMedia {
        bool* gone = nullptr;
        ~Watched() override { *gone = true; }
    };
    bool gone = false;
    auto* watched = new Watched;
    watched->gone = &gone;
    KSoundHiliteMediaPtr held = watched;
    held->setSoundFile(media->getSoundFile());
    held->setText("fox");
    held->play();
    held->stop();
    held->unload();
    held = nullptr;
    EXPECT_TRUE(gone);

    const KFileReference sound = media->getSoundFile();
    media->close();
    EXPECT_FALSE(media->hasSoundFile());
    EXPECT_TRUE(media->getMarkers().isEmpty());
    media->setSoundFile(sound);
    media->setText("fox");
    media->play();
    EXPECT_TRUE(media->isPlaying());
}

} // namespace
