#pragma once
// The time line of the sound-highlight editor: one off-screen image that stands for the
// whole sound, 80 pixels per marker and never narrower than the 590 pixels the editor
// shows at once, with a grid line every tenth of a second (dark every second) and the
// markers drawn over it. The editor copies the stretch that its scroll bar points at.
//
// A sound whose length is not known (0 or less) has no grid and no place on the line for
// a time: nothing here divides by it.
#include "foundation/KBag.h"
#include "foundation/KGraphicRectangle.h"
#include "graphics/KImage.h"

#include <vector>

class SoundHiliteTimeline {
public:
    static constexpr short kVisibleWidth = 590;
    static constexpr short kHeight = 100;
    static constexpr long kPixelsPerMarker = 80;
    // Sizes are 16-bit: past 409 markers the line stays this wide.
    static constexpr short kMaxWidth = 32767;
    static constexpr long kGridStep = 100;

    struct GridLine {
        long x;
        bool dark;
    };

    static short widthFor(long MarkerCount);
    // The time at X on a line Width pixels wide for a sound of Length ms, truncated; -1
    // when the length is not known.
    static long timeAtX(long X, long Width, long Length);
    // One line per whole tenth of a second, left to right; where two fall on one pixel
    // the later one stands, as it would be drawn over the first.
    static std::vector<GridLine> gridLines(long Width, long Length);

    // A new blank image for this many markers.
    void rebuild(long MarkerCount);
    // Paints the background, the grid and the markers.
    void render(const KBag& Markers, long SoundLength);
    // The visible stretch from ScrollValue on, into Area of Target.
    void drawVisible(KGraphicDevice& Target, long ScrollValue, const KGraphicRectangle& Area) const;

    bool hasImage() const { return m_image.hasObject(nullptr); }
    KImage& getImage() const { return m_image.getObject(); }
    short getWidth() const { return hasImage() ? m_image->getSize().getWidth() : 0; }
    // The whole line, in image coordinates: what the markers measure their places in.
    KGraphicRectangle getTrack() const { return KGraphicRectangle(0, 0, getWidth(), kHeight); }
    // The scroll bar's range: 0 to this.
    long getScrollRange() const { return getWidth() > kVisibleWidth ? getWidth() - kVisibleWidth : 0; }

private:
    KImagePtr m_image;
};
