#include "story/LumoSpriteSystem.h"

K_DEFINE_CLASS(LumoSpriteSystem, KLayer, 1)

LumoSpriteSystem::LumoSpriteSystem()
    : m_spriteSystem(new KSpriteSystem)
{
    KSpriteLayerPtr actors(new KSpriteLayer);
    setFirstLayer(*actors);
    m_spriteSystem->addLayer(*actors);
    KSpriteLayerPtr overlays(new KSpriteLayer);
    setSecondLayer(*overlays);
    m_spriteSystem->addLayer(*overlays);
}

LumoSpriteSystem::~LumoSpriteSystem()
{
    resetFirstLayer();
    resetSecondLayer();
}

void LumoSpriteSystem::setFirstLayer(KSpriteLayer& L) { m_firstLayer.setObject(L); }
void LumoSpriteSystem::resetFirstLayer() { m_firstLayer.reset(); }
void LumoSpriteSystem::setSecondLayer(KSpriteLayer& L) { m_secondLayer.setObject(L); }
void LumoSpriteSystem::resetSecondLayer() { m_secondLayer.reset(); }
void LumoSpriteSystem::stepSprites(float T) { m_spriteSystem->step(T); }
void LumoSpriteSystem::updateSprites() { m_spriteSystem->update(); }
void LumoSpriteSystem::invalidateRect(const KGraphicRectangle& R) { m_spriteSystem->invalidate(R); }
void LumoSpriteSystem::setRedrawMode(uint8 Mode) { m_spriteSystem->setRedrawMode(Mode); }
