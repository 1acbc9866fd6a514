// The media base: its state machine and how it keeps the media manager informed, the
// operations a concrete medium must supply, and how feedback events reach receivers.
#include "multimedia/KAbstractMedia.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

enum Step { Load, Unload, Play, Stop, Pause, Resume };

TEST(MediaBase, StatesMoveOnlyAlongTheirEdgesAndTheManagerFollows)
{
    const struct {
        const char* name;
        std::vector<Step> steps;
        uint8 state;
        bool listed;
        bool managerIdle;
    } transitions[] = {
        {"play unloaded", {Play}, KAbstractMedia::Unloaded, false, false},
        {"stop loaded", {Load, Stop}, KAbstractMedia::Loaded, true, false},
        {"resume playing", {Load, Play, Resume}, KAbstractMedia::Playing, true, true},
        {"pause", {Load, Play, Pause}, KAbstractMedia::Paused, true, true},
        {"pause then stop", {Load, Play, Pause, Stop}, KAbstractMedia::Loaded, true, false},
        {"unload playing", {Load, Play, Unload}, KAbstractMedia::Playing, true, true},
        {"unload paused", {Load, Play, Pause, Unload}, KAbstractMedia::Paused, true, true},
        {"unload", {Load, Play, Stop, Unload}, KAbstractMedia::Unloaded, false, false},
    };
    for (const auto& t : transitions) {
        MediaScope scope;
        KAbstractMediaPtr medium = new KAbstractMedia;
        for (Step step : t.steps) {
            switch (step) {
            case Load: medium->load(); break;
            case Unload: medium->unload(); break;
            case Play: medium->play(); break;
            case Stop: medium->stop(); break;
            case Pause: medium->pause(); break;
            case Resume: medium->resume(); break;
            }
        }
        EXPECT_EQ(medium->getState(), t.state) << t.name;
        EXPECT_EQ(scope.manager().getMedia().has(*medium), t.listed) << t.name;
        EXPECT_EQ(scope.managerIsIdleHandler(), t.managerIdle) << t.name;
    }
}

TEST(MediaBase, ClosingAPlayingMediumForgetsItsRecordButKeepsPlaying)
{
    MediaScope scope;
    KAbstractMediaPtr medium = new KAbstractMedia;
    int record = 0;
    medium->setNativeHandle(&record);
    medium->load();
    medium->play();
    medium->close();
    EXPECT_FALSE(medium->hasNativeHandle());
    EXPECT_TRUE(medium->isPlaying());
}

TEST(MediaBase, WhatConcreteMediaMustSupplyShowsABoxAndTheModeIsFixedWhileLoaded)
{
    MediaScope scope;
    KAbstractMediaPtr medium = new KAbstractMedia;
    ReportCatcher catcher;
    medium->createFromResource(128);
    medium->createFromFile(KFileReference());
    EXPECT_TRUE(medium->isDonePlaying());
    ASSERT_EQ(catcher.boxes().size(), 3u);
    EXPECT_EQ(catcher.boxes()[0].caption, "KAbstractMedia::createFromResource(short ResID)");
    EXPECT_EQ(catcher.boxes()[1].caption, "KAbstractMedia::createFromFile(const KDiskObjectReference& File)");
    EXPECT_EQ(catcher.boxes()[2].caption, "KAbstractMedia::isDonePlaying()");
    EXPECT_EQ(catcher.boxes()[2].text, "Must be overloaded in child class!");

    medium->setStreamingMode(kStreamingModeBuffer);
    medium->load();
    medium->setStreamingMode(kStreamingModeGraph);
    EXPECT_EQ(catcher.codes(), std::vector<int>{4});
    EXPECT_TRUE(catcher.caught(4, "KAbstractMedia::setStreamingMode(KMediaStreamingMode M)"));
    EXPECT_EQ(medium->getStreamingMode(), kStreamingModeBuffer);
}

// A medium that sends word feedback as the media kinds do.
class SpeakingMedia : public KAbstractMedia {
public:
    KEventReturn say(long Start, long Length)
    {
        KMediaFeedbackEventPtr event = makeFeedbackEvent();
        event->setLong(KMediaFeedbackEvent::kWordStart, Start);
        event->setLong(KMediaFeedbackEvent::kWordLength, Length);
        return KEvent::send(*event);
    }
};

TEST(MediaBase, FeedbackGoesToTheReceiversInOrderUntilOneTakesItThenToTheApplication)
{
    MediaScope scope;
    KThingPtr medium = new SpeakingMedia;
    SpeakingMedia& speaker = static_cast<SpeakingMedia&>(*medium);
    std::vector<FeedbackRecorderPtr> receivers = {new FeedbackRecorder, new FeedbackRecorder, new FeedbackRecorder};
    receivers[0]->takes = false;
    for (FeedbackRecorderPtr& receiver : receivers)
        speaker.getReceivers().add(*receiver);

    EXPECT_EQ(speaker.say(4, 6), 1);
    EXPECT_EQ(receivers[0]->seen, std::vector<std::string>{"WordStart=4 WordLength=6"});
    EXPECT_EQ(receivers[1]->seen.size(), 1u);
    EXPECT_TRUE(receivers[2]->seen.empty());
    EXPECT_EQ(scope.application().eventsHeard, 0);

    receivers[1]->takes = false;
    receivers[2]->takes = false;
    EXPECT_EQ(speaker.say(0, 3), 0);
    EXPECT_EQ(receivers[2]->seen.size(), 1u);
    EXPECT_EQ(scope.application().eventsHeard, 1);
}

} // namespace
