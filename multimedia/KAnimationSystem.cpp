#include "multimedia/KAnimationSystem.h"

#include "foundation/KernelFunctions.h"
#include "multimedia/KAnimationController.h"
#include "multimedia/KAnimationObject.h"
#include "multimedia/KTimerRelay.h"

namespace {
// The 20 ms path must not allocate: the lists start with room for this many objects.
constexpr long kListSize = 1024;

void presize(KBag& List)
{
    List.setMinSize(kListSize);
    List.setGrowSize(kListSize);
}

KTimerPtr makeTimer(KThing& Relay, long Period, uint8 CatchUpMode)
{
    KTimerPtr timer(new KTimer);
    timer->setPeriod(Period);
    timer->setRepeating(true);
    timer->setCatchUpMode(CatchUpMode);
    timer->setTarget(Relay);
    timer->start();
    return timer;
}
} // namespace

K_DEFINE_CLASS(KAnimationSystem, KThing, 1)

KAnimationSystem::KAnimationSystem()
    : m_lastStepTime(knsGetTicks())
{
    presize(m_objects);
    presize(m_collisionObjects);
    presize(m_collided);
    KTimerRelayPtr relay(new KTimerRelay(*this));
    m_frameRateTimer = makeTimer(*relay, kFrameRatePeriod, KTimer::FromNow);
    m_stepTimer = makeTimer(*relay, kStepPeriod, KTimer::FromNow);
}

KAnimationSystem::~KAnimationSystem()
{
    m_frameRateTimer->stop();
    m_stepTimer->stop();
    m_frameRateTimer.reset();
    m_stepTimer.reset();
}

void KAnimationSystem::doTimer(KTimer& T)
{
    if (m_stepTimer == T) {
        stepTick();
    } else if (m_frameRateTimer == T) {
        m_framesPerSecond = static_cast<float>(m_tickCounter);
        m_tickCounter = 1;
    }
}

void KAnimationSystem::stepTick()
{
    ++m_tickCounter;
    beforeStep();
    const uint32 now = knsGetTicks();
    const auto elapsed = static_cast<long>(static_cast<int32>(now - m_lastStepTime));
    m_animationTime = static_cast<float>(m_animationTime + elapsed / 1000.0);
    if (m_noCatchUp) {
        m_catchUpSteps = 0;
    } else {
        const long period = m_stepTimer->getPeriod() > 0 ? m_stepTimer->getPeriod() : kStepPeriod;
        const long most = m_maxCatchUpDelay / period;
        long k = elapsed / period;
        if (k > most)
            k = most;
        m_catchUpSteps = k - 1;
        // The steps a late tick makes up for lie before the regular one, a period apart,
        // so that the times a controller sees never run backwards.
        const long extra = m_catchUpSteps - 1;
        const double stepSeconds = period / 1000.0;
        for (long i = extra; i >= 1; --i)
            step(static_cast<float>(m_animationTime - i * stepSeconds));
    }
    step(m_animationTime);
    m_lastStepTime = now;
}

void KAnimationSystem::beforeStep() {}

void KAnimationSystem::step(float T)
{
    // A controller may take objects out of the list while it runs: each is held for its
    // turn, and the list is read afresh at every index.
    for (long i = 0; i < m_objects.getCount(); ++i) {
        KAnimationObjectPtr object(static_cast<KAnimationObject&>(m_objects[i]));
        if (!object->hasController())
            continue;
        KAnimationControllerPtr controller(object->getController());
        controller->animate(T * controller->getTimeScale() + controller->getTimeOffset());
    }
    testCollisions();
}

void KAnimationSystem::testCollisions()
{
    for (long i = 0; i < m_collisionObjects.getCount(); ++i)
        static_cast<KAnimationObject&>(m_collisionObjects[i]).clearStateFlags(KAnimationObject::HandledInCollisionPass);
    long j = 0;
    while (j < m_collisionObjects.getCount()) {
        KAnimationObjectPtr a(static_cast<KAnimationObject&>(m_collisionObjects[j]));
        testCollisionsOf(*a);
        // A participant taken out of the list while it was handled leaves its successor
        // at this index, which must not be skipped.
        if (j < m_collisionObjects.getCount() && &m_collisionObjects[j] == a.get())
            ++j;
    }
}

void KAnimationSystem::testCollisionsOf(KAnimationObject& A)
{
    if (A.getCollisionMask() == 0 || (A.getState() & KAnimationObject::HandledInCollisionPass) || !A.isVisible())
        return;
    A.setStateFlags(KAnimationObject::HandledInCollisionPass);
    m_collided.clear();
    for (long i = 0; i < m_objects.getCount(); ++i) {
        auto& b = static_cast<KAnimationObject&>(m_objects[i]);
        if (&b == &A || (A.getCollisionMask() & b.getCollisionCategory()) == 0 || !A.collidesWith(b))
            continue;
        b.setStateFlags(KAnimationObject::HandledInCollisionPass);
        m_collided.add(b);
    }
    if (!m_collided.isEmpty())
        A.handleCollisions(m_collided);
}

void KAnimationSystem::addObject(KAnimationObject& O)
{
    if (!m_objects.has(O))
        m_objects.add(O);
}

void KAnimationSystem::removeObject(KAnimationObject& O)
{
    if (!m_objects.has(O))
        return;
    KAnimationObjectPtr hold(O);
    m_objects.remove(O);
    removeCollisionObject(O);
}

void KAnimationSystem::addCollisionObject(KAnimationObject& O)
{
    if (!m_collisionObjects.has(O))
        m_collisionObjects.add(O);
}

void KAnimationSystem::removeCollisionObject(KAnimationObject& O)
{
    if (!m_collisionObjects.has(O))
        return;
    O.clearStateFlags(KAnimationObject::HandledInCollisionPass);
    m_collisionObjects.remove(O);
}
