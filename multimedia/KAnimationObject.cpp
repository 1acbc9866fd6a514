#include "multimedia/KAnimationObject.h"

#include "multimedia/KAnimationController.h"

K_DEFINE_CLASS(KAnimationObject, KThing, 1)

KAnimationObject::KAnimationObject() = default;

KAnimationObject::~KAnimationObject() = default;

void KAnimationObject::setController(KAnimationController& C) { m_controller.setObject(C); }
void KAnimationObject::removeController() { m_controller.reset(); }

KAnimationController& KAnimationObject::getController() const
{
    return static_cast<KAnimationController&>(m_controller.getObject());
}

void KAnimationObject::show() { m_state.set(Visible); }
void KAnimationObject::hide() { m_state.clear(Visible); }

void KAnimationObject::setPosition(const KAnimationPoint& P) { m_position = P; }
void KAnimationObject::setPosition(float X, float Y) { m_position.set(X, Y); }
const KAnimationPoint& KAnimationObject::getPosition() const { return m_position; }

void KAnimationObject::setOrigin(const KAnimationVector& V) { m_origin = V; }
void KAnimationObject::setOrigin(float X, float Y) { m_origin.set(X, Y); }
const KAnimationVector& KAnimationObject::getOrigin() const { return m_origin; }

void KAnimationObject::setScale(const KAnimationVector& V) { m_scale = V; }
void KAnimationObject::setScale(float X, float Y) { m_scale.set(X, Y); }
const KAnimationVector& KAnimationObject::getScale() const { return m_scale; }

bool KAnimationObject::collidesWith(KAnimationObject&) { return false; }
void KAnimationObject::handleCollisions(KBag&) {}

void KAnimationObject::setCollisionMask(uint32 Mask)
{
    m_collisionMask.clearAll();
    m_collisionMask.set(Mask);
}

void KAnimationObject::copyFrom(const KAnimationObject& Other)
{
    removeController();
    if (Other.hasController())
        setController(Other.getController());
    m_collisionCategory = Other.m_collisionCategory;
    m_state = Other.m_state;
    m_collisionMask = Other.m_collisionMask;
    m_position = Other.m_position;
    m_origin = Other.m_origin;
    m_scale = Other.m_scale;
}
