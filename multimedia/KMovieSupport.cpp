#include "multimedia/KMovieSupport.h"

#include "application/KWindowManager.h"
#include "multimedia/movie/KMovieEngine.h"

namespace {
KMovieSupportPtr s_support;

KMovieEngine& engine(uint32 Number) { return *KMovieEngine::find(Number); }

// The window hooks reach whatever engine 1 is at the time of the call.
bool windowEngineIsActive() { return engine(KMovieEngine::kQuickTimeEngine).isActive(); }
void attachWindow(void* NativeWindow) { engine(KMovieEngine::kQuickTimeEngine).attachWindow(NativeWindow); }
void detachWindow(void* NativeWindow) { engine(KMovieEngine::kQuickTimeEngine).detachWindow(NativeWindow); }

// Every window of the window manager that has a native window, to Hook.
void forEachNativeWindow(void (*Hook)(void*))
{
    if (!KWindowManager::exists())
        return;
    const KBag& windows = KWindowManager::get().getWindows();
    for (long i = 0; i < windows.getCount(); ++i) {
        if (void* native = static_cast<KWindow&>(windows[i]).getNativeWindow())
            Hook(native);
    }
}
} // namespace

K_DEFINE_CLASS(KMovieSupport, KThing, 1)

KMovieSupport::~KMovieSupport() { close(); }

void KMovieSupport::createMovieSupport() { s_support = new KMovieSupport; }
void KMovieSupport::releaseMovieSupport() { s_support.reset(); }
bool KMovieSupport::hasMovieSupport() { return s_support.hasObject(nullptr); }
KMovieSupport& KMovieSupport::getMovieSupport() { return s_support.getObject(); }

bool KMovieSupport::isEngineAvailable(uint8 Engine) const
{
    KMovieEngine* found = KMovieEngine::find(Engine);
    return found && found->isAvailable();
}

void KMovieSupport::open()
{
    KMovieEngine& quickTime = engine(KMovieEngine::kQuickTimeEngine);
    if ((m_engineMask & QuickTimeEngineBit) && quickTime.isAvailable() && quickTime.startUp()) {
        m_availableEngines |= QuickTimeEngineBit;
        forEachNativeWindow(&attachWindow);
        KWindow::setNativeWindowHooks(&windowEngineIsActive, &attachWindow, &detachWindow);
    }
    if ((m_engineMask & StreamEngineBit) && engine(KMovieEngine::kStreamEngine).startUp())
        m_availableEngines |= StreamEngineBit;
}

void KMovieSupport::close()
{
    if (m_availableEngines & QuickTimeEngineBit) {
        forEachNativeWindow(&detachWindow);
        engine(KMovieEngine::kQuickTimeEngine).shutDown();
    }
    // DirectDraw goes whether or not the stream engine could use it.
    engine(KMovieEngine::kStreamEngine).shutDown();
    m_availableEngines = 0;
}
