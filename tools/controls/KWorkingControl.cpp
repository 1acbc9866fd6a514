#include "tools/controls/KWorkingControl.h"

#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KWorkingControl, KControl, 1)

KWorkingControl::KWorkingControl() = default;
KWorkingControl::~KWorkingControl() = default;

void KWorkingControl::createNativeControl() { knsNotYetImplemented("void KWorkingControl::createNativeControl()"); }
