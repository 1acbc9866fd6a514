// Movies of the story, played by test movie engines on the driven clock: a new movie and
// its block, playing into the page until the movie ends or a click ends it, the still
// frame of a page redraw, and what happens without a movie to play.
#include "story/LumoMovie.h"
#include "tests/story/StoryMediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

namespace {

bool s_buttonHeld = false;

class Movies : public StoryMediaTest {
protected:
    Movies() { LumoMovie::setMouseButtonProbe([] { return s_buttonHeld; }); }
    ~Movies() override
    {
        LumoMovie::setMouseButtonProbe(nullptr);
        s_buttonHeld = false;
    }
    // The movie support over the test engines, and the movie types the multimedia library
    // registers.
    static void openMovies(MediaStage& Stage)
    {
        Stage.open(KMediaManager::MovieSupport);
        MovieScope::registerMovieTypes();
    }
    // A movie object at (8, 8) of the file, which the test engines know unless told not.
    LumoMoviePtr movieOf(MediaStage& Stage, const std::string& Name, bool Known = true)
    {
        writeBytes(m_folder.file(Name), Bytes{0});
        if (Known) {
            Stage.quickTime.addMovie(Name);
            Stage.stream.addMovie(Name);
        }
        LumoMoviePtr movie(new LumoMovie);
        movie->setFileReference(fileIn(Name));
        movie->setBounds(KGraphicRectangle(8, 8, 32, 24));
        return movie;
    }
    // The tick at which the object after the movie starts, as time goes.
    int nextStartsAt(MediaStage& Stage, LumoMovie& Movie, const std::function<void(int)>& EachTick = nullptr)
    {
        Stage.tape->append(Movie);
        Stage.tape->append(*ProbePtr(new Probe(Stage.journal(), "next", 1000)));
        Stage.tape->start(0);
        while (!noted(Stage.journal(), "next start") && Stage.tape->ticks < 100) {
            runTicks(*Stage.tape, 1);
            KMediaManager::getMediaManager().periodicTask();
            if (EachTick)
                EachTick(Stage.tape->ticks);
        }
        return Stage.tape->ticks;
    }
};

TEST_F(Movies, ANewMovieIsCentredOnThePageShown)
{
    LumoMoviePtr movie(new LumoMovie);
    KGraphicRectangle bounds;
    movie->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(240, 180, 320, 240));
    EXPECT_TRUE(!movie->clickStops() && movie->getVolume() == 1.0);
    MediaStage stage(640, 480);
    LumoMoviePtr(new LumoMovie)->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(160, 120, 320, 240));
}

TEST_F(Movies, AMoviePlaysIntoThePageUntilItEndsOrAPressSeenAfterAReleaseEndsIt)
{
    const struct {
        uint8 clickStops;
        // Whether a button is held from each tick on, the last for the rest.
        std::vector<bool> held;
        int nextAt;
        PixelRows frames;
    } cases[] = {
        {1, {true, true, false, true}, 5, {"r"}},
        // Four frames over 400 ms from the first tick; then a tick to see the movie
        // stopped and one to start the next object.
        {0, {true, false, true}, 23, {"r", "g", "b", "y"}},
    };
    for (const auto& c : cases) {
        MediaStage stage(64, 48);
        openMovies(stage);
        LumoMoviePtr movie = movieOf(stage, "clip.avi");
        movie->setFlag(c.clickStops);
        movie->setVolume(0.25);
        s_buttonHeld = c.held[0];
        PixelRows frames;
        const int next = nextStartsAt(stage, *movie, [&](int Tick) {
            s_buttonHeld = c.held[std::min<size_t>(size_t(Tick), c.held.size() - 1)];
            const PixelRows now = pixelRows(stage.pageDevice(), 8, 8, 1, 1);
            if (frames.empty() || frames.back() != now[0])
                frames.push_back(now[0]);
        });
        EXPECT_EQ(next, c.nextAt) << int(c.clickStops);
        EXPECT_EQ(frames, c.frames);
        EXPECT_TRUE(stage.stream.calls.end() != std::find(stage.stream.calls.begin(), stage.stream.calls.end(), "volume 0.250000"));
        EXPECT_EQ(stage.stream.lastCall(), "close");
        EXPECT_FALSE(movie->hasMovie() || movie->hasRunningMedia());
        EXPECT_EQ(KMediaManager::getMediaManager().getMedia().getCount(), 0);
    }
}

TEST_F(Movies, WithoutAMovieToPlayTheObjectEndsAtOnceAndARedrawShowsAStillFrame)
{
    {
        MediaStage stage(64, 48);
        openMovies(stage);
        LumoMoviePtr unknown = movieOf(stage, "other.mov", false);
        EXPECT_EQ(nextStartsAt(stage, *unknown), 2);
        // A redraw of the page: the still frame, and no movie left open; a file that no
        // engine opens shows a white placeholder in a black frame.
        stage.tape->stop();
        stage.tape->clear();
        LumoMoviePtr clip = movieOf(stage, "clip.mov");
        unknown->setBounds(KGraphicRectangle(44, 8, 3, 3));
        stage.tape->append(*clip);
        stage.tape->append(*unknown);
        stage.tape->setCurrentPosition(2);
        stage.tape->redrawPage();
        EXPECT_EQ(pixelRows(stage.pageDevice(), 8, 8, 2, 1), PixelRows{"rr"});
        EXPECT_EQ(pixelRows(stage.pageDevice(), 44, 8, 3, 3), (PixelRows{"...", ".#.", "..."}));
        EXPECT_EQ(KMediaManager::getMediaManager().getMedia().getCount(), 0);
        EXPECT_FALSE(clip->hasMovie());
    }
    // Without a movie engine the one-time alert shows, and the object ends at once.
    MediaStage stage(64, 48);
    LumoMoviePtr movie = movieOf(stage, "clip.mov");
    ReportCatcher catcher;
    EXPECT_EQ(nextStartsAt(stage, *movie), 2);
    movie->start();
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].text, "QuickTime is not installed!");
}

} // namespace
