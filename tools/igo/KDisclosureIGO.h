#pragma once
// The small triangle that shows whether something is open (pointing down) or closed
// (pointing right). A click on it toggles it; the click's action event then goes on to
// its parents and layer, which learn of it too.
#include "tools/igo/KInteractiveGraphicObject.h"

class KDisclosureIGO : public KInteractiveGraphicObject {
    K_DECLARE_CLASS(KDisclosureIGO)
public:
    // Only the release over the triangle is reported.
    KDisclosureIGO();
    ~KDisclosureIGO() override;

    // A click (type 4) toggles the triangle and redraws it; never handled here.
    bool handleAction(KActionEvent& E) override;
    // An 8 by 8 triangle.
    void drawAt(KGraphicDevice& Dev, const KGraphicPoint& At) override;
    // Centred in Dst, in a grey that darkens while the mouse is over it or presses it.
    void draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst) override;
    // Src is not used.
    void drawPart(KGraphicDevice& Dev, const KGraphicRectangle& Src, const KGraphicRectangle& Dst) override;

    bool isOpen() const { return m_open == 1; }
    void setOpen(bool Open) { m_open = Open ? 1 : 0; }

private:
    uint8 m_open = 0;
};

K_POINTER_CLASS(KDisclosureIGO, KInteractiveGraphicObjectPtr);
