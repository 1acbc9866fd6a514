#include "story/LumoSpriteSystem.h"

#include "application/KCursorManager.h"
#include "application/KMouseEvent.h"
#include "story/StoryStage.h"
#include "story/Tape.h"

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

void LumoSpriteSystem::invalidate() { m_spriteSystem->redrawAll(); }

KGraphicRectangle LumoSpriteSystem::getBounds() const { return KGraphicRectangle(); }

void LumoSpriteSystem::mapPoint(KMouseEvent& E) const
{
    const KGraphicPoint& origin = m_spriteSystem->getTargetRect().getOrigin();
    const KGraphicPoint& point = E.getLocalPosition();
    E.setGlobalPosition(KGraphicPoint(static_cast<short>(point.getH() - origin.getH()),
                                      static_cast<short>(point.getV() - origin.getV())));
}

KEventReturn LumoSpriteSystem::passToTape(KMouseEvent& E, KEventReturn (*Pass)(Tape& T, KMouseEvent& Mapped)) const
{
    KMouseEventPtr mapped(new KMouseEvent(E));
    mapPoint(*mapped);
    StoryStage* stage = StoryStage::find();
    if (!stage || !stage->hasTape() || stage->getTape().getPlayState() != Tape::Playing)
        return 0;
    return Pass(stage->getTape(), *mapped);
}

KEventReturn LumoSpriteSystem::dispatchMouseDown(KMouseEvent& E)
{
    const KEventReturn answer = passToTape(E, [](Tape& T, KMouseEvent& M) -> KEventReturn { return T.mouseDown(M); });
    if (answer == TapeObject::kCaptureMouse && hasWindow() && KCursorManager::exists())
        KCursorManager::get().captureMouse(getWindow());
    return answer;
}

KEventReturn LumoSpriteSystem::dispatchMouseMove(KMouseEvent& E)
{
    return passToTape(E, [](Tape& T, KMouseEvent& M) -> KEventReturn { return T.mouseMoved(M) ? 1 : 0; });
}

KEventReturn LumoSpriteSystem::dispatchMouseTick(KMouseEvent& E)
{
    return passToTape(E, [](Tape& T, KMouseEvent& M) -> KEventReturn { return T.mouseKind4(M) ? 1 : 0; });
}

KEventReturn LumoSpriteSystem::dispatchMouseUp(KMouseEvent& E)
{
    return passToTape(E, [](Tape& T, KMouseEvent& M) -> KEventReturn {
        // Whatever held the mouse lets it go before the release is handled.
        if (KCursorManager::exists())
            KCursorManager::get().releaseMouse();
        return T.mouseUp(M) ? 1 : 0;
    });
}
