#include "player/DialogPlace.h"

#include "application/KWindow.h"
#include "foundation/KernelFunctions.h"

bool DialogPlace::liesOnScreen(const KGraphicRectangle& R)
{
    short left = 0, top = 0, right = 0, bottom = 0;
    R.getBounds(left, top, right, bottom);
    return left >= 0 && top >= 0 && right <= knsGetScreenWidth() && bottom <= knsGetScreenHeight();
}

void DialogPlace::settle(const KWindow& Window)
{
    KGraphicRectangle there(Window.getBounds());
    there.setOrigin(m_bounds.getOrigin());
    if (m_used && liesOnScreen(there))
        return;
    m_used = true;
    m_bounds = Window.getBounds();
}

void DialogPlace::apply(KWindow& Window) const { Window.setPosition(m_bounds.getOrigin()); }

void DialogPlace::remember(const KWindow& Window)
{
    m_used = true;
    m_bounds = Window.getBounds();
}
