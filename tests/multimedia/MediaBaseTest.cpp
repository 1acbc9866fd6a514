// The media base: its state machine and how it keeps the media manager informed, the
// operations a concrete medium must supply, and how feedback events reach receivers.
#include "multimedia/KAbstractMedia.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A medium that can send word feedback as the media kinds do.
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
K_POINTER_CLASS(SpeakingMedia, KAbstractMediaPtr);

using Step = std::function<void(KAbstractMedia&)>;

struct Transition {
    const char* name;
    std::vector<Step> steps;
    uint8 state;
    bool listed;
    bool managerIdle;
};

const Step load = [](KAbstractMedia& M) { M.load(); };
const Step unload = [](KAbstractMedia& M) { M.unload(); };
const Step play = [](KAbstractMedia& M) { M.play(); };
const Step stop = [](KAbstractMedia& M) { M.stop(); };
const Step pause = [](KAbstractMedia& M) { M.pause(); };
const Step resume = [](KAbstractMedia& M) { M.resume(); };

TEST(MediaBase, StatesMoveOnlyAlongTheirEdgesAndTheManagerFollows)
{
    const Transition transitions[] = {
        {"play unloaded", {play}, KAbstractMedia::Unloaded, false, false},
        {"load", {load}, KAbstractMedia::Loaded, true, false},
        {"stop loaded", {load, stop}, KAbstractMedia::Loaded, true, false},
        {"play", {load, play}, KAbstractMedia::Playing, true, true},
        {"resume playing", {load, play, resume}, KAbstractMedia::Playing, true, true},
        {"pause", {load, play, pause}, KAbstractMedia::Paused, true, true},
        {"pause then stop", {load, play, pause, stop}, KAbstractMedia::Loaded, true, false},
        {"unload playing", {load, play, unload}, KAbstractMedia::Playing, true, true},
        {"unload paused", {load, play, pause, unload}, KAbstractMedia::Paused, true, true},
        {"unload", {load, play, stop, unload}, KAbstractMedia::Unloaded, false, false},
    };
    for (const Transition& t : transitions) {
        MediaScope scope;
        KAbstractMediaPtr medium = new KAbstractMedia;
        for (const Step& step : t.steps)
            step(*medium);
        EXPECT_EQ(medium->getState(), t.state) << t.name;
        EXPECT_EQ(scope.manager().getMedia().has(*medium), t.listed) << t.name;
        EXPECT_EQ(scope.managerIsIdleHandler(), t.managerIdle) << t.name;
        medium->stop();
        medium->unload();
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
    medium->stop();
    medium->close();
    EXPECT_EQ(medium->getState(), KAbstractMedia::Unloaded);
}

TEST(MediaBase, OperationsOfConcreteMediaShowABoxAndValuesAreStored)
{
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
    EXPECT_TRUE(catcher.reports().empty());

    medium->setSpeed(0.9);
    medium->setParameterMax();
    EXPECT_EQ(medium->getSpeed(), 0.5);
    EXPECT_EQ(medium->getStoredSpeed(), 0.9);
    EXPECT_EQ(medium->getParameter(), 1.0);
}

TEST(MediaBase, TheStreamingModeIsFixedWhileLoaded)
{
    MediaScope scope;
    KAbstractMediaPtr medium = new KAbstractMedia;
    medium->setStreamingMode(kStreamingModeBuffer);
    medium->load();
    ReportCatcher catcher;
    medium->setStreamingMode(kStreamingModeGraph);
    EXPECT_TRUE(catcher.caught(4, "KAbstractMedia::setStreamingMode(KMediaStreamingMode M)"));
    EXPECT_EQ(medium->getStreamingMode(), kStreamingModeBuffer);
    medium->unload();
}

TEST(MediaBase, FeedbackGoesToTheReceiversInOrderUntilOneTakesItThenToTheApplication)
{
    MediaScope scope;
    SpeakingMediaPtr medium = new SpeakingMedia;
    FeedbackRecorderPtr first = new FeedbackRecorder;
    FeedbackRecorderPtr second = new FeedbackRecorder;
    FeedbackRecorderPtr third = new FeedbackRecorder;
    first->takes = false;
    for (FeedbackRecorder* receiver : {first.get(), second.get(), third.get()})
        medium->getReceivers().add(*receiver);

    EXPECT_EQ(medium->say(4, 6), 1);
    EXPECT_EQ(first->seen, std::vector<std::string>{"WordStart=4 WordLength=6"});
    EXPECT_EQ(second->seen.size(), 1u);
    EXPECT_TRUE(third->seen.empty());
    EXPECT_EQ(scope.application().feedbackHeard, 0);

    second->takes = false;
    third->takes = false;
    EXPECT_EQ(medium->say(0, 3), 0);
    EXPECT_EQ(third->seen.size(), 1u);
    EXPECT_EQ(scope.application().feedbackHeard, 1);
}

} // namespace
