#include "controls/KPushButtonControl.h"

K_DEFINE_CLASS(KPushButtonControl, KControl, 1)

KPushButtonControl::KPushButtonControl() = default;
KPushButtonControl::~KPushButtonControl() = default;
