#pragma once
// The main window's story layer. It owns the compositor that shows the story: the page
// (the compositor's background image, which tape objects draw into) and two sprite
// layers above it, the actors' below the window's overlay sprites.
#include "application/KLayer.h"
#include "multimedia/KSpriteLayer.h"
#include "multimedia/KSpriteSystem.h"

class LumoSpriteSystem : public KLayer {
    K_DECLARE_CLASS(LumoSpriteSystem)
public:
    // Makes the compositor with the actor layer and the overlay layer in it.
    LumoSpriteSystem();
    ~LumoSpriteSystem() override;

    virtual void setFirstLayer(KSpriteLayer& L);
    virtual void resetFirstLayer();
    virtual void setSecondLayer(KSpriteLayer& L);
    virtual void resetSecondLayer();
    virtual void stepSprites(float T);
    virtual void updateSprites();

    // The actors' sprites; error 18 when reset.
    KSpriteLayer& getFirstLayer() const { return m_firstLayer.getObject(); }
    bool hasFirstLayer() const { return m_firstLayer.hasObject(nullptr); }
    // The overlay sprites of the window; error 18 when reset.
    KSpriteLayer& getSecondLayer() const { return m_secondLayer.getObject(); }
    bool hasSecondLayer() const { return m_secondLayer.hasObject(nullptr); }
    KSpriteSystem& getSpriteSystem() const { return m_spriteSystem.getObject(); }

    using KLayer::invalidateRect;
    // A rectangle of the page changed.
    void invalidateRect(const KGraphicRectangle& R);
    void setRedrawMode(uint8 Mode);

private:
    KSpriteLayerPtr m_firstLayer;
    KSpriteLayerPtr m_secondLayer;
    KSpriteSystemPtr m_spriteSystem;
};

K_POINTER_CLASS(LumoSpriteSystem, KLayerPtr);
