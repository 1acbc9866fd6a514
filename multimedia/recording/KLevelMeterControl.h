#pragma once
// An input level from 0 to 100 drawn as a bar of segments, one every 10 pixels along the
// control's longer side: the segments below the level dark, the others light, and the
// highest level of the last moments marked, in red in the top two segments. The mark
// holds for 800 ms after it was last raised. The meter only shows: it reports nothing and
// takes no focus.
#include "controls/KControl.h"
#include "graphics/KColor.h"

#include <vector>

class KLevelMeterControl : public KControl {
    K_DECLARE_CLASS(KLevelMeterControl)
public:
    // One segment as drawn, in the drawing's order.
    struct Segment {
        KGraphicRectangle bounds;
        KStandardColor color;
    };

    KLevelMeterControl();
    ~KLevelMeterControl() override;

    void draw() override;

    // Clamped to 0..100; raises the peak mark or lets an old one go, then draws at once.
    void setLevel(float Level);
    float getLevel() const { return m_level; }
    float getPeak() const { return m_peak; }

    // The segments of a bar drawn in Area: each segment once in its level colour, then
    // the peak mark's segment again in the mark's colour. None when Area is shorter than
    // one segment.
    std::vector<Segment> layOut(const KGraphicRectangle& Area) const;

private:
    float m_level = 0.0f;
    float m_peak = 0.0f;
    long m_peakHoldTime = 800;
    uint32 m_peakTime = 0;
};

K_POINTER_CLASS(KLevelMeterControl, KControlPtr);
