#include "story/Stroke.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KImage.h"
#include "multimedia/KBresenham.h"
#include "multimedia/KSpriteSystem.h"
#include "story/StoryBlocks.h"
#include "story/Tape.h"

#include <algorithm>

K_DEFINE_CLASS(Stroke, TapeGraphicObject, 1)

namespace {
// The bag of points grows by this many values at a time.
constexpr long kPointsStep = 100;
// A stroke of up to this many values (five points) waits until its sixth period.
constexpr long kShortStrokeValues = 10;
constexpr short kShortStrokePeriods = 6;
// A single dot stays for this many periods.
constexpr short kDotPeriods = 5;
// The kind icon's halo and border, in pen pixels.
constexpr short kHaloGrowth = 8;
constexpr short kBorderShrink = 4;

short truncated(double Value) { return static_cast<short>(Value); }

// Walks the line from From to To and hands every Stride-th point to Visit, up to the
// point where the line's driving length is used up; answers the last point handed out
// (From when none was). One stepper serves every walk: drawing never nests.
template <typename Visit>
KGraphicPoint walkLine(const KGraphicPoint& From, const KGraphicPoint& To, long Stride, Visit&& V)
{
    static KBresenham stepper;
    stepper.init(From.getH(), From.getV(), To.getH(), To.getV());
    const long drivingLength = std::max(std::abs(To.getH() - From.getH()), std::abs(To.getV() - From.getV()));
    long counter = 1;
    long x = From.getH();
    long y = From.getV();
    KGraphicPoint last = From;
    while (counter <= drivingLength) {
        for (long s = 0; s < Stride; ++s) {
            if (!stepper.next(x, y))
                ++counter;
        }
        last = KGraphicPoint(static_cast<short>(x), static_cast<short>(y));
        if (V(last))
            break;
    }
    return last;
}
} // namespace

Stroke::Stroke()
    : m_timer(new KTimer)
{
    setKind(StrokeKind);
    m_points.setIsDirect(true);
    m_points.setGrowSize(kPointsStep);
    m_points.setMinSize(kPointsStep);
}

Stroke::~Stroke() = default;

// Points -----------------------------------------------------------------------------------

void Stroke::setPenSize(short Size)
{
    m_penWidth = Size;
    m_penHeight = Size;
}

void Stroke::addPoint(short X, short Y)
{
    m_points.addDirectData(X);
    m_points.addDirectData(Y);
}

KGraphicPoint Stroke::getPointAt(long Index) const
{
    return KGraphicPoint(static_cast<short>(m_points.getDirectDataAt(2 * Index)),
                         static_cast<short>(m_points.getDirectDataAt(2 * Index + 1)));
}

void Stroke::setPointAt(long Index, long X, long Y)
{
    // Coordinates are 16-bit values kept widened.
    m_points.putDirectDataAt(static_cast<short>(X), 2 * Index);
    m_points.putDirectDataAt(static_cast<short>(Y), 2 * Index + 1);
}

KGraphicRectangle Stroke::penRectangleAround(const KGraphicPoint& P) const
{
    return KGraphicRectangle(truncated(P.getH() - m_penWidth / 2.0), truncated(P.getV() - m_penHeight / 2.0),
                             m_penWidth, m_penHeight);
}

// Drawing ----------------------------------------------------------------------------------

void Stroke::drawPenLine(KGraphicDevice& D, const KGraphicPoint& From, const KGraphicPoint& To, short Pen,
                         KSpriteSystem* Compositor)
{
    const short half = static_cast<short>(Pen / 2);
    auto dot = [&](const KGraphicPoint& P) {
        const KGraphicRectangle R(static_cast<short>(P.getH() - half), static_cast<short>(P.getV() - half), Pen, Pen);
        D.drawEllipse(R);
        if (Compositor)
            Compositor->invalidate(R);
        return false;
    };
    dot(From);
    walkLine(From, To, std::max<long>(Pen / 8, 1), dot);
}

void Stroke::stampOnPage(KSpriteSystem& Compositor, const KGraphicPoint& P) const
{
    const KGraphicRectangle R = penRectangleAround(P);
    Compositor.getBackground().getGraphicDevice().drawEllipse(R);
    Compositor.invalidate(R);
}

