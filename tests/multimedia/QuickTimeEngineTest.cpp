// The QuickTime movie engine over a stand-in for QuickTime: a dispatcher that answers the
// routines the engine calls, keeps a log of them, and draws into the offscreens and
// pictures it is given, so that the engine's calls, their order and its arithmetic are
// seen on a machine without QuickTime.
#include "application/KWindow.h"
#include "graphics/PictImportHook.h"
#include "multimedia/movie/QuickTimeLibraryWin32.h"
#include "multimedia/movie/QuickTimeMovieEngineWin32.h"
#include "tests/multimedia/MovieTestSupport.h"

#include <gtest/gtest.h>

#include <cstdarg>

namespace {

constexpr unsigned long kEnterMovies = quickTimeSelector(2, 0x01), kExitMovies = quickTimeSelector(2, 0x02),
    kToFileSpec = quickTimeSelector(0x1D, 0x2E), kNewGWorld = quickTimeSelector(0x17, 1),
    kPictureToDIB = quickTimeSelector(0x17, 0x0F), kOpenMovieFile = quickTimeSelector(2, 0x192),
    kNewMovieFromFile = quickTimeSelector(2, 0xF0), kGetMovieBox = quickTimeSelector(2, 0xF9),
    kSetMovieBox = quickTimeSelector(2, 0xFA), kStartMovie = quickTimeSelector(2, 0x0B),
    kStopMovie = quickTimeSelector(2, 0x0C), kRewind = quickTimeSelector(2, 0x0D),
    kMoviesTask = quickTimeSelector(2, 0x05), kIsMovieDone = quickTimeSelector(2, 0xDD),
    kDisposeMovie = quickTimeSelector(2, 0x23), kSetVolume = quickTimeSelector(2, 0x2F),
    kPoster = quickTimeSelector(2, 0xF7), kMoviePict = quickTimeSelector(2, 0x1D),
    kDuration = quickTimeSelector(2, 0x2B), kFirstTrack = quickTimeSelector(2, 0x117),
    kTrackMedia = quickTimeSelector(2, 0x62), kSampleCount = quickTimeSelector(2, 0x79),
    kKillPicture = quickTimeSelector(0x1E, 0x60), kOpenDataFork = quickTimeSelector(0x0F, 0xE3),
    kSetFPos = quickTimeSelector(0x0F, 0x57), kGetEOF = quickTimeSelector(0x0F, 0x54),
    kFSRead = quickTimeSelector(0x0F, 0x47), kFSClose = quickTimeSelector(0x0F, 0x46),
    kNewHandle = quickTimeSelector(0x15, 0x08);

// Pictures here are a width and a height (16-bit) and one colour (red, green, blue).
struct FakeQuickTime {
    std::vector<unsigned long> calls;
    int loads = 0, unloads = 0;
    long loadResult = 0, enterResult = 0;
    bool done = false;
    long volume = -1, pictureTime = -1;
    std::vector<std::string> paths;
    HDC offscreen = nullptr;
    FILE* file = nullptr;
    std::map<char**, long> handles;

    long count(unsigned long Selector) const { return long(std::count(calls.begin(), calls.end(), Selector)); }
    char** newHandle(long Size)
    {
        auto** handle = new char*(new char[Size]);
        handles[handle] = Size;
        return handle;
    }
    char** greenPicture()
    {
        char** picture = newHandle(7);
        const char bytes[] = {2, 0, 2, 0, 0, char(0xFF), 0};
        std::copy(bytes, bytes + 7, *picture);
        return picture;
    }
};
FakeQuickTime* s_fake = nullptr;

HGLOBAL dibOf(const char* Picture, long Length)
{
    if (Length < 7)
        return nullptr;
    const long width = uint8(Picture[0]) | uint8(Picture[1]) << 8, height = uint8(Picture[2]) | uint8(Picture[3]) << 8;
    const long stride = (width * 3 + 3) & ~3;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + stride * height);
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    *header = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    auto* pixels = reinterpret_cast<uint8*>(header + 1);
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                pixels[y * stride + x * 3 + c] = uint8(Picture[6 - c]);
    GlobalUnlock(dib);
    return dib;
}

