// Movie media and the movie support, driven through test engines in place of QuickTime
// and the DirectShow stream: which engine opens which file, playing into a device on a
// driven clock until the media manager ends the movie, and the windows an engine that
// must know them is told about.
#include "application/KWindow.h"
#include "foundation/ErrorTable.h"
#include "tests/multimedia/MovieTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

long count(const std::vector<std::string>& Calls, const std::string& Call)
{
    return static_cast<long>(std::count(Calls.begin(), Calls.end(), Call));
}

TEST(MovieSupport, StartsTheWantedEnginesThatAreAvailable)
{
    const struct {
        bool quickTime, stream;
        uint32 mask, started;
    } cases[] = {
        {true, true, 3, 3},
        // Without QuickTime, only the stream engine runs.
        {false, true, 3, 2},
        {true, true, 1, 1},
        {true, false, 2, 0},
    };
    for (const auto& c : cases) {
        TestMovieEngine quickTime(1), stream(2);
        quickTime.available = c.quickTime;
        stream.available = c.stream;
        MovieScope scope(0, false);
        scope.support().setEngineMask(c.mask);
        scope.support().open();
        EXPECT_EQ(scope.support().getAvailableEngines(), c.started) << c.mask << c.quickTime << c.stream;
        EXPECT_EQ(scope.support().isEngineAvailable(1), c.quickTime);
        EXPECT_FALSE(scope.support().isEngineAvailable(3));
        scope.support().close();
        EXPECT_EQ(scope.support().getAvailableEngines(), 0u);
        EXPECT_EQ(stream.lastCall(), "shutDown");
    }
    // The media manager asks for both engines.
    TestMovieEngine quickTime(1), stream(2);
    MovieScope scope;
    EXPECT_EQ(std::make_pair(scope.support().getEngineMask(), scope.support().getAvailableEngines()), std::make_pair(3u, 3u));
}

TEST(MovieSupport, QuickTimeIsToldOfEveryNativeWindowWhileItRuns)
{
    TestMovieEngine quickTime(1), stream(2);
    MovieScope scope(0, false);
    scope.media().application().createWindowManager(*KWindowManager::getClassRecord());
    KWindowPtr before = new KWindow;
    before->open(KWindow::OpenHidden);
    scope.support().setEngineMask(3);
    scope.support().open();
    EXPECT_EQ(count(quickTime.calls, "attach"), 1);
    KWindowPtr later = new KWindow;
    later->open(KWindow::OpenHidden);
    EXPECT_EQ(count(quickTime.calls, "attach"), 2);
    later->close();
    EXPECT_EQ(count(quickTime.calls, "detach"), 1);
    EXPECT_TRUE(stream.calls == std::vector<std::string>{"startUp"});
    scope.support().close();
    EXPECT_EQ(count(quickTime.calls, "detach"), 2);
    EXPECT_EQ(quickTime.lastCall(), "shutDown");
    // Stopped, QuickTime hears of windows no more.
    KWindowPtr after = new KWindow;
    after->open(KWindow::OpenHidden);
    after->close();
    before->close();
    EXPECT_EQ(count(quickTime.calls, "attach") + count(quickTime.calls, "detach"), 4);
}

TEST(MovieMedia, OpensWithTheEngineItsTypeAsksForAndFallsBackToTheOther)
{
    const struct {
        const char* file;
        bool quickTime, stream, streamKnowsIt;
        uint32 engine;
        const char* tried;
    } cases[] = {
        {"clip.mov", true, true, true, 1, "1"},
        {"clip.avi", true, true, true, 2, "2"},
        {"clip.avi", true, true, false, 1, "21"},
        {"clip.mov", false, true, true, 2, "2"},
        {"clip.avi", false, false, true, 0, ""},
        {"gone.mov", true, true, true, 0, "121"},
    };
    for (const auto& c : cases) {
        TestMovieEngine quickTime(1), stream(2);
        quickTime.available = c.quickTime;
        stream.available = c.stream;
        for (const char* known : {"clip.mov", "clip.avi"}) {
            quickTime.addMovie(known, TestMovie{4, 400, 40, 30});
            if (c.streamKnowsIt)
                stream.addMovie(known, TestMovie{4, 400, 20, 10});
        }
        MovieScope scope;
        KMoviePtr movie = movieFrom(c.file);
        movie->load();
        EXPECT_EQ(TestMovieEngine::openOrder(), c.tried) << c.file << c.quickTime << c.stream << c.streamKnowsIt;
        EXPECT_EQ(movie->getEngineNumber(), c.engine);
        EXPECT_EQ(movie->getState(), c.engine ? KAbstractMedia::Loaded : KAbstractMedia::Unloaded);
        EXPECT_EQ(scope.media().manager().getMedia().getCount(), c.engine ? 1 : 0);
        EXPECT_EQ(movie->getNaturalSize().getWidth(), c.engine == 1 ? 40 : (c.engine == 2 ? 20 : 0));
        // QuickTime is given the path made absolute, the stream the path as it is stored.
        if (c.engine == 1) {
            EXPECT_NE(quickTime.lastPath.find(":\\"), std::string::npos) << quickTime.lastPath;
        } else if (c.engine == 2) {
            EXPECT_EQ(stream.lastPath, c.file);
        }
    }
}

