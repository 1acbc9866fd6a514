#include "foundation/KThing.h"

#include "foundation/KClass.h"
#include "foundation/KMemory.h"
#include "foundation/KThingPtr.h"

namespace {
// Left by operator new where the flag word of the object will be, so that the
// constructor that follows can tell a heap object from one on the stack or inside
// another object.
constexpr uint32 kHeapMarker = 0x05A5A5A0;
// KThing is the first base of every class and has a virtual table, so its flag word
// follows the table pointer at the start of every object.
constexpr std::size_t kFlagWordOffset = sizeof(void*);
} // namespace

KClass* KThing::s_class = nullptr;
long KThing::s_heapBlocks = 0;
long KThing::s_liveObjects = 0;

KThing::KThing()
    : m_referenceCount(1)
{
    const uint32 word = *reinterpret_cast<volatile uint32*>(&m_flags);
    m_flags = word == kHeapMarker ? uint32(OnHeap) : 0;
    ++s_liveObjects;
}

KThing::KThing(const KThing&)
    : KThing()
{
}

KThing::~KThing()
{
    --s_liveObjects;
}

KThing& KThing::deepCopy() const
{
    kksReportError(11, "KThing& deepCopy() const");
    return kNullReference<KThing>();
}

bool KThing::isKThingRegistered() const { return s_class != nullptr; }

KClass& KThing::getClass() const
{
    if (!s_class) {
        kksReportError(18, "getClass()");
        return kNullReference<KClass>();
    }
    return *s_class;
}

void KThing::readFromFile(KFile&) { kksReportError(14, "void KThing::readFromFile(KFile& F)"); }

void KThing::writeToFile(KFile&, long)
{
    kksReportError(15, "void KThing::writeToFile(KFile& F,long Ver)");
}

void KThing::doTimer(KTimer&) {}
bool KThing::handleEvent(KEvent&) { return false; }
void KThing::periodicTask() {}
bool KThing::isRegistered() const { return s_class != nullptr; }

void* KThing::operator new(std::size_t Size) noexcept
{
    auto* block = static_cast<unsigned char*>(KMemory::allocate(Size, false));
    if (!block) {
        kksReportError(18, "KThing::operator new(size_t Size)");
        return nullptr;
    }
    *reinterpret_cast<volatile uint32*>(block + kFlagWordOffset) = kHeapMarker;
    ++s_heapBlocks;
    return block;
}

void KThing::operator delete(void* P)
{
    if (!P)
        return;
    KThing* object = static_cast<KThing*>(P);
    // The destructor chain has run; the fields of KThing are still in the block.
    if (!(object->m_flags & OnHeap)) {
        kksReportError(3, "KThing::operator delete(void* P)");
        return;
    }
    --object->m_referenceCount;
    if (object->m_referenceCount == 0) {
        KMemory::dispose(P);
        --s_heapBlocks;
    } else if (object->m_referenceCount < 0) {
        kksReportError(16, "KThing::operator delete(void* P)");
    } else {
        kksReportError(17, "KThing::operator delete(void* P)");
    }
}

// An object on the stack or inside another object belongs to its scope or owner: a
// pointer that tries to count it is refused, and the count stays as it is, so that the
// release cannot destroy it a second time.
void KThing::incReferenceCount()
{
    if (!(m_flags & OnHeap)) {
        kksReportError(3, "KThing::incReferenceCount()");
        return;
    }
    ++m_referenceCount;
}

void KThing::decReferenceCount()
{
    if (!(m_flags & OnHeap)) {
        kksReportError(3, "KThing::decReferenceCount()");
        return;
    }
    --m_referenceCount;
    if (m_referenceCount == 1)
        delete this;
    else if (m_referenceCount < 1)
        kksReportError(16, "KThing::decReferenceCount()");
}

bool KThing::isPointedBy(const KThingPtr& P) const { return P.get() == this; }

bool KThing::isEqualOrSubClass(const KClass& Class) const
{
    const char* context = "bool KThing::isEqualOrSubClass(const KClass& Class) const";
    if (kIsNullReference(&Class)) {
        kksReportError(28, context);
        return false;
    }
    if (!isKThingRegistered())
        kksReportError(28, context);
    KClass& own = getClass();
    if (kIsNullReference(&own))
        return false;
    return own.isEqualOrSubClass(Class);
}

bool KThing::isEqualOrSubClass(const char* Name) const
{
    KClass* record = KClass::findClass(Name);
    if (!record)
        return false;
    KClass& own = getClass();
    if (kIsNullReference(&own))
        return false;
    return own.isEqualOrSubClass(*record);
}

KThing* KThing::createInstance() { return new KThing; }

KClass* KThing::initClass(const char* Name, KClass* Parent, long Version)
{
    s_class = KClass::registerClass(Name, Parent, &KThing::createInstance, Version);
    return s_class;
}
