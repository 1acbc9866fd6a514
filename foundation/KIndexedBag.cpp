#include "foundation/KIndexedBag.h"

#include "foundation/PairBlocks.h"

K_DEFINE_CLASS(KIndexedBag, KThing, 1)

KIndexedBag::KIndexedBag()
{
    m_keys.setIsDirect(true);
}

void KIndexedBag::add(long Key, const KThing& Obj)
{
    if (find(Key))
        return;
    m_keys.addDirectData(Key);
    m_objects.add(Obj);
}

void KIndexedBag::remove(long Key)
{
    long pos = -1;
    if (!find(Key, &pos))
        return;
    m_keys.removeAt(pos);
    m_objects.removeAt(pos);
}

bool KIndexedBag::find(long Key, long* OutPos) const
{
    for (long pos = 0; pos < m_keys.getCount(); ++pos) {
        if (m_keys.getDirectDataAt(pos) == Key) {
            if (OutPos)
                *OutPos = pos;
            return true;
        }
    }
    return false;
}

void KIndexedBag::readFromFile(KFile& F)
{
    KBag::readPairs(F, KIndexedBag::getClassRecord(), m_keys, true, m_objects);
}

void KIndexedBag::writeToFile(KFile& F, long)
{
    kWriteMemberPairBlock(F, KIndexedBag::getClassRecord(), m_keys, m_objects);
}
