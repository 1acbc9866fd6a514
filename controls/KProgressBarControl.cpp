#include "controls/KProgressBarControl.h"

#include "controls/RangeControlsWin32.h"

namespace {
constexpr short kWidth = 100;
constexpr short kHeight = 20;
constexpr long kNativeRange = 1000;
constexpr float kTenthsPerPercent = 10.0f;

// The native position, cut towards zero.
long nativePosition(float Percent) { return static_cast<long>(Percent * kTenthsPerPercent); }
} // namespace

K_DEFINE_CLASS(KProgressBarControl, KControl, 1)

KProgressBarControl::KProgressBarControl()
{
    setDesktopSize(KGraphicSize(kWidth, kHeight));
    clearStateFlags(AcceptsFocusFlag);
}

KProgressBarControl::~KProgressBarControl() = default;

void KProgressBarControl::setHilite(uint8 H) { KControl::setHilite(H); }

void KProgressBarControl::createNativeControl()
{
    const unsigned long orientation = getWidth() < getHeight() ? kProgressBarVerticalStyle : 0;
    if (!makeNativeWindow("msctls_progress32", "Progress Bar Control", orientation))
        return;
    setProgressRangeWin32(getNativeWindow(), 0, kNativeRange);
    // A value set before the window existed shows from the start.
    setProgressPositionWin32(getNativeWindow(), nativePosition(m_value));
}

void KProgressBarControl::destroyNativeControl() { KControl::destroyNativeControl(); }

void KProgressBarControl::draw() {}

void KProgressBarControl::setValue(float Percent)
{
    m_value = Percent;
    if (void* window = getNativeWindow())
        setProgressPositionWin32(window, nativePosition(Percent));
}
