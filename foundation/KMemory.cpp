#include "foundation/KMemory.h"

#include "foundation/ErrorTable.h"
#include "foundation/KernelFunctions.h"

#include <cstring>

void* KMemory::allocate(unsigned long Size, bool ZeroFill)
{
    void* block = knsAllocGlobal(Size, ZeroFill);
    if (!block) {
        kksReportError(19, "KMemory::allocate");
        return nullptr;
    }
    return block;
}

void KMemory::dispose(void* P)
{
    if (!P) {
        kksReportError(20, "KMemory::dispose");
        return;
    }
    knsFreeGlobal(P);
}

void KMemory::copy(const void* Source, void* Destination, unsigned long Count)
{
    knsCopyMemory(Source, Destination, Count);
}

void KMemory::clear(void* P, unsigned long Count)
{
    if (Count > 0)
        std::memset(P, 0, Count);
}
