#pragma once
// The off-screen compositor: layers of sprites drawn over a background image into an
// off-screen image of the same size, which is copied to a target device (a window) that
// the system references but never makes. Three redraw modes:
//   0  every frame repaints the whole page and copies it to the target;
//   1  only the sprites that changed (and those they overlap) are redrawn off-screen, and
//      the whole off-screen image is copied;
//   2  as 1, and only the changed rectangles are copied.
// The frame update runs at every step tick of the animation system, before the steps.
#include "foundation/KGraphicRectangle.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KImage.h"
#include "multimedia/KAnimationSystem.h"

class KSprite;
class KSpriteLayer;

class KSpriteSystem : public KAnimationSystem {
    K_DECLARE_CLASS(KSpriteSystem)
public:
    enum RedrawMode : uint8 {
        FullRedraw = 0,
        DirtySprites = 1,
        DirtyRectangles = 2,
    };

    KSpriteSystem();
    ~KSpriteSystem() override;

    // In modes 1 and 2 every sprite's bounds become its previous bounds before the
    // sprites move.
    void step(float T) override;
    // The frame update.
    virtual void update();
    void beforeStep() override { update(); }
    virtual void setBackgroundImage(KImage& Image);
    virtual void clearBackground();
    // Also takes the device's bounds as the target rectangle and the composition bounds
    // where those are empty, and makes a new blank page and off-screen image.
    virtual void setTargetDevice(KGraphicDevice& D);
    virtual void releaseTargetDevice();

    // A layer already in a system, or already here, is left alone.
    void addLayer(KSpriteLayer& L);
    void removeAllLayers();
    const KBag& getLayers() const { return m_layers; }

    // Error 18 when none is set.
    KGraphicDevice& getTargetDevice() const { return m_targetDevice.getObject(); }
    bool hasTargetDevice() const { return m_targetDevice.hasObject(nullptr); }
    // The composition rectangle: its size is the page's. Makes a new blank page.
    void setBounds(const KGraphicRectangle& R);
    const KGraphicRectangle& getBounds() const { return m_bounds; }
    // Where the composition lands on the target; its origin is added to every copy.
    void setTargetRect(const KGraphicRectangle& R) { m_targetRect = R; }
    const KGraphicRectangle& getTargetRect() const { return m_targetRect; }
    void rebuildOffscreen();
    // A new blank page of the bounds' size; error 66 without a target device.
    void setBackground();
    // The page: objects draw into its device, then invalidate what they changed.
    KImage& getBackground() const { return m_background.getObject(); }
    bool hasBackground() const { return m_background.hasObject(nullptr); }
    KImage& getOffscreen() const { return m_offscreen.getObject(); }
    bool hasOffscreen() const { return m_offscreen.hasObject(nullptr); }

    // Takes effect at the next update or redraw.
    void setRedrawMode(uint8 Mode) { m_redrawMode = Mode; }
    uint8 getRedrawMode() const { return m_redrawMode; }

    // R, in page coordinates, has changed on the page. Mode 0 redraws everything; modes 1
    // and 2 restore the page under R off-screen at once and mark the sprites over it, and
    // the next update shows it.
    void invalidate(const KGraphicRectangle& R);
    void redrawAll();
    // A sprite taken out of one of the layers: in modes 1 and 2 the page comes back where it
    // was last shown at the next update, and it is drawn afresh should it come back.
    void spriteRemoved(KSprite& S);

private:
    // Every sprite of every layer, in drawing order.
    template <typename Visit>
    void forEachSprite(Visit&& V);

    void releaseOffscreen() { m_offscreen.reset(); }
    bool canDraw() const { return hasTargetDevice() && hasOffscreen(); }
    // The page under R back on the off-screen image: the background, or black without one.
    void restore(const KGraphicRectangle& R);
    void copyToTarget(const KGraphicRectangle& R);
    void copyWholeToTarget();
    void detectChange(KSprite& S);
    void noteDrawnVisibility(KSprite& S);
    void collect(KSprite& S);
    void markOverlappingDirty(KSprite& S);
    void removeRequested();

    KImagePtr m_background;
    KGraphicDevicePtr m_targetDevice;
    KBag m_layers;
    KBag m_dirtySprites;
    KBag m_removals;
    KBag m_dirtyRectangles;
    uint8 m_redrawMode = FullRedraw;
    KImagePtr m_offscreen;
    KGraphicRectangle m_targetRect;
    KGraphicRectangle m_bounds;
};

K_POINTER_CLASS(KSpriteSystem, KAnimationSystemPtr);
