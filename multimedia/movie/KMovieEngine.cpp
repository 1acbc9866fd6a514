#include "multimedia/movie/KMovieEngine.h"

#include "multimedia/movie/DirectShowMovieEngineWin32.h"
#include "multimedia/movie/QuickTimeLibraryWin32.h"
#include "multimedia/movie/QuickTimeMovieEngineWin32.h"

namespace {
KMovieEngine* s_installed[2] = {nullptr, nullptr};

bool isEngineNumber(uint32 Number)
{
    return Number == KMovieEngine::kQuickTimeEngine || Number == KMovieEngine::kStreamEngine;
}

// Made on first use and never destroyed: a movie may still be let go of while the
// process ends, and it then needs its engine.
KMovieEngine& platformEngine(uint32 Number)
{
    if (Number == KMovieEngine::kQuickTimeEngine) {
        static auto* quickTime = new QuickTimeMovieEngineWin32(QuickTimeLibraryWin32::getLibrary());
        return *quickTime;
    }
    static auto* stream = new DirectShowMovieEngineWin32;
    return *stream;
}
} // namespace

KMovieEngine* KMovieEngine::find(uint32 Number)
{
    if (!isEngineNumber(Number))
        return nullptr;
    KMovieEngine* installed = s_installed[Number - 1];
    return installed ? installed : &platformEngine(Number);
}

KMovieEngine* KMovieEngine::install(uint32 Number, KMovieEngine* Engine)
{
    if (!isEngineNumber(Number))
        return nullptr;
    KMovieEngine* displaced = find(Number);
    s_installed[Number - 1] = Engine;
    return displaced;
}
