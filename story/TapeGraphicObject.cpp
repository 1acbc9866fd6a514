#include "story/TapeGraphicObject.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "graphics/KImage.h"
#include "multimedia/KSpriteSystem.h"
#include "story/LumoSpriteSystem.h"
#include "story/Tape.h"

K_DEFINE_CLASS(TapeGraphicObject, TapeObject, 1)

TapeGraphicObject::TapeGraphicObject() = default;

TapeGraphicObject::~TapeGraphicObject() = default;

void TapeGraphicObject::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, TapeGraphicObject::getClassRecord(), 1)) {
        TapeObject::readFromFile(F);
        m_bounds.readFromFile(F);
    }
    reader.end();
}

void TapeGraphicObject::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, TapeGraphicObject::getClassRecord());
    writer.newSection(1);
    TapeObject::writeToFile(F, 1);
    m_bounds.writeToFile(F, 1);
    writer.end();
}

KSpriteSystem* TapeGraphicObject::findPageCompositor() const
{
    if (!hasTape() || !getTape().hasSpriteSystem())
        return nullptr;
    KSpriteSystem& compositor = getTape().getSpriteSystem().getSpriteSystem();
    return compositor.hasBackground() ? &compositor : nullptr;
}

void TapeGraphicObject::drawOnPage()
{
    KSpriteSystem* compositor = findPageCompositor();
    if (!compositor)
        return;
    KGraphicDevice& page = compositor->getBackground().getGraphicDevice();
    // The whole page, whatever its size, so that no part of the object is left unshown.
    const KGraphicRectangle whole(0, 0, page.getBounds().getWidth(), page.getBounds().getHeight());
    draw(page, whole, whole);
    compositor->invalidate(whole);
}

void TapeGraphicObject::getBounds(KGraphicRectangle& Out) const { Out = m_bounds; }

bool TapeGraphicObject::containsPoint(const KGraphicPoint& P) const { return m_bounds.contains(P); }

void TapeGraphicObject::copyFrom(const TapeObject& Other)
{
    TapeObject::copyFrom(Other);
    if (auto* graphic = dynamic_cast<const TapeGraphicObject*>(&Other))
        m_bounds = graphic->m_bounds;
}
