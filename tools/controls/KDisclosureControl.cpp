#include "tools/controls/KDisclosureControl.h"

#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KDisclosureControl, KControl, 1)

KDisclosureControl::KDisclosureControl() = default;
KDisclosureControl::~KDisclosureControl() = default;

void KDisclosureControl::createNativeControl()
{
    knsNotYetImplemented("void KDisclosureControl::createNativeControl()");
}
