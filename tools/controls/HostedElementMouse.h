#pragma once
// The mouse of a control that hosts one element in its native window (an IGO control,
// the list box's list): the control hands on what the controls layer delivers, with the
// point relative to the control; the element hears it in its own coordinates.
#include "application/KEvent.h"
#include "foundation/KWidePoint.h"

class KControl;
class KInteractiveElement;
class KMouseEvent;

// The event's window point relative to C.
KWidePoint controlPointOf(const KControl& C, const KMouseEvent& E);
// A move: to the element's drag while it tracks a press, else over it as a hover; 0 when
// it neither tracks nor lies under P.
KEventReturn moveOverHosted(KInteractiveElement& Hosted, const KWidePoint& P, bool Tracking);
// The end of a press it tracked, then the hover when P is over it; 1 only then.
KEventReturn releaseOverHosted(KInteractiveElement& Hosted, const KWidePoint& P, bool Tracking);
// The pointer enters it; 1 when P is over it.
KEventReturn enterHosted(KInteractiveElement& Hosted, const KWidePoint& P);
// The pointer leaves it, measured from the window's origin, not the control's.
KEventReturn leaveHosted(KInteractiveElement& Hosted, const KMouseEvent& E);
