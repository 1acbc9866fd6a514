#include "tools/controls/KMultiImageControl.h"

#include "application/KControlActionEvent.h"
#include "tools/controls/ControlLooks.h"

K_DEFINE_CLASS(KMultiImageControl, KControl, 1)

KMultiImageControl::KMultiImageControl()
{
    setStateFlags(HoverLookFlag);
    clearStateFlags(EraseBackgroundFlag);
    getActionMask().clearAll();
    getActionMask().set(KControlActionEvent::Done);
}

KMultiImageControl::~KMultiImageControl()
{
    for (KBag& frames : m_frames)
        frames.clear();
}

KGraphicObject* KMultiImageControl::frameFor(uint8 State) const
{
    // A list shorter than the index has no entry there: the normal list stands in.
    for (uint8 state : {State, static_cast<uint8>(NormalHilite)}) {
        const KBag& frames = m_frames[state];
        if (m_frameIndex >= 0 && m_frameIndex < frames.getCount())
            return dynamic_cast<KGraphicObject*>(&frames[m_frameIndex]);
    }
    return nullptr;
}

void KMultiImageControl::draw()
{
    drawOnControl(*this, [this](KGraphicDevice& Dev, const KGraphicRectangle& Area) {
        bool empty = true;
        for (const KBag& frames : m_frames)
            empty = empty && frames.getCount() == 0;
        if (empty) {
            drawStateOutline(Dev, Area, isEnabled(), getHilite());
        } else if (!isEnabled() || getHilite() < DisabledHilite) {
            const uint8 state = isEnabled() ? getHilite() : static_cast<uint8>(DisabledHilite);
            if (KGraphicObject* frame = frameFor(state)) {
                KGraphicObjectPtr hold(frame);
                frame->draw(Dev, Area);
            }
        }
        if (m_raisedEdge)
            Dev.drawRaisedEdge(Area);
        drawFocusInside(Dev, Area, *this);
    });
}
