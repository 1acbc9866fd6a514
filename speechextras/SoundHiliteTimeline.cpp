#include "speechextras/SoundHiliteTimeline.h"

#include "graphics/KColor.h"
#include "multimedia/KSoundHiliteMarker.h"

#include <algorithm>

namespace {
constexpr uint16 kVeryLightGrey = 60000;
constexpr long kLinesPerDarkLine = 10;
} // namespace

short SoundHiliteTimeline::widthFor(long MarkerCount)
{
    const long long width = static_cast<long long>(std::max(0L, MarkerCount)) * kPixelsPerMarker;
    return static_cast<short>(std::clamp<long long>(width, kVisibleWidth, kMaxWidth));
}

long SoundHiliteTimeline::timeAtX(long X, long Width, long Length)
{
    if (Length <= 0 || Width <= 0)
        return -1;
    // A long sound on a wide line takes the product past 32 bits.
    return static_cast<long>(static_cast<long long>(X) * Length / Width);
}

std::vector<SoundHiliteTimeline::GridLine> SoundHiliteTimeline::gridLines(long Width, long Length)
{
    std::vector<GridLine> lines;
    if (Length <= 0 || Width <= 0)
        return lines;
    const long count = Length / kGridStep;
    for (long i = 0; i < count; ++i) {
        const GridLine line{static_cast<long>(static_cast<long long>(i) * kGridStep * Width / Length),
                            i % kLinesPerDarkLine == 0};
        if (!lines.empty() && lines.back().x == line.x)
            lines.back() = line;
        else
            lines.push_back(line);
    }
    return lines;
}

void SoundHiliteTimeline::rebuild(long MarkerCount)
{
    KImagePtr image = new KImage;
    if (!image.hasObject(nullptr))
        return;
    image->create(widthFor(MarkerCount), kHeight);
    m_image = image;
}

void SoundHiliteTimeline::render(const KBag& Markers, long SoundLength)
{
    if (!hasImage())
        return;
    KGraphicDevice& device = m_image->getGraphicDevice();
    const KGraphicRectangle track = getTrack();
    const short width = track.getWidth();
    device.paintRect(track, KColor(kWhite));
    device.setForeColor(KColor(kLightGray));
    for (short y : {static_cast<short>(kHeight / 4), static_cast<short>(3 * kHeight / 4)}) {
        device.moveTo(0, y);
        device.lineTo(width, y);
    }
    for (const GridLine& line : gridLines(width, SoundLength)) {
        device.setForeColor(line.dark ? KColor(kDarkGray) : KColor(kVeryLightGrey, kVeryLightGrey, kVeryLightGrey));
        device.moveTo(static_cast<short>(line.x), 0);
        device.lineTo(static_cast<short>(line.x), kHeight);
    }
    device.setForeColor(KColor(kGray));
    device.moveTo(0, kHeight / 2);
    device.lineTo(width, kHeight / 2);
    for (long i = 0; i < Markers.getCount(); ++i)
        static_cast<const KSoundHiliteMarker&>(Markers[i]).draw(device, track, SoundLength);
}

void SoundHiliteTimeline::drawVisible(KGraphicDevice& Target, long ScrollValue, const KGraphicRectangle& Area) const
{
    if (!hasImage())
        return;
    m_image->drawPart(Target, KGraphicRectangle(static_cast<short>(ScrollValue), 0, Area.getWidth(), Area.getHeight()),
                      Area);
}
