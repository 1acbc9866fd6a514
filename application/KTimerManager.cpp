#include "application/KTimerManager.h"

#include "application/KApplication.h"
#include "foundation/KTimer.h"
#include "foundation/KernelFunctions.h"

namespace {
KTimerManagerPtr s_manager;
// Room for this many timers at first, and as many more each time the list is full.
constexpr long kListStep = 512;
} // namespace

K_DEFINE_CLASS(KTimerManager, KThing, 1)

KTimerManager::KTimerManager()
{
    m_timers.setMinSize(kListStep);
    m_timers.setGrowSize(kListStep);
}

KTimerManager::~KTimerManager() = default;

KTimerManager& KTimerManager::getManager() { return s_manager.getObject(); }
bool KTimerManager::exists() { return s_manager.hasObject(nullptr); }

void KTimerManager::initManager()
{
    KTimerManagerPtr manager = new KTimerManager;
    s_manager = manager;
    KTimerScheduler::install(manager.get());
}

void KTimerManager::exitManager()
{
    KTimerScheduler::install(nullptr);
    s_manager.reset();
}

void KTimerManager::addTimer(KTimer& T) { m_timers.add(T); }

void KTimerManager::removeTimer(KTimer& T)
{
    m_timers.remove(T);
    // The loop's wake-up fallback may have made the manager an idle handler; with nothing
    // left to fire it must not keep the loop from waiting.
    if (m_timers.getSize() == 0) {
        if (KApplication* application = KApplication::getApplication())
            application->removeIdleHandler(*this);
    }
}

bool KTimerManager::hasTimer(const KTimer& T) const { return m_timers.has(T); }

void KTimerManager::periodicTask() { fire(); }

void KTimerManager::fire()
{
    long index = 0;
    while (index < m_timers.getSize()) {
        auto& timer = static_cast<KTimer&>(m_timers[index]);
        if (!timer.isRunning() || !timer.isDue()) {
            ++index;
            continue;
        }
        KTimerPtr hold(timer);
        // A one-shot timer leaves the list before its target runs, so that the target may
        // start it again.
        if (!timer.isRepeating())
            timer.stop();
        if (timer.hasTarget())
            timer.getTarget().doTimer(timer);
        if (timer.isRepeating())
            timer.reschedule();
        // Whatever left the list during the firing (this timer or another), the timer
        // that now stands at the index has not been looked at yet, unless it is this one.
        if (index < m_timers.getSize() && &m_timers[index] == &timer)
            ++index;
    }
}

uint32 KTimerManager::getNextDueTime() const
{
    const long count = m_timers.getSize();
    if (count == 0)
        return 0;
    const uint32 now = knsGetTicks();
    uint32 earliest = 0;
    int32 earliestDelay = 0;
    for (long i = 0; i < count; ++i) {
        const auto& timer = static_cast<const KTimer&>(m_timers[i]);
        const uint32 due = timer.getStartTime() + static_cast<uint32>(timer.getPeriod());
        const auto delay = static_cast<int32>(due - now);
        if (i == 0 || delay < earliestDelay) {
            earliest = due;
            earliestDelay = delay;
        }
    }
    return earliest;
}
