#include "controls/KScrollBarControl.h"

#include "application/KControlActionEvent.h"
#include "application/KNativeEvent.h"
#include "application/NativeWindowWin32.h"
#include "controls/ImmediateActions.h"
#include "controls/RangeControlsWin32.h"

#include <algorithm>

namespace {
constexpr short kSize = 16;
// The native bar draws its own looks, and takes the keyboard focus.
constexpr uint32 kNativeLooks = 0x4 | 0x8 | 0x20 | 0x40 | 0x200 | 0x1000 | 0x2000;
} // namespace

K_DEFINE_CLASS(KScrollBarControl, KControl, 1)

KScrollBarControl::KScrollBarControl()
{
    for (uint8 platform = 1; platform <= 3; ++platform)
        setVariantSize(platform, KGraphicSize(kSize, kSize));
    setSize(KGraphicSize(kSize, kSize));
}

KScrollBarControl::~KScrollBarControl() = default;

void KScrollBarControl::setHilite(uint8 H) { KControl::setHilite(H); }

void KScrollBarControl::createNativeControl()
{
    const unsigned long orientation = getWidth() <= getHeight() ? kScrollBarVerticalStyle : 0;
    if (!makeNativeWindow("SCROLLBAR", "", orientation))
        return;
    setScrollBarRangeWin32(getNativeWindow(), m_minimum, m_maximum, m_pageSize, m_value);
    clearStateFlags(kNativeLooks);
    setStateFlags(AcceptsFocusFlag);
    if (!isEnabled() || coversRange())
        enableNativeWindowWin32(getNativeWindow(), false);
}

void KScrollBarControl::destroyNativeControl() { KControl::destroyNativeControl(); }

bool KScrollBarControl::handleNativeEvent(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    long code = 0;
    void* window = getNativeWindow();
    if (!message || !window || !getScrollCodeWin32(*message, code))
        return KControl::handleNativeEvent(Event);
    long position = 0, track = 0;
    getScrollBarPositionsWin32(window, position, track);
    switch (code) {
    case kScrollLineUp:
        position -= m_lineStep;
        break;
    case kScrollLineDown:
        position += m_lineStep;
        break;
    case kScrollPageUp:
        position -= m_pageSize;
        break;
    case kScrollPageDown:
        position += m_pageSize;
        break;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
        position = track;
        break;
    case kScrollTop:
        position = m_minimum;
        break;
    case kScrollBottom:
        position = m_maximum;
        break;
    default:
        break;
    }
    m_value = clamp(moveScrollBarWin32(window, position));
    sendControlActionNow(*this, code == kScrollThumbTrack ? KControlActionEvent::Drag : KControlActionEvent::Done);
    return true;
}

KEventReturn KScrollBarControl::mouseDownEvent(KMouseEvent&) { return 1; }
KEventReturn KScrollBarControl::mouseMoveEvent(KMouseEvent& E) { return KControl::mouseMoveEvent(E); }
KEventReturn KScrollBarControl::mouseUpEvent(KMouseEvent& E) { return KControl::mouseUpEvent(E); }

void KScrollBarControl::setMinimum(long Minimum)
{
    m_minimum = Minimum;
    applyRange();
}

void KScrollBarControl::setMaximum(long Maximum)
{
    m_maximum = Maximum;
    applyRange();
}

void KScrollBarControl::setPageSize(long PageSize)
{
    m_pageSize = PageSize;
    applyRange();
}

void KScrollBarControl::setValue(long Value, bool UpdateNative)
{
    m_value = clamp(Value);
    if (!UpdateNative)
        return;
    if (void* window = getNativeWindow())
        setScrollBarPositionWin32(window, m_value);
}

long KScrollBarControl::clamp(long Value) const { return std::max(m_minimum, std::min(Value, m_maximum)); }

void KScrollBarControl::applyRange()
{
    m_value = clamp(m_value);
    void* window = getNativeWindow();
    if (!window)
        return;
    // As at creation: the thumb's highest position is exactly the maximum.
    setScrollBarRangeWin32(window, m_minimum, m_maximum, m_pageSize, m_value);
    applyEnabling();
}

void KScrollBarControl::applyEnabling()
{
    if (coversRange())
        enableNativeWindowWin32(getNativeWindow(), false);
    else if (isEnabled())
        enableNativeWindowWin32(getNativeWindow(), true);
}