long __cdecl fakeDispatcher(unsigned long Selector, ...)
{
    FakeQuickTime& q = *s_fake;
    q.calls.push_back(Selector);
    va_list arguments;
    va_start(arguments, Selector);
    const auto next = [&] { return va_arg(arguments, uintptr_t); };
    long result = 0;
    switch (Selector) {
    case kEnterMovies:
        result = q.enterResult;
        break;
    case kToFileSpec: {
        q.paths.push_back(reinterpret_cast<const char*>(next()));
        *reinterpret_cast<long*>(next()) = long(q.paths.size() - 1);
        break;
    }
    case kOpenMovieFile: {
        const std::string& path = q.paths[*reinterpret_cast<long*>(next())];
        *reinterpret_cast<int16*>(next()) = 7;
        result = path.size() > 4 && path.substr(path.size() - 4) == ".mov" ? 0 : -43;
        break;
    }
    case kNewMovieFromFile:
        *reinterpret_cast<void**>(next()) = &q;
        break;
    case kGetMovieBox:
        next();
        std::copy_n(std::initializer_list<int16>{0, 0, 24, 32}.begin(), 4, reinterpret_cast<int16*>(next()));
        break;
    case kNewGWorld: {
        auto** world = reinterpret_cast<void**>(next());
        for (int skipped = 0; skipped < 4; ++skipped)
            next();
        q.offscreen = reinterpret_cast<HDC>(next());
        *world = &q.offscreen;
        break;
    }
    case kMoviesTask:
        if (q.offscreen)
            PatBlt(q.offscreen, 0, 0, 32, 24, WHITENESS);
        break;
    case kIsMovieDone:
        result = q.done;
        break;
    case kSetVolume:
        next();
        q.volume = long(next());
        break;
    case kDuration:
        result = 600;
        break;
    case kFirstTrack:
    case kTrackMedia:
        result = 1;
        break;
    case kSampleCount:
        result = 3;
        break;
    case kMoviePict:
        next();
        q.pictureTime = long(next());
        result = long(reinterpret_cast<uintptr_t>(q.greenPicture()));
        break;
    case kPoster:
        result = long(reinterpret_cast<uintptr_t>(q.greenPicture()));
        break;
    case kPictureToDIB: {
        auto** picture = reinterpret_cast<char**>(next());
        result = long(reinterpret_cast<uintptr_t>(dibOf(*picture, q.handles[picture])));
        break;
    }
    case kKillPicture: {
        auto** picture = reinterpret_cast<char**>(next());
        q.handles.erase(picture);
        delete[] *picture;
        delete picture;
        break;
    }
    case kOpenDataFork:
        q.file = std::fopen(q.paths[*reinterpret_cast<long*>(next())].c_str(), "rb");
        next();
        *reinterpret_cast<int16*>(next()) = 9;
        result = q.file ? 0 : -43;
        break;
    case kSetFPos:
        next();
        next();
        result = std::fseek(q.file, long(next()), SEEK_SET);
        break;
    case kGetEOF: {
        next();
        const long here = std::ftell(q.file);
        std::fseek(q.file, 0, SEEK_END);
        *reinterpret_cast<long*>(next()) = std::ftell(q.file);
        std::fseek(q.file, here, SEEK_SET);
        break;
    }
    case kFSRead: {
        next();
        auto* count = reinterpret_cast<long*>(next());
        *count = long(std::fread(reinterpret_cast<char*>(next()), 1, size_t(*count), q.file));
        break;
    }
    case kFSClose:
        std::fclose(q.file);
        q.file = nullptr;
        break;
    case kNewHandle:
        result = long(reinterpret_cast<uintptr_t>(q.newHandle(long(next()))));
        break;
    default:
        break;
    }
    va_end(arguments);
    return result;
}

void unusedEntry() {}

long fakeLoad(QuickTimeEntryPointsWin32& Out, void*& Module, std::uint64_t& Version)
{
    ++s_fake->loads;
    if (s_fake->loadResult != 0)
        return s_fake->loadResult;
    Out = {&fakeDispatcher, reinterpret_cast<void*>(&unusedEntry), reinterpret_cast<void*>(&unusedEntry)};
    Module = s_fake;
    Version = 0x0007000300000000ull;
    return 0;
}

