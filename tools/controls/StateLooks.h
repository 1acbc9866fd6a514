#pragma once
// The four looks of a control drawn from graphic objects, one per hilite state: normal,
// hover, pressed and disabled. A state without a look of its own shows the normal one.
#include "graphics/KGraphicObject.h"

class StateLooks {
public:
    // Indexed by hilite state: 0 normal, 1 hover, 2 pressed, 3 disabled.
    void set(uint8 State, KGraphicObject& O) { m_looks[State] = O; }
    void clear(uint8 State) { m_looks[State].reset(); }
    void clearAll();
    // Error 18 when the look is not set.
    KGraphicObject& get(uint8 State) const { return m_looks[State].getObject(); }
    bool has(uint8 State) const { return m_looks[State].hasObject(nullptr); }
    bool isEmpty() const;
    // A disabled control shows its disabled look, an enabled one the look of its hilite
    // (none in the disabled hilite); null when there is nothing to show.
    KGraphicObject* choose(bool Enabled, uint8 Hilite) const;

private:
    KGraphicObjectPtr m_looks[4];
};
