#include "controls/KSliderControl.h"

#include "application/KControlActionEvent.h"
#include "application/KNativeEvent.h"
#include "controls/ImmediateActions.h"
#include "controls/RangeControlsWin32.h"

namespace {
constexpr short kWidth = 16;
constexpr short kHeight = 30;
} // namespace

K_DEFINE_CLASS(KSliderControl, KControl, 1)

KSliderControl::KSliderControl()
{
    setVariantSize(1, KGraphicSize(kWidth, kHeight));
    setVariantSize(2, KGraphicSize(kWidth, kHeight));
}

KSliderControl::~KSliderControl() = default;

void KSliderControl::setHilite(uint8 H) { KControl::setHilite(H); }

void KSliderControl::createNativeControl()
{
    const unsigned long orientation = getWidth() <= getHeight() ? kSliderVerticalStyle : 0;
    if (makeNativeWindow("msctls_trackbar32", "", kSliderStyle | orientation))
        setUpSliderWin32(getNativeWindow(), m_minimum, m_maximum, m_pageSize, m_value);
}

void KSliderControl::destroyNativeControl() { KControl::destroyNativeControl(); }

bool KSliderControl::handleNativeEvent(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    long code = 0;
    if (!message || !getScrollCodeWin32(*message, code))
        return KControl::handleNativeEvent(Event);
    const long type = code == kScrollThumbTrack ? KControlActionEvent::Drag : KControlActionEvent::Done;
    if (getActionMask().isSet(static_cast<uint32>(type)))
        sendControlActionNow(*this, type);
    return true;
}

KEventReturn KSliderControl::mouseDownEvent(KMouseEvent& E)
{
    sendControlActionNow(*this, KControlActionEvent::Down);
    return KControl::mouseDownEvent(E);
}

KEventReturn KSliderControl::mouseMoveEvent(KMouseEvent& E) { return KControl::mouseMoveEvent(E); }
KEventReturn KSliderControl::mouseUpEvent(KMouseEvent& E) { return KControl::mouseUpEvent(E); }

void KSliderControl::setMinimum(long Minimum)
{
    m_minimum = Minimum;
    if (void* window = getNativeWindow())
        setSliderMinimumWin32(window, Minimum);
}

void KSliderControl::setMaximum(long Maximum)
{
    m_maximum = Maximum;
    if (void* window = getNativeWindow())
        setSliderMaximumWin32(window, Maximum);
}

void KSliderControl::setPageSize(long PageSize)
{
    m_pageSize = PageSize;
    if (void* window = getNativeWindow())
        setSliderPageWin32(window, PageSize);
}

void KSliderControl::setValue(long Value, bool UpdateNative)
{
    m_value = Value;
    if (!UpdateNative)
        return;
    if (void* window = getNativeWindow())
        setSliderPositionWin32(window, Value);
}

long KSliderControl::getValue()
{
    if (void* window = getNativeWindow())
        m_value = getSliderPositionWin32(window);
    return m_value;
}

void KSliderControlPtr::create() { setObject(new KSliderControl); }
