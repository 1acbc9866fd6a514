#pragma once
// Where the dialogs of one class show during a run of the program. Each dialog class keeps
// one of these: the first dialog of the class opens centred, and every later one where the
// last was closed, unless that place no longer lies on the screen (after a change of
// resolution), in which case it opens centred again. Nothing of it is stored.
//
// A dialog calls settle once it has its size and centred position, apply before it
// opens, and remember when it closes. Only the origin is carried from one dialog to the
// next: each dialog keeps the size its own contents give it.
#include "foundation/KGraphicRectangle.h"

class KWindow;

class DialogPlace {
public:
    // On first use, or when the remembered place would put the window off the screen,
    // the window's present bounds become the place.
    void settle(const KWindow& Window);
    // Moves the window to the remembered place.
    void apply(KWindow& Window) const;
    void remember(const KWindow& Window);

    const KGraphicRectangle& getBounds() const { return m_bounds; }
    // Left and top not below 0, right and bottom not beyond the screen's width and height.
    static bool liesOnScreen(const KGraphicRectangle& R);

private:
    KGraphicRectangle m_bounds;
    bool m_used = false;
};

// The place that the dialogs of the class Dialog share.
template <typename Dialog>
DialogPlace& dialogPlaceOf()
{
    static DialogPlace place;
    return place;
}
