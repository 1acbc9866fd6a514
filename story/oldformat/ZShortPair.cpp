#include "story/oldformat/ZShortPair.h"

#include "story/oldformat/ZFile.h"

ZShortPair::ZShortPair(short First, short Second)
    : m_first(First)
    , m_second(Second)
{
}

void ZShortPair::setPair(short First, short Second)
{
    m_first = First;
    m_second = Second;
}

void ZShortPair::readFromFile(ZFile& F)
{
    if (!ZClass::readClassInfo(&getClass(), F))
        return;
    F.readShort(m_first);
    F.readShort(m_second);
}

void ZShortPair::writeToFile(ZFile& F)
{
    getClass().writeClassInfo(F);
    F.writeShort(m_first);
    F.writeShort(m_second);
}
