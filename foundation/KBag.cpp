#include "foundation/KBag.h"

K_DEFINE_CLASS(KBag, KArray, 1)

KBag::KBag() = default;

KBag::KBag(const KBag& Other)
    : KArray()
{
    copyFrom(Other);
}

KBag& KBag::operator=(const KBag& Other)
{
    copyFrom(Other);
    return *this;
}

KBag::~KBag()
{
    KBag::clear();
}

void KBag::setSize(long N)
{
    if (N >= 0 && N < m_count)
        m_count = N;
    KArray::setSize(N);
}

void KBag::clear()
{
    m_count = 0;
    setSize(m_minSize);
    KArray::clear();
}

bool KBag::makeRoom()
{
    if (m_count < getCapacity())
        return true;
    setSize(getCapacity() + m_growSize);
    // A failed growth has been reported by the allocator; the element is not counted,
    // so the count never runs past the slots.
    return m_count < getCapacity();
}

void KBag::add(const KThing& Obj)
{
    if (!makeRoom())
        return;
    putAt(Obj, m_count);
    ++m_count;
}

void KBag::addDirectData(long Value)
{
    if (!makeRoom())
        return;
    putDirectDataAt(Value, m_count);
    ++m_count;
}

void KBag::insertAt(const KThing& Obj, long Pos)
{
    if (Pos < 0 || Pos > m_count) {
        kksReportError(7, "KBag::insertAt(const KThing& Obj,long Pos)");
        return;
    }
    if (!makeRoom())
        return;
    if (Pos < m_count) {
        move(Pos, Pos + 1, m_count - Pos);
        // The element that stood here now stands one slot higher with its count.
        setWordAt(Pos, 0);
    }
    putAt(Obj, Pos);
    ++m_count;
}

void KBag::removeAt(long Pos)
{
    const char* context = "KBag::removeAt(long Pos)";
    if (m_count == 0) {
        kksReportError(7, context);
        return;
    }
    if (Pos < 0 || Pos >= getCapacity()) {
        resetAt(Pos);
        return;
    }
    if (Pos >= m_count) {
        kksReportError(7, context);
        return;
    }
    resetAt(Pos);
    if (Pos < m_count - 1) {
        move(Pos + 1, Pos, m_count - Pos - 1);
        setWordAt(m_count - 1, 0);
    }
    --m_count;
    shrinkIfSpare();
}

void KBag::shrinkIfSpare()
{
    const long smaller = getCapacity() - m_growSize;
    if (m_count <= smaller && smaller >= m_minSize)
        setSize(smaller);
}

void KBag::remove(const KThing& Obj)
{
    long pos = -1;
    if (has(Obj, &pos) && pos < m_count)
        removeAt(pos);
}

void KBag::addAll(const KArray& Other)
{
    if (Other.isDirect() != isDirect())
        return;
    const long count = Other.getSize();
    for (long pos = 0; pos < count; ++pos) {
        if (isDirect())
            addDirectData(Other.getDirectDataAt(pos));
        else
            add(Other.getObjectAt(pos));
    }
}

void KBag::copyFrom(const KBag& Other)
{
    if (&Other == this)
        return;
    setSize(0);
    m_count = 0;
    setGrowSize(Other.m_growSize);
    setMinSize(Other.m_minSize);
    m_count = Other.m_count;
    copyElementsFrom(Other);
    if (getCapacity() < m_count)
        m_count = getCapacity();
}

KThing& KBag::deepCopy() const
{
    KBag* copy = new KBag;
    if (!copy)
        return kNullReference<KThing>();
    copy->setGrowSize(m_growSize);
    copy->setMinSize(m_minSize);
    // The array's deep copy covers the used slots only; its elements are shared into the
    // bag and the array goes when the pointer lets it go.
    KArrayPtr elements;
    elements.setObjectOrNull(static_cast<KArray*>(&KArray::deepCopy()));
    if (!elements.hasObject())
        return *copy;
    copy->m_count = m_count;
    copy->copyElementsFrom(*elements);
    if (copy->getCapacity() < copy->m_count)
        copy->m_count = copy->getCapacity();
    return *copy;
}

void KBag::setGrowSize(long N)
{
    const char* context = "KBag::setGrowSize";
    if (m_count != 0) {
        kksReportError(26, context);
        return;
    }
    if (N <= 0) {
        kksReportError(6, context);
        return;
    }
    m_growSize = N;
}

void KBag::setMinSize(long N)
{
    const char* context = "KBag::setMinSize";
    if (m_count != 0) {
        kksReportError(26, context);
        return;
    }
    if (N < 0) {
        kksReportError(6, context);
        return;
    }
    m_minSize = N;
    if (getCapacity() < N)
        setSize(N);
}
