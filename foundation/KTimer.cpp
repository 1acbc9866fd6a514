#include "foundation/KTimer.h"

#include "foundation/KTimerScheduler.h"
#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KTimer, KThing, 1)

KTimer::KTimer() = default;

KTimer::~KTimer()
{
    resetTarget();
}

void KTimer::readFromFile(KFile&) { knsNotYetImplemented("KTimer::readFromFile"); }
void KTimer::writeToFile(KFile&, long) { knsNotYetImplemented("KTimer::writeToFile"); }

void KTimer::setTarget(KThing& T) { m_target.setObject(T); }
void KTimer::resetTarget() { m_target.reset(); }
KThing& KTimer::getTarget() const { return m_target.getObject(); }

void KTimer::setPeriod(long Ms)
{
    m_period = Ms;
    if (Ms < 0)
        stop();
}

void KTimer::start()
{
    if (m_running)
        return;
    m_startTime = knsGetTicks();
    if (m_period < 0)
        return;
    KTimerScheduler& scheduler = KTimerScheduler::get();
    if (kIsNullReference(&scheduler))
        return;
    m_running = true;
    scheduler.addTimer(*this);
}

void KTimer::stop()
{
    if (!m_running)
        return;
    m_running = false;
    KTimerScheduler& scheduler = KTimerScheduler::get();
    if (!kIsNullReference(&scheduler))
        scheduler.removeTimer(*this);
}

long KTimer::getElapsed() const
{
    if (!m_running)
        return 0;
    return static_cast<long>(static_cast<int32>(knsGetTicks() - m_startTime));
}

bool KTimer::isDue() const
{
    return !m_running || getElapsed() > m_period;
}

void KTimer::reschedule()
{
    if (!m_running)
        return;
    const uint32 now = knsGetTicks();
    const long late = static_cast<long>(static_cast<int32>(now - m_startTime));
    switch (m_catchUpMode) {
    case Steady:
        m_startTime += static_cast<uint32>(m_period);
        break;
    case SteadyWithLagLimit:
        m_startTime += static_cast<uint32>(m_period);
        if (late > m_maxLag)
            m_startTime = now - static_cast<uint32>(m_maxLag) + static_cast<uint32>(m_period);
        break;
    case FromNow:
        m_startTime = knsGetTicks();
        break;
    default:
        break;
    }
}
