#include "multimedia/KSpriteSystem.h"

#include "graphics/KColor.h"
#include "multimedia/KSprite.h"
#include "multimedia/KSpriteLayer.h"

namespace {
// A frame must not grow the working lists: they start with room for this many entries.
constexpr long kListSize = 1024;

void presize(KBag& List)
{
    List.setMinSize(kListSize);
    List.setGrowSize(kListSize);
}

KSprite& spriteAt(const KBag& Sprites, long Index) { return static_cast<KSprite&>(Sprites[Index]); }

KGraphicRectangle movedBy(const KGraphicRectangle& R, const KGraphicPoint& Offset)
{
    KGraphicRectangle moved(R);
    moved.offset(Offset.getH(), Offset.getV());
    return moved;
}
} // namespace

K_DEFINE_CLASS(KSpriteSystem, KAnimationSystem, 1)

KSpriteSystem::KSpriteSystem()
{
    presize(m_dirtySprites);
    presize(m_removals);
    presize(m_dirtyRectangles);
}

KSpriteSystem::~KSpriteSystem()
{
    removeAllLayers();
    releaseOffscreen();
}

template <typename Visit>
void KSpriteSystem::forEachSprite(Visit&& V)
{
    for (long l = 0; l < m_layers.getCount(); ++l) {
        const KBag& sprites = static_cast<KSpriteLayer&>(m_layers[l]).getSprites();
        for (long s = 0; s < sprites.getCount(); ++s)
            V(spriteAt(sprites, s));
    }
}

// Layers ----------------------------------------------------------------------------------

void KSpriteSystem::addLayer(KSpriteLayer& L)
{
    if (L.hasSpriteSystem() || m_layers.has(L))
        return;
    m_layers.add(L);
    L.setSpriteSystem(*this);
    for (long s = 0; s < L.getSpriteCount(); ++s)
        addObject(L.getSpriteAt(s));
}

void KSpriteSystem::removeAllLayers()
{
    for (long l = m_layers.getCount() - 1; l >= 0; --l) {
        KSpriteLayerPtr layer(static_cast<KSpriteLayer&>(m_layers[l]));
        for (long s = 0; s < layer->getSpriteCount(); ++s)
            removeObject(layer->getSpriteAt(s));
        m_layers.removeAt(l);
        layer->clearSpriteSystem();
    }
}

// Devices and images ----------------------------------------------------------------------

void KSpriteSystem::setTargetDevice(KGraphicDevice& D)
{
    releaseTargetDevice();
    m_targetDevice.setObject(D);
    if (m_targetRect.isEmpty())
        m_targetRect = D.getBounds();
    if (m_bounds.isEmpty())
        m_bounds = D.getBounds();
    rebuildOffscreen();
}

void KSpriteSystem::releaseTargetDevice() { m_targetDevice.reset(); }

void KSpriteSystem::setBounds(const KGraphicRectangle& R)
{
    m_bounds = R;
    rebuildOffscreen();
}

void KSpriteSystem::rebuildOffscreen()
{
    releaseOffscreen();
    if (!hasTargetDevice())
        return;
    KImagePtr offscreen(new KImage);
    offscreen->create(m_bounds.getSize());
    m_offscreen = offscreen;
    setBackground();
}

void KSpriteSystem::setBackground()
{
    clearBackground();
    if (!hasTargetDevice()) {
        kksReportError(66, "KSpriteSystem::setBackground(KImage& Img)");
        return;
    }
    KImagePtr background(new KImage);
    setBackgroundImage(*background);
    background->create(m_bounds.getSize());
}

void KSpriteSystem::setBackgroundImage(KImage& Image) { m_background.setObject(Image); }
void KSpriteSystem::clearBackground() { m_background.reset(); }

// Drawing ---------------------------------------------------------------------------------

