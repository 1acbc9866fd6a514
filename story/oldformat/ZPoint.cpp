#include "story/oldformat/ZPoint.h"

#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZPoint)

ZPoint::ZPoint(short H, short V)
    : m_h(H)
    , m_v(V)
{
}

ZPoint::ZPoint(const ZPoint& Other)
    : ZThing(Other)
    , m_h(Other.m_h)
    , m_v(Other.m_v)
{
}

ZPoint& ZPoint::operator=(const ZPoint& Other)
{
    set(Other.m_h, Other.m_v);
    return *this;
}

void ZPoint::set(short H, short V)
{
    m_h = H;
    m_v = V;
}

void ZPoint::readFromFile(ZFile& F)
{
    if (!ZClass::readClassInfo(s_class, F))
        return;
    F.readShort(m_h);
    F.readShort(m_v);
}

void ZPoint::writeToFile(ZFile& F)
{
    getClass().writeClassInfo(F);
    F.writeShort(m_h);
    F.writeShort(m_v);
}
