// The platform's own movie engines: QuickTime is looked for and not found on this machine,
// and the DirectShow stream engine plays small AVI files made on the spot.
#include "multimedia/movie/DirectShowMovieEngineWin32.h"
#include "multimedia/movie/QuickTimeLibraryWin32.h"
#include "tests/multimedia/MovieTestSupport.h"

#include <gtest/gtest.h>

#include <amstream.h>
#include <control.h>

namespace {

constexpr uint32 kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
// Stream times count 100-nanosecond units.
constexpr long long kQuarterSecond = 2500000;

StreamMovieRecordWin32& streamOf(KMovie& Movie) { return *static_cast<StreamMovieRecordWin32*>(Movie.getNativeHandle()); }

STREAM_STATE stateOf(KMovie& Movie)
{
    STREAM_STATE state = STREAMSTATE_RUN;
    streamOf(Movie).multiMediaStream->GetState(&state);
    return state;
}

struct StreamMovie {
    explicit StreamMovie(const Bytes& Avi, const char* Name = "clip.avi")
        : scope(MediaScope::MainWindow)
    {
        page->create(64, 48);
        movie = movieFrom(writeFile(folder, Name, Avi));
        movie->setTargetDevice(page->getGraphicDevice());
        movie->setBounds(KGraphicRectangle(8, 8, 32, 16));
        movie->load();
    }
    uint32 pixel(short H, short V) { return rgbOf(page->getGraphicDevice().getPixel(H, V)); }
    // Idle passes until the manager has ended the movie; the bound only keeps a broken
    // stream from holding the test.
    bool playToTheEnd()
    {
        return pollUntil(
            [&] {
                scope.media().application().processIdleOnce();
                return movie->getState() != KAbstractMedia::Playing;
            },
            500);
    }

    TemporaryFolder folder;
    MovieScope scope;
    KImagePtr page = new KImage;
    KMoviePtr movie;
};

TEST(QuickTimeLibrary, IsNotFoundWhereItIsNotInstalled)
{
    std::string path;
    EXPECT_FALSE(QuickTimeLibraryWin32::findLibraryFile(path));
    QuickTimeLibraryWin32& library = QuickTimeLibraryWin32::getLibrary();
    EXPECT_EQ(library.initialize(), QuickTimeLibraryWin32::kLibraryMissing);
    EXPECT_EQ(library.getStartCount(), 0);
    // The movie support then runs the stream engine alone.
    MovieScope scope;
    EXPECT_EQ(scope.support().getAvailableEngines(), unsigned(KMovieSupport::StreamEngineBit));
    EXPECT_FALSE(scope.support().isEngineAvailable(1));
}

TEST(StreamMovieEngine, PlaysAnAviIntoTheDeviceUntilItsEnd)
{
    // MOV files open with the stream too when there is no QuickTime.
    StreamMovie clip(aviBytes(16, 8, 10, {kRed, kGreen, kBlue}), "clip.mov");
    ASSERT_EQ(clip.movie->getEngineNumber(), 2u);
    EXPECT_EQ(clip.movie->getNaturalSize(), KGraphicSize(16, 8));
    EXPECT_EQ(stateOf(*clip.movie), STREAMSTATE_STOP);
    clip.movie->play();
    EXPECT_EQ(stateOf(*clip.movie), STREAMSTATE_RUN);
    EXPECT_TRUE(clip.playToTheEnd());
    EXPECT_EQ(clip.movie->getState(), KAbstractMedia::Loaded);
    EXPECT_EQ(clip.pixel(10, 10), kBlue);
    EXPECT_EQ(clip.pixel(39, 23), kBlue);
    EXPECT_EQ(clip.pixel(40, 10), 0u);
    EXPECT_FALSE(clip.scope.media().managerIsIdleHandler());
}

TEST(StreamMovieEngine, GoesOnFromTheKeptTimeAndDrawsTheFrameThere)
{
    StreamMovie clip(aviBytes(16, 8, 10, {kRed, kGreen, kBlue, kRed}));
    ASSERT_EQ(clip.movie->getEngineNumber(), 2u);
    StreamMovieRecordWin32& stream = streamOf(*clip.movie);
    stream.resumeTime = kQuarterSecond;
    // A still from a halted stream is the frame at the kept time; the stream halts again.
    clip.movie->draw(clip.page->getGraphicDevice(), KGraphicRectangle(0, 0, 4, 4));
    EXPECT_EQ(clip.pixel(1, 1), kBlue);
    EXPECT_EQ(stateOf(*clip.movie), STREAMSTATE_STOP);
    EXPECT_EQ(stream.halted, 1);
    clip.movie->play();
    clip.scope.media().application().processIdleOnce();
    EXPECT_EQ(clip.pixel(10, 10), kBlue);
    // Stopping keeps the old time, pausing takes the stream's, restarting goes back to 0.
    clip.movie->stop();
    EXPECT_EQ(stream.resumeTime, kQuarterSecond);
    clip.movie->play();
    clip.movie->pause();
    EXPECT_EQ(stream.halted, 1);
    EXPECT_TRUE(clip.movie->isDonePlaying());
    clip.movie->resume();
    clip.movie->restart();
    EXPECT_EQ(stream.resumeTime, 0);
    clip.scope.media().application().processIdleOnce();
    EXPECT_EQ(clip.pixel(10, 10), kRed);
    clip.movie->stop();
}

TEST(StreamMovieEngine, VolumeGoesToTheStreamsGraphInHundredthsOfADecibel)
{
    StreamMovie clip(aviBytes(16, 8, 10, {kRed}));
    ASSERT_EQ(clip.movie->getEngineNumber(), 2u);
    IGraphBuilder* graph = nullptr;
    streamOf(*clip.movie).multiMediaStream->GetFilterGraph(&graph);
    ASSERT_TRUE(graph);
    // The graph goes before any check can end the test: one left held keeps its filters'
    // threads past the test.
    IBasicAudio* audio = nullptr;
    const HRESULT found = graph->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio));
    graph->Release();
    ASSERT_TRUE(SUCCEEDED(found) && audio);
    for (const auto& level : {std::make_pair(1.0, 0L), std::make_pair(0.5, -2000L), std::make_pair(0.0, -4000L)}) {
        clip.movie->setVolume(level.first);
        long volume = 1;
        audio->get_Volume(&volume);
        EXPECT_EQ(volume, level.second) << level.first;
    }
    audio->Release();
}

TEST(StreamMovieEngine, FilesItCannotOpenLeaveTheMovieUnloaded)
{
    // Noise, a sound and an AVI without frames never reach the platform, whose parsers
    // can hang on them.
    for (const Bytes& content : {Bytes(300, 'x'), waveBytes(WaveShape()), aviBytes(16, 8, 10, {})}) {
        StreamMovie movie(content);
        EXPECT_EQ(movie.movie->getState(), KAbstractMedia::Unloaded);
        EXPECT_FALSE(movie.movie->hasNativeHandle());
        EXPECT_TRUE(movie.scope.media().manager().getMedia().isEmpty());
    }
}

} // namespace
