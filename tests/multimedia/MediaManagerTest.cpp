// The media manager: its idle registration, the idle pass that services, restarts and
// stops media, the walks that stop and unload everything, and the opening of supports.
#include "multimedia/KAbstractMedia.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

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
    EXPECT_EQ(KSoundSupport::getInstance().getEngineMask(), 7);
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
