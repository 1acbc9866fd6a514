#pragma once
// What the movie tests share: a movie engine that plays movies of coloured frames on the
// tick clock the tests drive, a scope with the media manager and the movie support, and
// small AVI files made on the spot for the platform's own stream engine.
#include "application/KWindowManager.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KImage.h"
#include "multimedia/KMovie.h"
#include "multimedia/KMovieSupport.h"
#include "multimedia/movie/KMovieEngine.h"
#include "tests/multimedia/MediaTestSupport.h"

#include <algorithm>
#include <map>

// A movie engine put in place of engine 1 or 2 for as long as it lives. It opens the
// files its test names (by leaf name), each a movie of some frames over a duration on
// knsGetTicks, and paints the frame due at each service in that frame's colour over the
// movie's bounds on its target. Like the stream engine, a pause keeps the movie's time
// and play goes on from the time kept. It notes every call it gets.
struct TestMovie {
    long frames = 4;
    uint32 duration = 400;
    short width = 32;
    short height = 24;
};

class TestMovieEngine : public KMovieEngine {
public:
    using Movie = TestMovie;

    explicit TestMovieEngine(uint32 Number)
        : m_number(Number)
        , m_displaced(install(Number, this))
    {
        openOrder().clear();
    }
    ~TestMovieEngine() override { install(m_number, m_displaced); }

    void addMovie(const std::string& LeafName, const Movie& M = Movie()) { m_movies[LeafName] = M; }
    // The colour frame F is painted in.
    static KColor frameColor(long F)
    {
        static const KColor colors[] = {KColor(0xFFFF, 0, 0), KColor(0, 0xFFFF, 0), KColor(0, 0, 0xFFFF),
                                        KColor(0xFFFF, 0xFFFF, 0), KColor(0, 0xFFFF, 0xFFFF)};
        return colors[F % 5];
    }
    std::string lastCall() const { return calls.empty() ? std::string() : calls.back(); }
    // The numbers of the engines asked to open a file, in order, across all of them.
    static std::string& openOrder()
    {
        static std::string order;
        return order;
    }

    bool available = true;
    bool playSucceeds = true;
    std::vector<std::string> calls;
    std::string lastPath;

    bool isAvailable() override { return available; }
    bool startUp() override
    {
        calls.push_back("startUp");
        m_started = available;
        return m_started;
    }
    void shutDown() override
    {
        calls.push_back("shutDown");
        m_started = false;
    }
    bool isActive() override { return m_started; }
    void attachWindow(void*) override { calls.push_back("attach"); }
    void detachWindow(void*) override { calls.push_back("detach"); }

    unsigned long getRecordSize() const override { return sizeof(uint32); }
    bool open(void* Record, const char* Path, KGraphicSize& NaturalSize) override
    {
        std::string leaf(Path);
        leaf = leaf.substr(leaf.find_last_of("\\/") + 1);
        calls.push_back("open " + leaf);
        lastPath = Path;
        openOrder() += std::to_string(m_number);
        const auto found = m_movies.find(leaf);
        if (found == m_movies.end())
            return false;
        m_records[Record] = State();
        m_records[Record].movie = found->second;
        NaturalSize = KGraphicSize(found->second.width, found->second.height);
        return true;
    }
    void close(void* Record) override
    {
        calls.push_back("close");
        m_records.erase(Record);
    }
    void setTarget(void* Record, KGraphicDevice& Target) override { m_records[Record].target = &Target; }
    void setBounds(void* Record, const KGraphicRectangle& Bounds) override { m_records[Record].bounds = Bounds; }
    bool play(void* Record) override
    {
        calls.push_back("play");
        State& s = m_records[Record];
        s.running = playSucceeds;
        s.since = knsGetTicks();
        return playSucceeds;
    }
    void restart(void* Record) override
    {
        calls.push_back("restart");
        State& s = m_records[Record];
        s.kept = 0;
        s.running = true;
        s.since = knsGetTicks();
    }
    void stop(void* Record) override
    {
        calls.push_back("stop");
        m_records[Record].running = false;
    }
    void pause(void* Record) override
    {
        calls.push_back("pause");
        State& s = m_records[Record];
        s.kept = elapsed(s);
        s.running = false;
    }
    void resume(void* Record) override { play(Record); }
    bool isDone(void* Record) override
    {
        State& s = m_records[Record];
        return !s.running || elapsed(s) >= s.movie.duration;
    }
    void service(void* Record) override
    {
        State& s = m_records[Record];
        if (!s.target || !s.running)
            return;
        s.target->paintRect(s.bounds, frameColor(frameAt(s, elapsed(s))));
    }
    void setVolume(void*, double Volume) override { calls.push_back("volume " + std::to_string(Volume)); }
    bool drawStill(void* Record, KGraphicDevice& Device, const KGraphicRectangle& R) override
    {
        const State& s = m_records[Record];
        Device.paintRect(R, frameColor(frameAt(s, s.kept)));
        return true;
    }
    bool drawFrame(void*, KGraphicDevice& Device, const KGraphicRectangle& R, long Frame) override
    {
        Device.paintRect(R, frameColor(Frame - 1));
        return true;
    }

private:
    struct State {
        Movie movie;
        KGraphicDevice* target = nullptr;
        KGraphicRectangle bounds;
        bool running = false;
        uint32 since = 0;
        uint32 kept = 0;
    };
    uint32 elapsed(const State& S) const { return S.kept + (S.running ? knsGetTicks() - S.since : 0); }
    static long frameAt(const State& S, uint32 Time)
    {
        return std::min<long>(S.movie.frames - 1, long(Time * S.movie.frames / S.movie.duration));
    }

