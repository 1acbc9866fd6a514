#pragma once
// What moves an animation object: the animation system calls animate with its clock's
// time, scaled and offset by the controller's own time base, at every step. The base moves
// nothing; controllers of real motions derive from it.
#include "multimedia/KAnimationObject.h"

class KAnimationController : public KThing {
    K_DECLARE_CLASS(KAnimationController)
public:
    KAnimationController();
    ~KAnimationController() override;

    // The object is held counted. It is not given this controller: callers link both
    // ways themselves, and unlink both ways to let the two go.
    virtual void setAnimationObject(KAnimationObject& O);
    virtual void clearAnimationObject();
    // T is in seconds of animation time.
    virtual void animate(float T);

    KAnimationObject& getAnimationObject() const { return m_object.getObject(); }
    bool hasAnimationObject() const { return m_object.hasObject(nullptr); }

    float getTimeOffset() const { return m_timeOffset; }
    void setTimeOffset(float Seconds) { m_timeOffset = Seconds; }
    float getTimeScale() const { return m_timeScale; }
    void setTimeScale(float Factor) { m_timeScale = Factor; }

private:
    KAnimationObjectPtr m_object;
    float m_timeOffset = 0.0f;
    float m_timeScale = 1.0f;
};

K_POINTER_CLASS(KAnimationController, KThingPtr);
