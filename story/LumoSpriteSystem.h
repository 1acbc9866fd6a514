#pragma once
// The main window's story layer. It owns the compositor that shows the story: the page
// (the compositor's background image, which tape objects draw into) and two sprite
// layers above it, the actors' below the window's overlay sprites. It hands the window's
// mouse events to the tape the window shows, in page coordinates, but only while that
// tape plays.
#include "application/KLayer.h"
#include "multimedia/KSpriteLayer.h"
#include "multimedia/KSpriteSystem.h"

class Tape;

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

    // The compositor draws the page, so a redraw request of the layer redraws it all.
    void invalidate() override;
    // The layer covers no area of its own.
    KGraphicRectangle getBounds() const override;
    // Each answers the tape's answer, 0 while the tape does not play. A press answered 4
    // captures the mouse for the window; a release ends any capture first.
    KEventReturn dispatchMouseDown(KMouseEvent& E) override;
    KEventReturn dispatchMouseMove(KMouseEvent& E) override;
    KEventReturn dispatchMouseTick(KMouseEvent& E) override;
    KEventReturn dispatchMouseUp(KMouseEvent& E) override;

    // Puts the page point into the event's global position: its window point less the
    // origin of the place where the composition lands, unscaled.
    void mapPoint(KMouseEvent& E) const;

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
    // Maps a copy of E and passes it on to the tape that the window shows, when that tape
    // plays; 0 otherwise.
    KEventReturn passToTape(KMouseEvent& E, KEventReturn (*Pass)(Tape& T, KMouseEvent& Mapped)) const;

    KSpriteLayerPtr m_firstLayer;
    KSpriteLayerPtr m_secondLayer;
    KSpriteSystemPtr m_spriteSystem;
};

K_POINTER_CLASS(LumoSpriteSystem, KLayerPtr);
