#include "foundation/KNamedBag.h"

#include "foundation/PairBlocks.h"

K_DEFINE_CLASS(KNamedBag, KThing, 1)

void KNamedBag::addNamedObject(const KString& Name, const KThing& Obj, bool Replace)
{
    if (Replace)
        removeNamedObject(Name);
    if (findName(Name))
        return;
    if (Name.isOnHeap()) {
        m_names.add(Name);
    } else {
        KStringPtr copy(new KString(Name));
        if (!copy.hasObject())
            return;
        m_names.add(*copy);
    }
    m_objects.add(Obj);
}

void KNamedBag::removeNamedObject(const KString& Name)
{
    long pos = -1;
    if (!findName(Name, &pos))
        return;
    m_names.removeAt(pos);
    m_objects.removeAt(pos);
}

bool KNamedBag::findName(const KString& Name, long* OutPos) const
{
    return findNameFrom(Name, 0, OutPos);
}

bool KNamedBag::findNameFrom(const KString& Name, long Start, long* OutPos) const
{
    for (long pos = Start < 0 ? 0 : Start; pos < m_names.getCount(); ++pos) {
        if (matches(pos, Name)) {
            if (OutPos)
                *OutPos = pos;
            return true;
        }
    }
    return false;
}

// Names come from files too, so a slot that is empty or holds something other than a
// string never matches.
bool KNamedBag::matches(long Pos, const KString& Key) const
{
    if (!m_names.hasObjectAt(Pos))
        return false;
    const auto* name = dynamic_cast<const KString*>(&m_names.getObjectAt(Pos));
    if (!name)
        return false;
    if (m_caseSensitive)
        return *name == static_cast<const KComparable&>(Key);
    return name->getUpperCopy() == static_cast<const KComparable&>(Key.getUpperCopy());
}

KThing& KNamedBag::getNamedObject(const KString& Name) const
{
    long pos = -1;
    if (!findName(Name, &pos)) {
        kksReportError(18, "const KThing& KNamedBag::getNamedObject(const KString& S) const");
        return kNullReference<KThing>();
    }
    return m_objects.getObjectAt(pos);
}

void KNamedBag::clear()
{
    m_names.clear();
    m_objects.clear();
}

void KNamedBag::readFromFile(KFile& F)
{
    m_names.setReadableClasses({KString::getClassRecord()});
    KBag::readPairs(F, KNamedBag::getClassRecord(), m_names, false, m_objects);
}

void KNamedBag::writeToFile(KFile& F, long)
{
    kWriteMemberPairBlock(F, KNamedBag::getClassRecord(), m_names, m_objects);
}