void KSpriteSystem::restore(const KGraphicRectangle& R)
{
    if (!hasOffscreen())
        return;
    KGraphicDevice& device = getOffscreen().getGraphicDevice();
    if (hasBackground())
        getBackground().drawPart(device, R, R);
    else
        device.paintRect(R, KColor(kBlack));
}

void KSpriteSystem::copyToTarget(const KGraphicRectangle& R)
{
    if (!R.isEmpty())
        getOffscreen().drawPart(getTargetDevice(), R, movedBy(R, m_targetRect.getOrigin()));
}

void KSpriteSystem::copyWholeToTarget()
{
    if (m_redrawMode == DirtyRectangles)
        getOffscreen().drawAt(getTargetDevice(), m_targetRect.getOrigin());
    else
        getOffscreen().draw(getTargetDevice(), m_targetRect);
}

void KSpriteSystem::invalidate(const KGraphicRectangle& R)
{
    if (m_redrawMode == FullRedraw) {
        redrawAll();
        return;
    }
    // Without a target there is no page yet; the sprites are still marked, so that they
    // are drawn once there is one.
    restore(R);
    forEachSprite([&](KSprite& S) {
        if (!S.isVisible())
            return;
        KGraphicRectangle bounds;
        S.getBounds(bounds);
        S.setCurrentBounds(bounds);
        if (bounds.intersects(R))
            S.setSpriteFlags(KSprite::NeedsRedraw);
    });
    if (m_redrawMode == DirtyRectangles) {
        KThingPtr copy(new KGraphicRectangle(R));
        if (copy.hasObject(nullptr))
            m_dirtyRectangles.add(*copy);
    }
}

void KSpriteSystem::redrawAll()
{
    if (!canDraw())
        return;
    if (m_redrawMode == FullRedraw)
        m_removals.clear();
    KGraphicDevice& device = getOffscreen().getGraphicDevice();
    if (hasBackground())
        getBackground().draw(device, device.getBounds());
    else
        device.paintRect(device.getBounds(), KColor(kBlack));
    for (long l = 0; l < m_layers.getCount(); ++l) {
        auto& layer = static_cast<KSpriteLayer&>(m_layers[l]);
        if (layer.isDepthSorted())
            layer.sortSprites();
    }
    forEachSprite([&](KSprite& S) {
        if (S.isVisible())
            S.draw(device);
        noteDrawnVisibility(S);
        if (m_redrawMode == FullRedraw) {
            if (S.hasSpriteFlags(KSprite::RemovalRequested))
                m_removals.add(S);
        } else {
            S.setSpriteFlags(KSprite::NeedsRedraw);
            KGraphicRectangle bounds;
            S.getBounds(bounds);
            S.setPreviousBounds(bounds);
        }
    });
    copyWholeToTarget();
    if (m_redrawMode == FullRedraw)
        removeRequested();
}

void KSpriteSystem::step(float T)
{
    if (m_redrawMode != FullRedraw)
        forEachSprite([](KSprite& S) { S.setPreviousBounds(S.getCurrentBounds()); });
    KAnimationSystem::step(T);
}

void KSpriteSystem::update()
{
    if (m_redrawMode == FullRedraw) {
        redrawAll();
        return;
    }
    m_dirtySprites.clear();
    m_removals.clear();
    forEachSprite([this](KSprite& S) { detectChange(S); });
    forEachSprite([this](KSprite& S) { collect(S); });
    if (!canDraw())
        return;

    for (long i = 0; i < m_dirtySprites.getCount(); ++i)
        restore(spriteAt(m_dirtySprites, i).getPreviousBounds());
    KGraphicDevice& device = getOffscreen().getGraphicDevice();
    for (long i = 0; i < m_dirtySprites.getCount(); ++i) {
        KSprite& sprite = spriteAt(m_dirtySprites, i);
        if (sprite.isVisible())
            sprite.draw(device);
        noteDrawnVisibility(sprite);
        sprite.clearSpriteFlags(KSprite::NeedsRedraw);
    }

    if (m_redrawMode == DirtySprites) {
        copyWholeToTarget();
    } else {
        for (long i = 0; i < m_dirtySprites.getCount(); ++i) {
            KSprite& sprite = spriteAt(m_dirtySprites, i);
            const KGraphicRectangle& previous = sprite.getPreviousBounds();
            const KGraphicRectangle& current = sprite.getCurrentBounds();
            if (previous.intersects(current)) {
                KGraphicRectangle both(previous);
                both.unionWith(current);
                copyToTarget(both);
            } else {
                copyToTarget(previous);
                copyToTarget(current);
            }
        }
        for (long i = 0; i < m_dirtyRectangles.getCount(); ++i)
            copyToTarget(static_cast<const KGraphicRectangle&>(m_dirtyRectangles[i]));
        m_dirtyRectangles.clear();
    }
    removeRequested();
}

