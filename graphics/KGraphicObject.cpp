#include "graphics/KGraphicObject.h"

#include "foundation/KClassWriter.h"
#include "graphics/SectionOne.h"

K_DEFINE_CLASS(KGraphicObject, KThing, 1)

void KGraphicObject::drawAt(KGraphicDevice&, const KGraphicPoint&) {}

void KGraphicObject::draw(KGraphicDevice&, const KGraphicRectangle&) {}

void KGraphicObject::drawPart(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&) {}

void KGraphicObject::readFromFile(KFile& F)
{
    KClassReader reader;
    if (beginSectionOne(reader, F, getClassRecord()))
        m_size.readFromFile(F);
    reader.end();
}

void KGraphicObject::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, getClassRecord());
    writer.newSection(1);
    m_size.writeToFile(F, 1);
    writer.end();
}
