#include "story/oldformat/ZTape.h"

#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZTape)

void ZTape::readFromFile(ZFile& F)
{
    ZBag::readFromFile(F);
    if (!ZClass::readClassInfo(s_class, F))
        return;
    F.readLong(m_currentPosition);
    F.readLong(m_tickRate);
    F.readByte(m_loopFlag);
    F.readByte(m_pageFlag);
    checkObjects(F);
}

void ZTape::checkObjects(ZFile& F) const
{
    if (F.hasFailed())
        return;
    if (isDirect()) {
        F.markDamaged("ZTape::readFromFile", "Array Is Direct");
        return;
    }
    for (long i = 0; i < getCount(); ++i) {
        if (!dynamic_cast<ZTapeObject*>((*this)[i])) {
            F.markDamaged("ZTape::readFromFile", "Not A Tape Object");
            return;
        }
    }
}

void ZTape::writeToFile(ZFile& F)
{
    ZBag::writeToFile(F);
    getClass().writeClassInfo(F);
    F.writeLong(m_currentPosition);
    F.writeLong(m_tickRate);
    F.writeByte(static_cast<char>(m_loopFlag));
    F.writeByte(static_cast<char>(m_pageFlag));
}
