#pragma once
// An ordered group of sprites inside a sprite system: index 0 is drawn first, at the
// back. A layer that is in a system registers its sprites with the system's animation,
// so that their controllers move them at every step.
#include "foundation/KBag.h"
#include "foundation/KNativePtr.h"
#include "foundation/KThingPtr.h"

class KSprite;
class KSpriteSystem;

class KSpriteLayer : public KThing {
    K_DECLARE_CLASS(KSpriteLayer)
public:
    KSpriteLayer();
    ~KSpriteLayer() override;

    // A layer joins a system through the system's addLayer, which calls this.
    virtual void setSpriteSystem(KSpriteSystem& S);
    virtual void clearSpriteSystem();
    // Error 18 when the layer is in no system.
    KSpriteSystem& getSpriteSystem() const;
    bool hasSpriteSystem() const { return m_system.hasNativePtr(); }

    // Appends the sprite (no duplicate test) on top of the others.
    void addSprite(KSprite& S);
    // Also takes the sprite out of the system's animation.
    void removeSprite(KSprite& S);
    void removeAllSprites();
    bool hasSprite(const KSprite& S) const { return indexOf(S) >= 0; }
    const KBag& getSprites() const { return m_sprites; }
    long getSpriteCount() const { return m_sprites.getCount(); }
    KSprite& getSpriteAt(long Index) const;

    // The order of a sprite of the layer; nothing for a sprite that is not in it.
    void bringToFront(KSprite& S);
    void bringForward(KSprite& S);
    void sendToBack(KSprite& S);
    void sendBackward(KSprite& S);

    // A depth-sorted layer is put in order of the sprites' vertical positions, lowest on
    // top, before every full redraw of its system.
    void setDepthSorted(bool On) { m_depthSorted = On ? 1 : 0; }
    bool isDepthSorted() const { return m_depthSorted != 0; }
    void sortSprites();

private:
    long indexOf(const KSprite& S) const;

    KNativePtr m_system;
    KBag m_sprites;
    uint8 m_depthSorted = 0;
};

K_POINTER_CLASS(KSpriteLayer, KThingPtr);
