// The media base and the media manager: the base's state machine and how it keeps the
// manager informed, the operations a concrete medium must supply, how feedback events
// reach receivers; the manager's idle pass that services, restarts and stops media, the
// walks that stop and unload everything, and the opening of supports.
#include "multimedia/KAbstractMedia.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

enum Step { Load, Unload, Play, Stop, Pause, Resume, Close };

TEST(MediaBase, StatesMoveOnlyAlongTheirEdgesAndTheManagerFollows)
{
    // Each medium starts with an engine record; closing a playing medium forgets it
    // although the medium plays on.
    const struct {
        const char* name;
        std::vector<Step> steps;
        uint8 state;
        bool listed;
        bool managerIdle;
        bool recordKept;
    } transitions[] = {
        {"play unloaded", {Play}, KAbstractMedia::Unloaded, false, false, true},
        {"stop loaded", {Load, Stop}, KAbstractMedia::Loaded, true, false, true},
        {"resume playing", {Load, Play, Resume}, KAbstractMedia::Playing, true, true, true},
        {"pause", {Load, Play, Pause}, KAbstractMedia::Paused, true, true, true},
        {"pause then stop", {Load, Play, Pause, Stop}, KAbstractMedia::Loaded, true, false, true},
        {"unload playing", {Load, Play, Unload}, KAbstractMedia::Playing, true, true, true},
        {"unload paused", {Load, Play, Pause, Unload}, KAbstractMedia::Paused, true, true, true},
        {"unload", {Load, Play, Stop, Unload}, KAbstractMedia::Unloaded, false, false, false},
        {"close playing", {Load, Play, Close}, KAbstractMedia::Playing, true, true, false},
    };
    for (const auto& t : transitions) {
        MediaScope scope;
        KAbstractMediaPtr medium = new KAbstractMedia;
        int record = 0;
        medium->setNativeHandle(&record);
        for (Step step : t.steps) {
            switch (step) {
            case Load: medium->load(); break;
            case Unload: medium->unload(); break;
            case Play: medium->play(); break;
            case Stop: medium->stop(); break;
            case Pause: medium->pause(); break;
            case Resume: medium->resume(); break;
            case Close: medium->close(); break;
            }
        }
        EXPECT_EQ(medium->getState(), t.state) << t.name;
        EXPECT_EQ(scope.manager().getMedia().has(*medium), t.listed) << t.name;
        EXPECT_EQ(scope.managerIsIdleHandler(), t.managerIdle) << t.name;
        EXPECT_EQ(medium->hasNativeHandle(), t.recordKept) << t.name;
    }
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

// A medium whose end the test decides. Like sounds, it stays paused when stopped, and
// with unloadsOnStop it lets go of its engine when it stops.
class ScriptedMedia : public KAbstractMedia {
public:
    ~ScriptedMedia() override
    {
        if (destroyed)
            *destroyed = true;
    }
    bool isDonePlaying() override { return done; }
    void service() override { ++services; }
    void restart() override { ++restarts; }
    void stop() override
    {
        if (getState() != Playing)
            return;
        ++stops;
        if (onStop)
            onStop();
        KAbstractMedia::stop();
        if (unloadsOnStop)
            unload();
    }

    bool done = false;
    bool unloadsOnStop = false;
    int services = 0;
    int restarts = 0;
    int stops = 0;
    std::function<void()> onStop;
    bool* destroyed = nullptr;
};
K_POINTER_CLASS(ScriptedMedia, KAbstractMediaPtr);

ScriptedMediaPtr playingMedia()
{
    ScriptedMediaPtr medium = new ScriptedMedia;
    medium->load();
    medium->play();
    return medium;
}

TEST(MediaManager, IdlePassesServicePlayingMediaAndEndThemWhenDone)
{
    MediaScope scope;
    ScriptedMediaPtr idle = new ScriptedMedia;
    idle->load();
    scope.application().processIdleOnce();
    EXPECT_FALSE(scope.managerIsIdleHandler());

    ScriptedMediaPtr looping = playingMedia();
    looping->setMediaFlags(KAbstractMedia::LoopFlag);
    ScriptedMediaPtr paused = playingMedia();
    paused->pause();
    ScriptedMediaPtr once = playingMedia();
    looping->done = true;
    once->done = true;
    scope.application().processIdleOnce();
    scope.application().processIdleOnce();
    EXPECT_EQ(looping->restarts, 2);
    EXPECT_EQ(looping->services, 2);
    EXPECT_EQ(once->stops, 1);
    EXPECT_EQ(once->services, 1);
    EXPECT_EQ(paused->services, 0);
    // A paused medium alone keeps the manager registered; the pass in which the last
    // playing medium ends takes it off the idle list.
    looping->clearMediaFlags(KAbstractMedia::LoopFlag);
    scope.application().processIdleOnce();
    EXPECT_TRUE(scope.managerIsIdleHandler());
    paused->resume();
    paused->done = true;
    scope.application().processIdleOnce();
    EXPECT_FALSE(scope.managerIsIdleHandler());
}

TEST(MediaManager, AFinishedMediumHeldOnlyByTheManagerEndsSafely)
{
    MediaScope scope;
    ScriptedMedia* medium = playingMedia().get();
    ScriptedMediaPtr after = playingMedia();
    bool destroyed = false;
    medium->destroyed = &destroyed;
    medium->unloadsOnStop = true;
    medium->done = true;
    scope.application().processIdleOnce();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(scope.manager().getMedia().getCount(), 1);
    // The medium that took its place in the list is served in the same pass.
    EXPECT_EQ(after->services, 1);
}

TEST(MediaManager, StopAllReachesEveryMediumOnceWhileMediaStopOthers)
{
    MediaScope scope;
    ScriptedMediaPtr first = playingMedia();
    ScriptedMediaPtr second = playingMedia();
    ScriptedMediaPtr third = playingMedia();
    first->onStop = [&] { third->stop(); };
    second->unloadsOnStop = true;
    scope.manager().stopAll();
    EXPECT_EQ(first->stops + second->stops + third->stops, 3);
    EXPECT_FALSE(scope.managerIsIdleHandler());
}

TEST(MediaManager, ReleasingTheManagerUnloadsEveryMediumPausedOnesToo)
{
    MediaScope scope;
    ScriptedMediaPtr paused = playingMedia();
    paused->pause();
    ScriptedMediaPtr loaded = new ScriptedMedia;
    loaded->load();
    KMediaManager::releaseMediaManager();
    EXPECT_EQ(paused->getState(), KAbstractMedia::Unloaded);
    EXPECT_EQ(loaded->getState(), KAbstractMedia::Unloaded);
    EXPECT_FALSE(scope.managerIsIdleHandler());
}

TEST(MediaManager, SupportsAreChosenAndOpenedOnceUntilClosed)
{
    MediaScope scope;
    KMediaManager::initMediaSupport(KMediaManager::SoundSupport);
    KMediaManager& manager = scope.manager();
    EXPECT_EQ(manager.getOpenSupports(), uint32(KMediaManager::SoundSupport | KMediaManager::OpenStepDone));
    EXPECT_NE(KSoundSupport::getInstance().getSoundManager(), nullptr);
    {
        ReportCatcher catcher;
        manager.setActiveMediaSupport(KMediaManager::AllSupports);
        manager.openMediaSupport();
        EXPECT_TRUE(catcher.caught(4, "KMediaManager::setActiveMediaSupport(KMediaSupportFlagSet F)"));
        EXPECT_TRUE(catcher.caught(4, "void KMediaManager::openMediaSupport()"));
        EXPECT_EQ(manager.getRequestedSupports(), uint32(KMediaManager::SoundSupport));
    }
    ScriptedMediaPtr medium = playingMedia();
    manager.closeMediaSupport();
    EXPECT_EQ(medium->getState(), KAbstractMedia::Unloaded);
    EXPECT_EQ(manager.getOpenSupports(), 0u);
    EXPECT_EQ(KSoundSupport::getInstance().getActiveEngineMask(), 0);
    manager.setActiveMediaSupport(KMediaManager::AllSupports);
    EXPECT_EQ(manager.getRequestedSupports(), uint32(KMediaManager::AllSupports));
}

} // namespace