    uint32 m_number;
    KMovieEngine* m_displaced;
    bool m_started = false;
    std::map<std::string, Movie> m_movies;
    std::map<void*, State> m_records;
};

// The media layer with the movie support, which starts the engines in place at engine 1
// and 2 when asked to open (the test engines, when a test put them there first).
class MovieScope {
public:
    explicit MovieScope(unsigned Options = 0, bool Open = true)
        : m_media(Options)
    {
        registerMovieTypes();
        if (Open)
            KMediaManager::initMediaSupport(KMediaManager::MovieSupport);
    }
    // The movie file types the multimedia library registers in the program.
    static void registerMovieTypes()
    {
        KFileTypeHandler::makeAssociation("MOV", "TVOD", "MooV", "Quicktime Movie File");
        KFileTypeHandler::makeAssociation("AVI", "TVOD", "VfW ", "AVI Movie File");
    }
    KMovieSupport& support() { return KMovieSupport::getMovieSupport(); }
    MediaScope& media() { return m_media; }

private:
    // Made before the media scope and let go of after it, whose manager closes it.
    struct SupportHolder {
        SupportHolder() { KMovieSupport::createMovieSupport(); }
        ~SupportHolder() { KMovieSupport::releaseMovieSupport(); }
    } m_support;
    MediaScope m_media;
};

// A red, green and blue pixel colour as 8-bit values, for comparing what was drawn.
inline uint32 rgbOf(const KColor& C) { return (C.getRed() >> 8) << 16 | (C.getGreen() >> 8) << 8 | C.getBlue() >> 8; }

inline KMoviePtr movieFrom(const std::string& Path)
{
    KMoviePtr movie = new KMovie;
    movie->createFromFile(fileReference(Path));
    return movie;
}

// An uncompressed AVI of 24-bit frames, frame F filled with Colors[F].
inline Bytes aviBytes(uint32 Width, uint32 Height, uint32 FramesPerSecond, const std::vector<uint32>& Colors)
{
    const uint32 frameSize = Width * 3 * Height;
    const auto frames = static_cast<uint32>(Colors.size());
    Bytes streamHeader;
    putID(streamHeader, "vids");
    putID(streamHeader, "DIB ");
    for (uint32 value : {0u, 0u, 0u, 1u, FramesPerSecond, 0u, frames, frameSize, 0xFFFFFFFFu, 0u})
        put(streamHeader, value, 4);
    for (uint32 value : {0u, 0u, Width, Height})
        put(streamHeader, value, 2);
    Bytes format;
    for (uint32 value : {40u, Width, Height})
        put(format, value, 4);
    put(format, 1, 2);
    put(format, 24, 2);
    for (uint32 value : {0u, frameSize, 0u, 0u, 0u, 0u})
        put(format, value, 4);
    Bytes mainHeader;
    for (uint32 value : {1000000 / FramesPerSecond, frameSize * FramesPerSecond, 0u, 0x10u, frames, 0u, 1u, frameSize,
                         Width, Height, 0u, 0u, 0u, 0u})
        put(mainHeader, value, 4);
    const auto chunk = [](Bytes& Out, const char* ID, const Bytes& Body) {
        putID(Out, ID);
        put(Out, static_cast<uint32>(Body.size()), 4);
        Out.insert(Out.end(), Body.begin(), Body.end());
    };
    const auto list = [&](Bytes& Out, const char* Kind, const Bytes& Body) {
        Bytes inner;
        putID(inner, Kind);
        inner.insert(inner.end(), Body.begin(), Body.end());
        chunk(Out, "LIST", inner);
    };
    Bytes streamList, headerList, movieList, index;
    chunk(streamList, "strh", streamHeader);
    chunk(streamList, "strf", format);
    chunk(headerList, "avih", mainHeader);
    list(headerList, "strl", streamList);
    for (uint32 f = 0; f < frames; ++f) {
        Bytes pixels;
        for (uint32 i = 0; i < Width * Height; ++i)
            put(pixels, Colors[f], 3);
        putID(index, "00db");
        put(index, 0x10, 4);
        put(index, static_cast<uint32>(4 + movieList.size()), 4);
        put(index, frameSize, 4);
        chunk(movieList, "00db", pixels);
    }
    Bytes body;
    putID(body, "AVI ");
    list(body, "hdrl", headerList);
    list(body, "movi", movieList);
    chunk(body, "idx1", index);
    Bytes out;
    chunk(out, "RIFF", body);
    return out;
}