void fakeUnload(void*) { ++s_fake->unloads; }

// The stand-in QuickTime behind engine 1, with no stream engine beside it.
struct FakeQuickTimeScope {
    FakeQuickTimeScope()
    {
        s_fake = &quickTime;
        noStream.available = false;
    }
    ~FakeQuickTimeScope()
    {
        KMovieEngine::install(1, displaced);
        s_fake = nullptr;
    }
    FakeQuickTime quickTime;
    QuickTimeLibraryWin32 library{&fakeLoad, &fakeUnload};
    QuickTimeMovieEngineWin32 engine{library};
    KMovieEngine* displaced = KMovieEngine::install(1, &engine);
    TestMovieEngine noStream{2};
};

TEST(QuickTimeEngine, StartsAreCountedAndAvailabilityIsWorkedOutOnce)
{
    FakeQuickTimeScope fake;
    FakeQuickTime& q = fake.quickTime;
    EXPECT_EQ(std::make_pair(fake.library.initialize(), fake.library.initialize()), std::make_pair(0L, 0L));
    EXPECT_EQ(std::make_pair(q.loads, fake.library.getStartCount()), std::make_pair(1, 2L));
    fake.library.terminate();
    EXPECT_EQ(q.unloads, 0);
    fake.library.terminate();
    EXPECT_EQ(q.unloads, 1);
    EXPECT_EQ(fake.library.call(kEnterMovies), QuickTimeLibraryWin32::kLibraryNotLoaded);
    q.loadResult = QuickTimeLibraryWin32::kEntryPointMissing;
    EXPECT_EQ(fake.library.initialize(), QuickTimeLibraryWin32::kEntryPointMissing);
    EXPECT_EQ(fake.library.getStartCount(), 0);
    q.loadResult = 0;

    EXPECT_TRUE(fake.engine.isAvailable());
    EXPECT_TRUE(fake.engine.isAvailable());
    EXPECT_EQ(std::make_pair(q.count(kEnterMovies), q.count(kExitMovies)), std::make_pair(1L, 1L));
    EXPECT_EQ(fake.library.getStartCount(), 0);
    // Started, it keeps one counted start however often it is started again.
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(fake.engine.startUp());
        fake.engine.shutDown();
    }
    EXPECT_EQ(fake.library.getStartCount(), 1);
    EXPECT_EQ(q.count(kExitMovies), 3);
    EXPECT_NE(getPictImportHook(), nullptr);

    QuickTimeMovieEngineWin32 refused(fake.library);
    q.enterResult = -1;
    EXPECT_FALSE(refused.isAvailable());
    EXPECT_FALSE(refused.startUp());
}