void Stroke::draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination)
{
    const long count = getPointCount();
    if (count == 0)
        return;
    float sx = 1.0f;
    float sy = 1.0f;
    if (Source.getWidth() > 0 && Source.getHeight() > 0) {
        sx = static_cast<float>(Destination.getWidth()) / static_cast<float>(Source.getWidth());
        sy = static_cast<float>(Destination.getHeight()) / static_cast<float>(Source.getHeight());
    }
    auto mapped = [&](long Index) {
        const KGraphicPoint p = getPointAt(Index);
        return KGraphicPoint(static_cast<short>(truncated(p.getH() * sx) - Source.getH() + Destination.getH()),
                             static_cast<short>(truncated(p.getV() * sy) - Source.getV() + Destination.getV()));
    };
    D.setDrawMode(0);
    D.setForeColor(m_color);
    KGraphicPoint previous = mapped(0);
    D.drawEllipse(penRectangleAround(previous));
    for (long i = 1; i < count; ++i) {
        const KGraphicPoint next = mapped(i);
        drawPenLine(D, previous, next, m_penWidth, nullptr);
        previous = next;
    }
}

void Stroke::drawOnPage()
{
    KSpriteSystem* compositor = findPageCompositor();
    if (!compositor)
        return;
    KGraphicRectangle bounds;
    getBounds(bounds);
    draw(compositor->getBackground().getGraphicDevice(), bounds, bounds);
    compositor->invalidate(bounds);
}

void Stroke::drawKindIcon(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination)
{
    const KColor kept = m_color;
    const struct {
        KColor color;
        short penChange;
    } passes[] = {{kWhite, kHaloGrowth}, {kBlack, -kBorderShrink}, {kept, -kBorderShrink}};
    for (const auto& pass : passes) {
        m_color = pass.color;
        m_penWidth = static_cast<short>(m_penWidth + pass.penChange);
        m_penHeight = static_cast<short>(m_penHeight + pass.penChange);
        draw(D, Source, Destination);
    }
}

void Stroke::drawWithColor(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination)
{
    const KColor kept = m_color;
    m_color = kBlack;
    draw(D, Source, Destination);
    m_color = kept;
}

void Stroke::redraw() {}

// Playing ----------------------------------------------------------------------------------

void Stroke::end()
{
    if (hasTape())
        getTape().resetRunningObject();
}

void Stroke::start()
{
    if (getPointCount() == 0) {
        end();
        return;
    }
    KSpriteSystem* compositor = findPageCompositor();
    m_pen = getPointAt(0);
    if (compositor) {
        compositor->getBackground().getGraphicDevice().setForeColor(m_color);
        stampOnPage(*compositor, m_pen);
    }
    m_nextIndex = 0;
    m_countdown = 0;
    m_timer->setPeriod(hasTape() ? getTape().getTickInterval() : Tape::kDefaultTickInterval);
    m_timer->setRepeating(false);
    restartTimer();
    if (getPointCount() == 1) {
        if (compositor)
            stampOnPage(*compositor, m_pen);
        m_countdown = kDotPeriods;
    }
}

void Stroke::step()
{
    if (m_timer->isRunning())
        return;
    if (m_countdown > 0) {
        if (m_countdown == 1)
            end();
        else {
            --m_countdown;
            restartTimer();
        }
        return;
    }

    const KGraphicPoint to = getPointAt(m_nextIndex / 2);
    if (KSpriteSystem* compositor = findPageCompositor())
        drawPenLine(compositor->getBackground().getGraphicDevice(), m_pen, to, m_penWidth, compositor);
    m_pen = to;
    m_nextIndex += 2;
    const long values = 2 * getPointCount();
    if (m_nextIndex < values) {
        restartTimer();
    } else if (values > kShortStrokeValues) {
        end();
    } else {
        m_countdown = static_cast<short>(kShortStrokePeriods - values / 2);
        restartTimer();
    }
}

// Geometry ---------------------------------------------------------------------------------

void Stroke::getBounds(KGraphicRectangle& Out) const
{
    const long count = getPointCount();
    if (count == 0) {
        Out.set(0, 0, 0, 0);
        return;
    }
    const long halfWidth = m_penWidth / 2;
    const long halfHeight = m_penHeight / 2;
    long left = 9999;
    long top = 9999;
    long right = -9999;
    long bottom = -9999;
    for (long i = 0; i < count; ++i) {
        const KGraphicPoint p = getPointAt(i);
        left = std::min(left, p.getH() - halfWidth);
        right = std::max(right, p.getH() + halfWidth);
        top = std::min(top, p.getV() - halfHeight);
        bottom = std::max(bottom, p.getV() + halfHeight);
    }
    Out.setBounds(static_cast<short>(left), static_cast<short>(top), static_cast<short>(right),
                  static_cast<short>(bottom));
}

