#pragma once
// Anything that moves on a page: a position, an origin (the hot spot placed at the
// position), a scale, a visible state and a collision category and mask. A controller,
// when one is set, is animated by the animation system at every step and moves the
// object there. Sprites, and through them the story's actors, are animation objects.
#include "foundation/KBag.h"
#include "foundation/KFlagSet.h"
#include "foundation/KThingPtr.h"
#include "multimedia/KAnimationPoint.h"
#include "multimedia/KAnimationVector.h"

class KAnimationController;

class KAnimationObject : public KThing {
    K_DECLARE_CLASS(KAnimationObject)
public:
    enum StateFlag : uint32 {
        Visible = 0x1,
        // Set for the length of one collision pass once the object has tested or been hit.
        HandledInCollisionPass = 0x2,
    };

    KAnimationObject();
    ~KAnimationObject() override;

    // The controller is held counted; the controller is not told of the object (callers
    // link both ways themselves).
    virtual void setController(KAnimationController& C);
    virtual void removeController();
    virtual void show();
    virtual void hide();
    virtual void setPosition(const KAnimationPoint& P);
    virtual void setPosition(float X, float Y);
    virtual const KAnimationPoint& getPosition() const;
    virtual void setOrigin(const KAnimationVector& V);
    virtual void setOrigin(float X, float Y);
    virtual const KAnimationVector& getOrigin() const;
    virtual void setScale(const KAnimationVector& V);
    virtual void setScale(float X, float Y);
    virtual const KAnimationVector& getScale() const;
    // The base never collides and ignores its hits.
    virtual bool collidesWith(KAnimationObject& Other);
    virtual void handleCollisions(KBag& Hits);

    // Error 18 without a controller.
    KAnimationController& getController() const;
    bool hasController() const { return m_controller.hasObject(nullptr); }

    // The controller of the other (when it has one), category, state, mask, position,
    // origin and scale.
    void copyFrom(const KAnimationObject& Other);

    bool isVisible() const { return (m_state.getFlags() & Visible) != 0; }
    uint32 getState() const { return m_state.getFlags(); }
    void setStateFlags(uint32 Mask) { m_state.set(Mask); }
    void clearStateFlags(uint32 Mask) { m_state.clear(Mask); }

    uint32 getCollisionCategory() const { return m_collisionCategory; }
    void setCollisionCategory(uint32 Category) { m_collisionCategory = Category; }
    uint32 getCollisionMask() const { return m_collisionMask.getFlags(); }
    void setCollisionMask(uint32 Mask);

private:
    KThingPtr m_controller;
    KAnimationPoint m_position;
    KAnimationVector m_origin;
    KAnimationVector m_scale{1.0f, 1.0f};
    KFlagSet m_state{Visible};
    uint32 m_collisionCategory = 0;
    KFlagSet m_collisionMask;
};

K_POINTER_CLASS(KAnimationObject, KThingPtr);
