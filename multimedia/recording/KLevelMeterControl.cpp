#include "multimedia/recording/KLevelMeterControl.h"

#include "foundation/KernelFunctions.h"

#include <algorithm>

namespace {
constexpr uint32 kVisibleAndEnabled = 0x180;
constexpr short kSegmentStep = 10;
constexpr short kSegmentThickness = 6;
constexpr short kSegmentBreadth = 12;
// The last two segments show a peak in red.
constexpr long kRedSegments = 2;
} // namespace

K_DEFINE_CLASS(KLevelMeterControl, KControl, 1)

KLevelMeterControl::KLevelMeterControl()
    : m_peakTime(knsGetTicks())
{
    getActionMask().clearAll();
    clearStateFlags(0xFFFFFFFF);
    setStateFlags(kVisibleAndEnabled);
}

KLevelMeterControl::~KLevelMeterControl() = default;

void KLevelMeterControl::setLevel(float Level)
{
    m_level = std::clamp(Level, 0.0f, 100.0f);
    const uint32 now = knsGetTicks();
    if (m_level > m_peak) {
        m_peak = m_level;
        m_peakTime = now;
    }
    if (static_cast<long>(now - m_peakTime) > m_peakHoldTime) {
        m_peak = 0.0f;
        m_peakTime = now;
    }
    draw();
}

std::vector<KLevelMeterControl::Segment> KLevelMeterControl::layOut(const KGraphicRectangle& Area) const
{
    const bool horizontal = Area.getWidth() > Area.getHeight();
    const long count = (horizontal ? Area.getWidth() : Area.getHeight()) / kSegmentStep;
    std::vector<Segment> segments;
    if (count <= 0)
        return segments;
    const float unit = 100.0f / static_cast<float>(count);
    auto segmentAt = [&](long I) {
        const auto step = static_cast<short>(kSegmentStep * I);
        if (horizontal)
            return KGraphicRectangle(static_cast<short>(Area.getH() + step),
                                     static_cast<short>(Area.getV() + Area.getHeight() / 2 - kSegmentThickness),
                                     kSegmentThickness, kSegmentBreadth);
        // Upwards from the bottom edge.
        return KGraphicRectangle(static_cast<short>(Area.getH() + Area.getWidth() / 2 - kSegmentThickness),
                                 static_cast<short>(Area.getV() + Area.getHeight() - step - kSegmentThickness),
                                 kSegmentBreadth, kSegmentThickness);
    };
    for (long i = 0; i < count; ++i)
        segments.push_back({segmentAt(i), static_cast<float>(i) * unit < m_level ? kDarkGray : kLightGray});
    if (m_peak > 0.0f) {
        // A full-scale peak marks the last segment.
        const long mark = std::min(static_cast<long>(m_peak / unit), count - 1);
        segments.push_back({segmentAt(mark), mark < count - kRedSegments ? kDarkGray : kRed});
    }
    return segments;
}

void KLevelMeterControl::draw()
{
    // Nothing unless the meter shows in a window.
    KGraphicDevicePtr device;
    KGraphicRectangle area;
    if (!acquireGraphicDevice(device, area))
        return;
    device->saveState();
    for (const Segment& segment : layOut(area))
        device->paintRect(segment.bounds, KColor(segment.color));
    device->restoreState();
    releaseGraphicDevice(device);
}
