#include "story/oldformat/ZBag.h"

#include "foundation/ErrorTable.h"
#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZBag)

void ZBag::add(ZThing* Object)
{
    if (m_used == getSize())
        setSize(getSize() + m_growSize);
    putAt(Object, m_used);
    ++m_used;
}

void ZBag::addDirectData(long Value)
{
    if (m_used == getSize())
        setSize(getSize() + m_growSize);
    putDirectDataAt(Value, m_used);
    ++m_used;
}

void ZBag::setGrowSize(long N)
{
    if (m_used != 0)
        knsFatalError("ZBag::setGrowSize", "Cannot change GrowSize while Bag is in use.");
    if (N <= 0)
        knsFatalError("ZBag::setGrowSize", "GrowSize Must Be Positive!.");
    m_growSize = N;
}

void ZBag::setMinSize(long N)
{
    if (m_used != 0)
        knsFatalError("ZBag::setMinSize", "Cannot change MinSize while Bag is in use.");
    if (N < 0)
        knsFatalError("ZBag::setMinSize", "MinSize Must Be Positive!.");
    m_minSize = N;
    if (getSize() < N)
        setSize(N);
}

void ZBag::clear()
{
    m_used = 0;
    ZArray::clear();
    setSize(m_minSize);
}

void ZBag::readFromFile(ZFile& F)
{
    // The record replaces the content, so the settings below apply to an empty bag.
    m_used = 0;
    ZArray::readFromFile(F);
    readBagRecord(F);
}

void ZBag::readBagRecord(ZFile& F)
{
    if (!ZClass::readClassInfo(s_class, F))
        return;
    long used = 0;
    long growSize = 1;
    long minSize = 0;
    F.readLong(used);
    F.readLong(growSize);
    F.readLong(minSize);
    if (F.hasFailed())
        return;
    if (used < 0 || used > getSize() || growSize <= 0 || minSize < 0 || minSize > kLargestMinSize) {
        F.markDamaged("ZBag::readFromFile", "Count Out Of Range");
        return;
    }
    setMinSize(minSize);
    setGrowSize(growSize);
    m_used = used;
}

void ZBag::writeToFile(ZFile& F)
{
    ZArray::writeToFile(F);
    ZClass::recordOf(s_class).writeClassInfo(F);
    F.writeLong(m_used);
    F.writeLong(m_growSize);
    F.writeLong(m_minSize);
}