void KSpriteSystem::detectChange(KSprite& S)
{
    KGraphicRectangle bounds;
    S.getBounds(bounds);
    S.setCurrentBounds(bounds);
    // Shown or hidden where it stands counts as a change as much as a move does.
    const bool visibilityChanged = S.isVisible() != S.hasSpriteFlags(KSprite::DrawnVisible);
    if (S.hasSpriteFlags(KSprite::NeedsRedraw) || visibilityChanged || bounds != S.getPreviousBounds()) {
        S.setSpriteFlags(KSprite::NeedsRedraw);
        markOverlappingDirty(S);
    }
}

void KSpriteSystem::noteDrawnVisibility(KSprite& S)
{
    if (S.isVisible())
        S.setSpriteFlags(KSprite::DrawnVisible);
    else
        S.clearSpriteFlags(KSprite::DrawnVisible);
}

void KSpriteSystem::spriteRemoved(KSprite& S)
{
    const bool shown = S.hasSpriteFlags(KSprite::DrawnVisible);
    S.clearSpriteFlags(KSprite::DrawnVisible);
    S.setSpriteFlags(KSprite::NeedsRedraw);
    // Mode 0 repaints the whole page at every update anyway. Between frames the place it
    // was drawn at is its previous bounds, or its current ones before the step moved them.
    if (!shown || m_redrawMode == FullRedraw || !hasOffscreen())
        return;
    KGraphicRectangle place(S.getPreviousBounds());
    place.unionWith(S.getCurrentBounds());
    invalidate(place);
}

void KSpriteSystem::collect(KSprite& S)
{
    if (S.hasSpriteFlags(KSprite::NeedsRedraw))
        m_dirtySprites.add(S);
    if (!S.hasSpriteFlags(KSprite::RemovalRequested))
        return;
    if (S.isVisible()) {
        S.hide();
        if (!S.hasSpriteFlags(KSprite::NeedsRedraw))
            m_dirtySprites.add(S);
    } else {
        m_removals.add(S);
    }
}

// A dirty sprite is drawn again where it stands now, and the page is restored where it
// stood: every sprite over either place loses pixels and must be drawn again too, and so
// on through chains of overlapping sprites. Each is marked once, as the flag is tested
// first.
void KSpriteSystem::markOverlappingDirty(KSprite& S)
{
    const KGraphicRectangle& current = S.getCurrentBounds();
    const KGraphicRectangle& previous = S.getPreviousBounds();
    forEachSprite([&](KSprite& T) {
        if (&T == &S || T.hasSpriteFlags(KSprite::NeedsRedraw))
            return;
        const KGraphicRectangle& other = T.getCurrentBounds();
        if (!other.intersects(current) && !other.intersects(previous))
            return;
        T.setSpriteFlags(KSprite::NeedsRedraw);
        markOverlappingDirty(T);
    });
}

void KSpriteSystem::removeRequested()
{
    for (long i = 0; i < m_removals.getCount(); ++i) {
        KSprite& sprite = spriteAt(m_removals, i);
        if (sprite.hasLayer())
            sprite.getLayer().removeSprite(sprite);
    }
    m_removals.clear();
}