TEST(MovieMedia, PlaysIntoItsDeviceUntilTheManagerStopsItAtItsEnd)
{
    DrivenClock clock;
    TestMovieEngine quickTime(1), stream(2);
    stream.addMovie("clip.avi");
    MovieScope scope;
    KImagePtr page = new KImage;
    page->create(64, 48);
    KGraphicDevice& device = page->getGraphicDevice();
    KMoviePtr movie = movieFrom("clip.avi");
    movie->setTargetDevice(device);
    movie->setBounds(KGraphicRectangle(8, 8, 32, 24));
    movie->load();
    movie->play();
    ASSERT_EQ(movie->getState(), KAbstractMedia::Playing);
    EXPECT_TRUE(scope.media().managerIsIdleHandler());
    const std::pair<uint32, long> steps[] = {{0, 0}, {150, 1}, {100, 2}, {149, 3}};
    for (const auto& step : steps) {
        clock.advance(step.first);
        scope.media().application().processIdleOnce();
        EXPECT_EQ(rgbOf(device.getPixel(10, 10)), rgbOf(TestMovieEngine::frameColor(step.second))) << step.second;
    }
    EXPECT_EQ(rgbOf(device.getPixel(4, 4)), 0u);
    // Moved while playing, the frames follow at once.
    movie->setBounds(KGraphicRectangle(0, 0, 8, 8));
    scope.media().application().processIdleOnce();
    EXPECT_EQ(rgbOf(device.getPixel(4, 4)), rgbOf(TestMovieEngine::frameColor(3)));
    clock.advance(1);
    scope.media().application().processIdleOnce();
    EXPECT_EQ(movie->getState(), KAbstractMedia::Loaded);
    EXPECT_FALSE(scope.media().managerIsIdleHandler());
    EXPECT_EQ(stream.lastCall(), "stop");
    // A looping movie is restarted at its end and stays playing.
    movie->setMediaFlags(KAbstractMedia::LoopFlag);
    movie->play();
    clock.advance(400);
    scope.media().application().processIdleOnce();
    EXPECT_EQ(stream.lastCall(), "restart");
    EXPECT_EQ(movie->getState(), KAbstractMedia::Playing);
    movie->stop();
}

TEST(MovieMedia, WithoutATargetOrAnEngineRecordOnlyTheStatesMove)
{
    DrivenClock clock;
    TestMovieEngine quickTime(1), stream(2);
    stream.addMovie("clip.avi");
    MovieScope scope;
    KMoviePtr movie = movieFrom("clip.avi");
    // Without a target the engine hears nothing, and the volume is not remembered.
    movie->setVolume(0.5);
    movie->load();
    movie->play();
    movie->setVolume(0.5);
    EXPECT_EQ(movie->getState(), KAbstractMedia::Loaded);
    EXPECT_TRUE(movie->isDonePlaying());
    EXPECT_EQ(std::make_pair(movie->getVolume(), stream.lastCall()), std::make_pair(1.0, std::string("open clip.avi")));

    KImagePtr page = new KImage;
    page->create(16, 16);
    movie->unload();
    movie->setTargetDevice(page->getGraphicDevice());
    movie->load();
    movie->setVolume(0.5);
    EXPECT_EQ(std::make_pair(movie->getVolume(), stream.lastCall()), std::make_pair(1.0, std::string("volume 0.500000")));
    // An engine that cannot start the movie leaves it loaded.
    stream.playSucceeds = false;
    movie->play();
    EXPECT_EQ(movie->getState(), KAbstractMedia::Loaded);
    stream.playSucceeds = true;
    // Unloading a playing movie lets go of its record at once; the manager then finds it
    // done and stops it, and it unloads for good.
    movie->play();
    movie->unload();
    EXPECT_EQ(stream.lastCall(), "close");
    EXPECT_FALSE(movie->hasNativeHandle());
    EXPECT_EQ(movie->getState(), KAbstractMedia::Playing);
    scope.media().application().processIdleOnce();
    EXPECT_EQ(movie->getState(), KAbstractMedia::Loaded);
    movie->unload();
    EXPECT_EQ(movie->getState(), KAbstractMedia::Unloaded);
    EXPECT_TRUE(scope.media().manager().getMedia().isEmpty());
    EXPECT_EQ(count(stream.calls, "close"), 2);
}

K_CHILD_SCENARIO(RetargetingALoadedMovie)
{
    TestMovieEngine stream(2);
    stream.addMovie("clip.avi");
    KMovieSupport::createMovieSupport();
    KMovieSupport::getMovieSupport().setEngineMask(2);
    KMovieSupport::getMovieSupport().open();
    MovieScope::registerMovieTypes();
    // The fatal box is printed instead of shown.
    knsSetMessageBoxPresenter([](const char* Caption, const char* Text, unsigned) {
        std::printf("box [%s] [%s]\n", Caption, Text);
        std::fflush(stdout);
        return 1;
    });
    KMoviePtr movie = movieFrom("clip.avi");
    movie->load();
    KImagePtr page = new KImage;
    page->create(8, 8);
    movie->setTargetDevice(page->getGraphicDevice());
    std::printf("never here\n");
}

TEST(MovieMedia, ALoadedMovieCannotChangeItsTargetAndLivesOnTheHeapOnly)
{
    const ChildResult child = runChildScenario("RetargetingALoadedMovie");
    EXPECT_EQ(child.exitCode, unsigned(kFatalExitCode));
    EXPECT_EQ(child.output, "box [void KMovie::setTargetDevice(KGraphicDevice& Dev)] [unload first]\n");
    ReportCatcher catcher;
    KMovie onStack;
    EXPECT_TRUE(catcher.caught(3, "KMovie::KMovie()"));
}

} // namespace