bool Stroke::containsPoint(const KGraphicPoint& P) const
{
    const long count = getPointCount();
    if (count == 0)
        return false;
    KGraphicPoint from = getPointAt(0);
    if (penRectangleAround(from).contains(P))
        return true;
    const long stride = std::max<long>(static_cast<long>(std::min(m_penWidth, m_penHeight) / 8.0), 1);
    bool hit = false;
    for (long i = 1; i < count && !hit; ++i) {
        from = walkLine(from, getPointAt(i), stride, [&](const KGraphicPoint& Q) {
            hit = penRectangleAround(Q).contains(P);
            return hit;
        });
    }
    return hit;
}

void Stroke::scaleXY(double XFactor, double YFactor)
{
    const long count = getPointCount();
    if (count == 0 || (XFactor == 1.0 && YFactor == 1.0))
        return;
    KGraphicRectangle bounds;
    getBounds(bounds);
    m_penWidth = std::max<short>(truncated(m_penWidth * XFactor), 1);
    m_penHeight = std::max<short>(truncated(m_penHeight * YFactor), 1);
    const long cx = bounds.getH() + bounds.getWidth() / 2;
    const long cy = bounds.getV() + bounds.getHeight() / 2;
    for (long i = 0; i < count; ++i) {
        const KGraphicPoint p = getPointAt(i);
        setPointAt(i, static_cast<long>((p.getH() - cx) * XFactor) + cx, static_cast<long>((p.getV() - cy) * YFactor) + cy);
    }
}

void Stroke::scale(double Factor) { scaleXY(Factor, Factor); }

void Stroke::scaleFromTo(const KGraphicRectangle& From, const KGraphicRectangle& To)
{
    if (getPointCount() == 0 || From.getWidth() == 0 || From.getHeight() == 0)
        return;
    scaleXY(static_cast<double>(To.getWidth()) / From.getWidth(), static_cast<double>(To.getHeight()) / From.getHeight());
}

void Stroke::offset(short DH, short DV)
{
    if (DH == 0 && DV == 0)
        return;
    for (long i = 0; i < getPointCount(); ++i) {
        const KGraphicPoint p = getPointAt(i);
        setPointAt(i, p.getH() + DH, p.getV() + DV);
    }
}

void Stroke::flip(bool Horizontal, short Axis)
{
    for (long i = 0; i < getPointCount(); ++i) {
        const KGraphicPoint p = getPointAt(i);
        if (Horizontal)
            setPointAt(i, 2 * Axis - p.getH(), p.getV());
        else
            setPointAt(i, p.getH(), 2 * Axis - p.getV());
    }
}

// Copies and blocks ------------------------------------------------------------------------

void Stroke::copyFrom(const TapeObject& Other)
{
    TapeGraphicObject::copyFrom(Other);
    const auto* other = dynamic_cast<const Stroke*>(&Other);
    if (!other || other == this)
        return;
    m_points.clear();
    for (long i = 0; i < other->m_points.getCount(); ++i)
        m_points.addDirectData(other->m_points.getDirectDataAt(i));
    m_penWidth = other->m_penWidth;
    m_penHeight = other->m_penHeight;
    m_color = other->m_color;
}

void Stroke::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, Stroke::getClassRecord());
    writer.newSection(1);
    TapeGraphicObject::writeToFile(F, 1);
    m_points.writeToFile(F, 1);
    F.writeShort(m_penWidth);
    F.writeShort(m_penHeight);
    m_color.writeToFile(F, 1);
    writer.end();
}

void Stroke::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, Stroke::getClassRecord(), 1)) {
        TapeGraphicObject::readFromFile(F);
        setKind(StrokeKind);
        m_points.readFromFile(F);
        F.readShort(m_penWidth);
        F.readShort(m_penHeight);
        m_color.readFromFile(F);
        // Points are raw values: a bag of objects in their place is damage, and goes.
        if (!m_points.isDirect()) {
            m_points.setSize(0);
            m_points.setIsDirect(true);
            KClassReader::countMismatchedBlock();
        }
    }
    reader.end();
}