TEST(QuickTimeEngine, PlaysIntoAnOffscreenCopiedToTheDeviceAtMostEvery40Ms)
{
    DrivenClock clock;
    FakeQuickTimeScope fake;
    FakeQuickTime& q = fake.quickTime;
    MovieScope scope;
    KImagePtr page = new KImage;
    page->create(64, 48);
    KGraphicDevice& device = page->getGraphicDevice();
    KMoviePtr refused = movieFrom("clip.avi");
    refused->load();
    EXPECT_EQ(refused->getState(), KAbstractMedia::Unloaded);
    KMoviePtr movie = movieFrom("clip.mov");
    movie->setTargetDevice(device);
    movie->setBounds(KGraphicRectangle(0, 0, 64, 48));
    movie->load();
    ASSERT_EQ(movie->getEngineNumber(), 1u);
    EXPECT_EQ(movie->getNaturalSize(), KGraphicSize(32, 24));
    movie->play();
    ASSERT_EQ(movie->getState(), KAbstractMedia::Playing);
    EXPECT_NE(q.offscreen, nullptr);
    for (const auto& step : {std::make_pair(0u, 0u), std::make_pair(40u, 0u), std::make_pair(1u, 0xFFFFFFu)}) {
        clock.advance(step.first);
        scope.media().application().processIdleOnce();
        EXPECT_EQ(rgbOf(device.getPixel(60, 40)), step.second) << step.first;
    }
    EXPECT_EQ(q.count(kMoviesTask), 3);

    for (const auto& level : {std::make_pair(1.5, 256L), std::make_pair(-0.2, 0L), std::make_pair(0.5, 128L)}) {
        movie->setVolume(level.first);
        EXPECT_EQ(q.volume, level.second) << level.first;
    }
    // Three frames over 600 units: frame n is at 200 × (n − 1); frames 0 and 1 at 0.
    for (const auto& frame : {std::make_pair(0L, 0L), std::make_pair(1L, 0L), std::make_pair(3L, 400L)}) {
        movie->drawFrame(device, KGraphicRectangle(0, 0, 4, 4), frame.first);
        EXPECT_EQ(q.pictureTime, frame.second) << frame.first;
    }
    movie->draw(device, KGraphicRectangle(10, 10, 4, 4));
    EXPECT_EQ(rgbOf(device.getPixel(11, 11)), 0x00FF00u);
    EXPECT_TRUE(q.handles.empty());
    // Paused, a QuickTime movie stops; resumed, it starts again from its beginning.
    movie->pause();
    EXPECT_EQ(q.count(kStopMovie), 1);
    movie->resume();
    EXPECT_EQ(std::make_pair(q.count(kRewind), q.count(kStartMovie)), std::make_pair(2L, 2L));
    q.done = true;
    scope.media().application().processIdleOnce();
    EXPECT_EQ(movie->getState(), KAbstractMedia::Loaded);
    movie->unload();
    EXPECT_EQ(q.count(kDisposeMovie), 1);
}

TEST(QuickTimeEngine, WindowMoviesAreReboxedWhilePlaying)
{
    FakeQuickTimeScope fake;
    FakeQuickTime& q = fake.quickTime;
    MovieScope scope;
    scope.media().application().createWindowManager(*KWindowManager::getClassRecord());
    KWindowPtr window = new KWindow;
    window->open(KWindow::OpenHidden);
    KMoviePtr movie = movieFrom("clip.mov");
    movie->setTargetDevice(*window);
    movie->load();
    movie->play();
    q.calls.clear();
    movie->setBounds(KGraphicRectangle(0, 0, 40, 30));
    EXPECT_TRUE(q.calls == (std::vector<unsigned long>{kStopMovie, kSetMovieBox, kStartMovie}));
    movie->stop();
    q.calls.clear();
    movie->setBounds(KGraphicRectangle(0, 0, 20, 15));
    EXPECT_TRUE(q.calls == std::vector<unsigned long>{kSetMovieBox});
    movie->unload();
    window->close();
}

TEST(QuickTimeEngine, ReadsPictFilesPastTheirHeaderWhileStarted)
{
    TemporaryFolder folder;
    FakeQuickTimeScope fake;
    MovieScope scope;
    const auto pict = [&](const std::string& Name, const Bytes& Picture) {
        Bytes content(512, 0);
        content.insert(content.end(), Picture.begin(), Picture.end());
        return fileReference(writeFile(folder, Name, content));
    };
    KImagePtr image = new KImage;
    image->createFromFile(pict("small.pct", {5, 0, 3, 0, 0xFF, 0, 0}));
    EXPECT_EQ(image->getSize(), KGraphicSize(5, 3));
    EXPECT_EQ(rgbOf(image->getGraphicDevice().getPixel(4, 2)), 0xFF0000u);
    EXPECT_EQ(fake.quickTime.file, nullptr);
    // A header alone holds no picture; the image is left empty.
    image->createFromFile(pict("header.pct", {}));
    EXPECT_EQ(image->getSize(), KGraphicSize(0, 0));
    EXPECT_FALSE(image->hasBitmap());
    image->createFromFile(pict("small.pict", {5, 0, 3, 0, 0xFF, 0, 0}));
    scope.support().close();
    image->createFromFile(pict("later.pic", {5, 0, 3, 0, 0xFF, 0, 0}));
    EXPECT_FALSE(image->hasBitmap());
    EXPECT_TRUE(fake.quickTime.handles.empty());
}

} // namespace
