#include "multimedia/KSprite.h"

#include "graphics/KGraphicObject.h"
#include "multimedia/AnimationFloats.h"
#include "multimedia/KSpriteLayer.h"

K_DEFINE_CLASS(KSprite, KAnimationObject, 1)

KSprite::KSprite() = default;

KSprite::~KSprite() { clearLayer(); }

void KSprite::setLayer(KSpriteLayer& L)
{
    clearLayer();
    m_layer.setNativePtr(&L);
}

void KSprite::clearLayer() { m_layer.reset(); }

KSpriteLayer& KSprite::getLayer() const { return static_cast<KSpriteLayer&>(m_layer.getNativePtr()); }

void KSprite::addFrame(KGraphicObject& Frame) { m_frames.add(Frame); }

void KSprite::setCurrentFrame(long Index)
{
    m_currentFrame = Index;
    m_spriteFlags.set(NeedsRedraw);
}

void KSprite::getScaledCorner(short& Left, short& Top) const
{
    const KAnimationPoint& position = getPosition();
    const KAnimationVector& origin = getOrigin();
    const KAnimationVector& scale = getScale();
    Left = kTruncateToShort(position.getX() - scale.getX() * origin.getX());
    Top = kTruncateToShort(position.getY() - scale.getY() * origin.getY());
}

void KSprite::getBounds(KGraphicRectangle& R)
{
    R.set(0, 0, 0, 0);
    if (!hasCurrentFrame())
        return;
    short left = 0;
    short top = 0;
    getScaledCorner(left, top);
    const KGraphicSize& size = static_cast<const KGraphicObject&>(m_frames[m_currentFrame]).getSize();
    const KAnimationVector& scale = getScale();
    R.set(left, top, kTruncateToShort(size.getWidth() * scale.getX()),
          kTruncateToShort(size.getHeight() * scale.getY()));
}

void KSprite::draw(KGraphicDevice& D)
{
    KGraphicRectangle bounds;
    getBounds(bounds);
    if (hasCurrentFrame())
        static_cast<KGraphicObject&>(m_frames[m_currentFrame]).draw(D, bounds);
}

bool KSprite::collidesWith(KAnimationObject& Other)
{
    auto* other = dynamic_cast<KSprite*>(&Other);
    if (!other)
        return false;
    KGraphicRectangle mine;
    KGraphicRectangle theirs;
    getBounds(mine);
    other->getBounds(theirs);
    return mine.intersects(theirs);
}

void KSprite::bringToFront()
{
    if (hasLayer())
        getLayer().bringToFront(*this);
}

void KSprite::bringForward()
{
    if (hasLayer())
        getLayer().bringForward(*this);
}

void KSprite::sendToBack()
{
    if (hasLayer())
        getLayer().sendToBack(*this);
}

void KSprite::sendBackward()
{
    if (hasLayer())
        getLayer().sendBackward(*this);
}

void KSprite::copyFrom(const KSprite& Other)
{
    KAnimationObject::copyFrom(Other);
    m_currentFrame = Other.m_currentFrame;
    m_frames.copyFrom(Other.m_frames);
    m_spriteFlags = Other.m_spriteFlags;
    if (Other.hasLayer())
        setLayer(Other.getLayer());
}
