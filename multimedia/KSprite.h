#pragma once
// An animation object that shows one of a list of frame images, placed by its position,
// origin and scale. Sprites live in a sprite layer, which keeps them in drawing order;
// the sprite compositor keeps the bounds of the last two frames and the redraw marks here.
#include "foundation/KBag.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KNativePtr.h"
#include "multimedia/KAnimationObject.h"

class KGraphicDevice;
class KGraphicObject;
class KSpriteLayer;

class KSprite : public KAnimationObject {
    K_DECLARE_CLASS(KSprite)
public:
    enum SpriteFlag : uint32 {
        // The compositor takes the sprite out of its layer once it is hidden.
        RemovalRequested = 0x1,
        NeedsRedraw = 0x2,
        // Visible when the compositor last drew it: a change of visibility alone makes it
        // draw the sprite's place again.
        DrawnVisible = 0x4,
    };

    KSprite();
    ~KSprite() override;

    // True when both sprites' bounds overlap (touching edges do not); false for an
    // object that is not a sprite.
    bool collidesWith(KAnimationObject& Other) override;

    virtual void setLayer(KSpriteLayer& L);
    virtual void clearLayer();
    // The frame's rectangle on the page: the position less the scaled origin, and the
    // frame's size scaled, each truncated toward zero into 16 bits. Empty at (0, 0) while
    // the current frame index lies outside the frame list.
    virtual void getBounds(KGraphicRectangle& R);
    // The current frame scaled into the bounds; nothing while the index lies outside.
    virtual void draw(KGraphicDevice& D);

    void addFrame(KGraphicObject& Frame);
    KBag& getFrames() { return m_frames; }
    const KBag& getFrames() const { return m_frames; }
    // Any index is taken; one outside the frame list shows nothing. Marks the sprite for
    // redraw.
    void setCurrentFrame(long Index);
    long getCurrentFrame() const { return m_currentFrame; }
    bool hasCurrentFrame() const { return m_currentFrame >= 0 && m_currentFrame < m_frames.getCount(); }

    // Error 18 when the sprite is in no layer.
    KSpriteLayer& getLayer() const;
    bool hasLayer() const { return m_layer.hasNativePtr(); }

    // The order within the layer; nothing for a sprite in no layer.
    void bringToFront();
    void bringForward();
    void sendToBack();
    void sendBackward();

    // The animation-object part, the frame index, the frame images (shared), the sprite
    // flags and the layer pointer (the copy is not added to the layer's list).
    void copyFrom(const KSprite& Other);

    // Kept by the compositor.
    const KGraphicRectangle& getPreviousBounds() const { return m_previousBounds; }
    void setPreviousBounds(const KGraphicRectangle& R) { m_previousBounds = R; }
    const KGraphicRectangle& getCurrentBounds() const { return m_currentBounds; }
    void setCurrentBounds(const KGraphicRectangle& R) { m_currentBounds = R; }
    uint32 getSpriteFlags() const { return m_spriteFlags.getFlags(); }
    bool hasSpriteFlags(uint32 Mask) const { return (m_spriteFlags.getFlags() & Mask) != 0; }
    void setSpriteFlags(uint32 Mask) { m_spriteFlags.set(Mask); }
    void clearSpriteFlags(uint32 Mask) { m_spriteFlags.clear(Mask); }

protected:
    // The left and top corner of the bounds: the position less the scaled origin.
    void getScaledCorner(short& Left, short& Top) const;

private:
    KNativePtr m_layer;
    KBag m_frames;
    long m_currentFrame = 0;
    KGraphicRectangle m_previousBounds;
    KGraphicRectangle m_currentBounds;
    KFlagSet m_spriteFlags;
};

K_POINTER_CLASS(KSprite, KAnimationObjectPtr);
