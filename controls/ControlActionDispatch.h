#pragma once
// The road of a control's action: the control, its containers outwards, its window, the
// application, and last the dialog whose standard button the control is, which closes.
#include "application/KEvent.h"

class KControlActionEvent;

// 1 when one of them handled it.
KEventReturn kksDispatchControlAction(KControlActionEvent& E);
