#include "multimedia/KSpriteLayer.h"

#include "multimedia/KSprite.h"
#include "multimedia/KSpriteSystem.h"

namespace {
// Further down the page (a larger y) sorts later and so is drawn in front; equal heights
// answer −1, as the sort has always been given.
short compareDepth(const KArray& Sprites, long A, long B)
{
    const auto& first = static_cast<const KSprite&>(Sprites[A]);
    const auto& second = static_cast<const KSprite&>(Sprites[B]);
    return first.getPosition().getY() > second.getPosition().getY() ? 1 : -1;
}
} // namespace

K_DEFINE_CLASS(KSpriteLayer, KThing, 1)

KSpriteLayer::KSpriteLayer() { m_sprites.setCompareProcedure(&compareDepth); }

KSpriteLayer::~KSpriteLayer() { removeAllSprites(); }

void KSpriteLayer::setSpriteSystem(KSpriteSystem& S)
{
    clearSpriteSystem();
    m_system.setNativePtr(&S);
}

void KSpriteLayer::clearSpriteSystem() { m_system.reset(); }

KSpriteSystem& KSpriteLayer::getSpriteSystem() const
{
    return static_cast<KSpriteSystem&>(m_system.getNativePtr());
}

KSprite& KSpriteLayer::getSpriteAt(long Index) const { return static_cast<KSprite&>(m_sprites[Index]); }

void KSpriteLayer::addSprite(KSprite& S)
{
    m_sprites.add(S);
    S.setLayer(*this);
    if (hasSpriteSystem())
        getSpriteSystem().addObject(S);
}

void KSpriteLayer::removeSprite(KSprite& S)
{
    // The list may hold the last reference: the sprite stays alive until it is out.
    KSpritePtr hold(S);
    if (hasSpriteSystem())
        getSpriteSystem().removeObject(S);
    S.clearLayer();
    m_sprites.remove(S);
    if (hasSpriteSystem())
        getSpriteSystem().spriteRemoved(S);
}

void KSpriteLayer::removeAllSprites()
{
    while (m_sprites.getCount() > 0)
        removeSprite(getSpriteAt(0));
}

long KSpriteLayer::indexOf(const KSprite& S) const { return m_sprites.findIndexOf(S); }

void KSpriteLayer::bringToFront(KSprite& S)
{
    long i = indexOf(S);
    if (i < 0)
        return;
    for (; i + 1 < m_sprites.getCount(); ++i)
        m_sprites.swap(i, i + 1);
}

void KSpriteLayer::bringForward(KSprite& S)
{
    const long i = indexOf(S);
    if (i >= 0 && i + 1 < m_sprites.getCount())
        m_sprites.swap(i, i + 1);
}

void KSpriteLayer::sendToBack(KSprite& S)
{
    for (long i = indexOf(S); i > 0; --i)
        m_sprites.swap(i, i - 1);
}

void KSpriteLayer::sendBackward(KSprite& S)
{
    const long i = indexOf(S);
    if (i > 0)
        m_sprites.swap(i, i - 1);
}

void KSpriteLayer::sortSprites() { m_sprites.sort(); }
