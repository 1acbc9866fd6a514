#include "controls/KControlsLayer.h"

#include "application/KWindow.h"

K_DEFINE_CLASS(KControlsLayer, KLayer, 1)

KControlsLayer::KControlsLayer() = default;

KControlsLayer::~KControlsLayer()
{
    while (m_controls.getCount() > 0)
        removeControl(static_cast<KInteractiveElement&>(m_controls[0]));
}

void KControlsLayer::addControl(KInteractiveElement& C)
{
    if (m_controls.has(C))
        return;
    m_controls.add(C);
    C.setLayer(*this);
}

void KControlsLayer::removeControl(KInteractiveElement& C)
{
    if (!m_controls.has(C))
        return;
    // A window must not keep offering the focus to a control that left it.
    if (hasWindow()) {
        KWindow& window = getWindow();
        if (window.hasFocusElement() && &window.getFocusElement() == &C)
            window.resetFocusElement();
    }
    C.resetLayer();
    m_controls.remove(C);
}

void KControlsLayer::collectFocusableElements(KBag& Out)
{
    Out.clear();
    for (long i = 0; i < m_controls.getCount(); ++i) {
        auto& control = static_cast<KInteractiveElement&>(m_controls[i]);
        if (control.acceptsFocus() && control.isVisible() && control.isEnabled())
            Out.add(control);
    }
}

KGraphicRectangle KControlsLayer::getBounds() const
{
    KGraphicRectangle bounds;
    for (long i = 0; i < m_controls.getCount(); ++i) {
        const auto& control = static_cast<const KInteractiveElement&>(m_controls[i]);
        const KGraphicRectangle one(static_cast<short>(control.getPosition().getX()),
                                    static_cast<short>(control.getPosition().getY()),
                                    static_cast<short>(control.getSize().getWidth()),
                                    static_cast<short>(control.getSize().getHeight()));
        bounds.unionWith(one);
    }
    return bounds;
}
