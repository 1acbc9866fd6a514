#include "controls/KDragObject.h"

#include "controls/KControl.h"
#include "controls/NativeControlBindingWin32.h"
#include "graphics/KColor.h"
#include "graphics/KGraphicDevice.h"

namespace {
constexpr short kDefaultHandleSide = 8;
constexpr short kDefaultMinimumSide = 16;
constexpr uint8 kHandleOrder[] = {KDragObject::LeftMiddle, KDragObject::RightMiddle, KDragObject::TopMiddle,
                                  KDragObject::BottomMiddle, KDragObject::TopLeft, KDragObject::TopRight,
                                  KDragObject::BottomLeft, KDragObject::BottomRight};

short half(long Value) { return static_cast<short>(Value / 2); }
} // namespace

K_DEFINE_CLASS(KDragObject, KInteractiveElement, 1)

KDragObject::KDragObject()
    : m_handles(AllHandles)
    , m_handleSize(kDefaultHandleSide, kDefaultHandleSide)
    , m_minimumSize(kDefaultMinimumSide, kDefaultMinimumSide)
{
}

KDragObject::~KDragObject() { clearContent(); }

void KDragObject::setSelected(bool On)
{
    if (!isEnabled())
        return;
    if (!On) {
        clearSelected();
        return;
    }
    setStateFlags(SelectedFlag);
    invalidateInWindow();
    auto* control = dynamic_cast<KControl*>(m_content.get());
    if (!control)
        return;
    if (control->hasControls())
        control->disable();
    redrawContent(*control);
}

void KDragObject::clearSelected()
{
    // The layer clears every object when the selection changes: one that was not selected
    // leaves its content as it is, so a content disabled on purpose stays disabled.
    if (!isEnabled() || !isSelected())
        return;
    clearStateFlags(SelectedFlag);
    invalidateInWindow();
    auto* control = dynamic_cast<KControl*>(m_content.get());
    if (!control)
        return;
    if (!control->hasControls()) {
        redrawContent(*control);
        return;
    }
    control->enable(true);
    control->show(true);
}

void KDragObject::setContent(KThing& Object)
{
    if (m_content == Object)
        return;
    clearContent();
    m_content = Object;
    if (auto* control = dynamic_cast<KControl*>(&Object))
        control->setNativeParent(*this);
}

void KDragObject::clearContent()
{
    if (!hasContent())
        return;
    auto* control = dynamic_cast<KControl*>(m_content.get());
    if (control && control->hasNativeParent() && &control->getNativeParent() == this)
        control->clearNativeParent();
    m_content.reset();
}

void KDragObject::setWindow(KWindow& Window) { m_window = Window; }
void KDragObject::clearWindow() { m_window.reset(); }

void KDragObject::setBounds(const KGraphicRectangle& Bounds)
{
    const KWidePoint position(Bounds.getH(), Bounds.getV());
    const KWideSize size(Bounds.getWidth(), Bounds.getHeight());
    setPosition(position);
    setSize(size);
    if (auto* control = dynamic_cast<KControl*>(m_content.get())) {
        control->setBounds(Bounds);
    } else if (auto* element = dynamic_cast<KInteractiveElement*>(m_content.get())) {
        element->setPosition(position);
        element->setSize(size);
    }
}

void KDragObject::setMinimumSize(const KGraphicSize& Size) { m_minimumSize = Size; }

uint8 KDragObject::getHandleEdges(uint8 Handle)
{
    switch (Handle) {
    case LeftMiddle:
        return LeftEdge;
    case RightMiddle:
        return RightEdge;
    case TopMiddle:
        return TopEdge;
    case BottomMiddle:
        return BottomEdge;
    case TopLeft:
        return TopEdge | LeftEdge;
    case TopRight:
        return TopEdge | RightEdge;
    case BottomLeft:
        return BottomEdge | LeftEdge;
    case BottomRight:
        return BottomEdge | RightEdge;
    default:
        return 0;
    }
}

KGraphicRectangle KDragObject::getHandleRect(uint8 Handle, const KGraphicRectangle& Bounds)
{
    const short hw = m_handleSize.getWidth(), hh = m_handleSize.getHeight();
    const uint8 edges = getHandleEdges(Handle);
    if (edges == 0)
        return KGraphicRectangle(0, 0, hw, hh);
    const long x = Bounds.getH(), y = Bounds.getV(), w = Bounds.getWidth(), h = Bounds.getHeight();
    const long h0 = (edges & LeftEdge) ? x : (edges & RightEdge) ? x + w - hw : x + half(w) - half(hw);
    const long v0 = (edges & TopEdge) ? y : (edges & BottomEdge) ? y + h - hh : y + half(h) - half(hh);
    return KGraphicRectangle(static_cast<short>(h0), static_cast<short>(v0), hw, hh);
}

uint8 KDragObject::hitHandle(const KGraphicPoint& P)
{
    const KGraphicRectangle bounds = getBounds();
    for (uint8 handle : kHandleOrder) {
        if (getHandleRect(handle, bounds).contains(P))
            return handle;
    }
    return NoHandle;
}

void KDragObject::drawHandles(KGraphicDevice& Device, const KGraphicRectangle& Bounds)
{
    for (uint8 handle : kHandleOrder) {
        if (!(m_handles.getFlags() & handle))
            continue;
        const KGraphicRectangle square = getHandleRect(handle, Bounds);
        Device.paintRect(square, KColor(kBlack));
        Device.outlineRect(square, KColor(kWhite));
    }
}

void KDragObject::drawFrame(KGraphicDevice& Device, const KGraphicRectangle& Bounds)
{
    Device.outlineRect(Bounds, KColor(kWhite));
    KGraphicRectangle inner = Bounds;
    inner.inset(1, 1);
    Device.outlineRect(inner, KColor(kBlack));
}

void KDragObject::draw(KGraphicDevice& Device, const KGraphicRectangle& Bounds)
{
    // The device is the window's or a control's, and keeps its own colours.
    Device.saveState();
    if (isSelected()) {
        drawFrame(Device, Bounds);
        drawHandles(Device, Bounds);
    } else {
        Device.outlineRect(Bounds, KColor(kBlack));
    }
    Device.restoreState();
}

KGraphicRectangle KDragObject::getBounds() const
{
    const KWidePoint& position = getPosition();
    const KWideSize& size = getSize();
    return KGraphicRectangle(static_cast<short>(position.getX()), static_cast<short>(position.getY()),
                             static_cast<short>(size.getWidth()), static_cast<short>(size.getHeight()));
}

void KDragObject::redrawContent(KControl& Control)
{
    // The control's paint draws this object's look over its native windows.
    invalidateNativeControlWin32(Control);
    invalidateNativeControlTreeWin32(Control);
}

void KDragObject::invalidateInWindow()
{
    if (hasWindow())
        getWindow().invalidateRect(getBounds());
}
