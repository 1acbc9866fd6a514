#pragma once
// Drives every animation object from two timers: a step timer of 20 ms that advances the
// animation time and makes up for late ticks with extra steps, and a frame-rate timer of
// one second that counts the step ticks. At each step every object's controller is
// animated, then the collision participants are tested against the objects by category.
// The sprite compositor derives from it and draws its frame in beforeStep.
#include "foundation/KBag.h"
#include "foundation/KTimer.h"

class KAnimationObject;

class KAnimationSystem : public KThing {
    K_DECLARE_CLASS(KAnimationSystem)
public:
    static constexpr long kStepPeriod = 20;
    static constexpr long kFrameRatePeriod = 1000;
    static constexpr long kMaxCatchUpDelay = 1000;

    // Starts the frame-rate timer, then the step timer: the timer manager must exist.
    KAnimationSystem();
    ~KAnimationSystem() override;

    void doTimer(KTimer& T) override;
    // Animates every controller with T scaled and offset by its own time base, then tests
    // collisions.
    virtual void step(float T);
    // Called at every step tick before the steps; nothing in the base.
    virtual void beforeStep();

    // Each object once.
    void addObject(KAnimationObject& O);
    // Also takes it out of the collision tests.
    void removeObject(KAnimationObject& O);
    // Objects that start collision tests of their own (those with a collision mask).
    void addCollisionObject(KAnimationObject& O);
    void removeCollisionObject(KAnimationObject& O);
    const KBag& getObjects() const { return m_objects; }
    const KBag& getCollisionObjects() const { return m_collisionObjects; }

    // With no catch-up every tick runs exactly one step, however late it comes.
    void setNoCatchUp(bool On) { m_noCatchUp = On ? 1 : 0; }
    float getAnimationTime() const { return m_animationTime; }
    // The step ticks of the last second.
    float getFramesPerSecond() const { return m_framesPerSecond; }
    long getCatchUpSteps() const { return m_catchUpSteps; }
    KTimer& getStepTimer() const { return m_stepTimer.getObject(); }
    KTimer& getFrameRateTimer() const { return m_frameRateTimer.getObject(); }

private:
    void stepTick();
    void testCollisions();
    void testCollisionsOf(KAnimationObject& A);

    KBag m_objects;
    KBag m_collisionObjects;
    KBag m_collided;
    KTimerPtr m_stepTimer;
    KTimerPtr m_frameRateTimer;
    uint8 m_noCatchUp = 0;
    uint32 m_lastStepTime = 0;
    long m_maxCatchUpDelay = kMaxCatchUpDelay;
    long m_tickCounter = 0;
    long m_catchUpSteps = 0;
    float m_animationTime = 0.0f;
    float m_framesPerSecond = 0.0f;
};

K_POINTER_CLASS(KAnimationSystem, KThingPtr);
