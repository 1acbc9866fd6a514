#include "story/oldformat/ZThing.h"

#include "foundation/ErrorTable.h"
#include "foundation/KMemory.h"
#include "foundation/KernelFunctions.h"
#include "story/oldformat/ZClass.h"

ZClass* ZThing::s_class = nullptr;
void* ZThing::s_lastNewBlock = nullptr;
long ZThing::s_heapBlocks = 0;

// The base is constructed first at the start of the block, so only the object that
// operator new made matches the block; its members, and objects on the stack, do not.
ZThing::ZThing()
    : m_onHeap(this == s_lastNewBlock ? 1 : 0)
    , m_referenceCount(1)
{
    if (m_onHeap)
        s_lastNewBlock = nullptr;
}

ZThing::ZThing(const ZThing&)
    : ZThing()
{
}

ZClass& ZThing::getClass() const { return ZClass::recordOf(s_class); }

void ZThing::readFromFile(ZFile&) {}
void ZThing::writeToFile(ZFile&) {}

void* ZThing::operator new(std::size_t Size)
{
    void* block = KMemory::allocate(Size, false);
    if (!block)
        knsFatalError("ZThing::operator new", "Warning! No Memory Left!");
    s_lastNewBlock = block;
    ++s_heapBlocks;
    return block;
}

void ZThing::operator delete(void* P)
{
    const char* const context = "ZThing::operator delete";
    if (!P) {
        knsMessageBox(context, "Warning! P==NULL!");
        return;
    }
    // The destructors have run; the count and the flag are still in the block.
    ZThing* object = static_cast<ZThing*>(P);
    if (!object->m_onHeap) {
        knsMessageBox(context, "Warning! Object Not On Heap!");
        return;
    }
    --object->m_referenceCount;
    if (object->m_referenceCount == 0) {
        KMemory::dispose(P);
        --s_heapBlocks;
    } else if (object->m_referenceCount < 0) {
        knsFatalError(context, "Fatal Error! Reference Count Negative!");
    }
}

ZThing* ZThing::assign(ZThing* Source)
{
    if (!Source)
        knsFatalError("ZThing::assign", "Source == NULL.");
    if (!Source->m_onHeap)
        knsFatalError("ZThing::assign", "Source Not On Heap.");
    ++Source->m_referenceCount;
    return Source;
}

ZThing* ZThing::unassign(ZThing* P)
{
    if (!P)
        return nullptr;
    --P->m_referenceCount;
    if (P->m_referenceCount == 1)
        delete P;
    else if (P->m_referenceCount < 1)
        knsFatalError("ZThing::unassign", "Fatal Error! Reference Count Negative!");
    return nullptr;
}
