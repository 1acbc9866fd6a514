// Strokes: their pace in a playing story, the line they leave on the page, their
// geometry, and damaged class blocks.
#include "story/Stroke.h"
#include "tests/story/PlaybackTestSupport.h"

namespace {

StrokePtr strokeOf(std::initializer_list<KGraphicPoint> Points, short Pen = 16)
{
    StrokePtr stroke(new Stroke);
    stroke->setPenSize(Pen);
    for (const KGraphicPoint& p : Points)
        stroke->addPoint(p.getH(), p.getV());
    return stroke;
}

KGraphicRectangle boundsOf(const TapeObject& O)
{
    KGraphicRectangle bounds;
    O.getBounds(bounds);
    return bounds;
}

using Strokes = PlaybackTest;

TEST_F(Strokes, AStrokeDrawsASegmentAPeriodAndLastsAtLeastSixPeriods)
{
    // The stroke starts at tick 1 and a period takes two ticks, so the object after it
    // starts at tick 2 + 2 × the periods the stroke lasts; one without points ends at once.
    const int nextStartsAt[] = {2, 12, 14, 14, 14, 14, 14, 16};
    for (int points = 0; points < 8; ++points) {
        StoryPage page;
        Journal journal;
        CountingTapePtr tape(new CountingTape);
        tape->setSpriteSystem(*page.layer);
        auto& stroke = static_cast<Stroke&>(tape->append(*StrokePtr(new Stroke)));
        for (int i = 0; i < points; ++i)
            stroke.addPoint(short(4 * i), 8);
        tape->append(*ProbePtr(new Probe(journal, "next")));
        tape->start(0);
        EXPECT_EQ(ticksUntil(*tape, journal, "next start"), nextStartsAt[points]) << points;
        EXPECT_FALSE(stroke.getTimer().isRunning());
        tape->resetSpriteSystem();
    }
}

TEST_F(Strokes, ThePenIsStampedAlongTheLineInTheStrokesColour)
{
    StoryPage page;
    CountingTapePtr tape(new CountingTape);
    tape->setSpriteSystem(*page.layer);
    StrokePtr stroke = strokeOf({{10, 10}, {30, 10}, {30, 20}}, 4);
    stroke->setColor(nativeColor(0xFF0000));
    tape->append(*stroke);
    tape->start(0);
    // The first dot; the first segment, from the first point to itself; then the rest.
    const PixelRows firstDot{"bbbb.."};
    runTicks(*tape, 3);
    EXPECT_EQ(pixelRows(page.page(), 8, 10, 6, 1), firstDot);
    runTicks(*tape, 2);
    EXPECT_EQ(pixelRows(page.page(), 10, 10, 21, 1), PixelRows{std::string(21, 'b')});
    EXPECT_EQ(pixelRows(page.page(), 30, 22, 1, 1), PixelRows{"."});
    runTicks(*tape, 2);
    EXPECT_EQ(pixelRows(page.page(), 30, 12, 1, 8), PixelRows(8, "b"));
    // Stopped while it waits, the stroke leaves its timer to run out.
    tape->stop();
    tape->resetSpriteSystem();
    run(2 * Tape::kDefaultTickInterval);
    // The highlight: a black border and a white halo; colour and pen come back.
    KImagePtr picture = solidImage(40, 30, 'r');
    stroke->drawKindIcon(picture->getGraphicDevice(), boundsOf(*stroke), boundsOf(*stroke));
    EXPECT_EQ(pixelRows(picture->getGraphicDevice(), 20, 3, 1, 14),
              (PixelRows{"r", "#", "#", ".", ".", "b", "b", "b", "b", ".", ".", "#", "#", "r"}));
    EXPECT_EQ(stroke->getPenWidth(), 4);
    EXPECT_EQ(stroke->getColor(), nativeColor(0xFF0000));
}

TEST_F(Strokes, GeometryFollowsThePointsAndThePen)
{
    EXPECT_EQ(boundsOf(*strokeOf({{50, 60}})), KGraphicRectangle(42, 52, 16, 16));
    EXPECT_EQ(boundsOf(*StrokePtr(new Stroke)), KGraphicRectangle());
    StrokePtr stroke = strokeOf({{30, 10}, {40, 20}});
    stroke->flip(true, 100);
    stroke->flip(false, 0);
    stroke->offset(0, 0);
    stroke->offset(-70, 30);
    EXPECT_EQ(stroke->getPointAt(0), KGraphicPoint(100, 20));
    EXPECT_EQ(stroke->getPointAt(1), KGraphicPoint(90, 10));
    // Scaling about the bounds' centre; a factor of one changes nothing, not even the pen.
    stroke = strokeOf({{0, 0}, {100, 50}}, 15);
    stroke->scaleXY(1.0, 1.0);
    EXPECT_EQ(stroke->getPenWidth(), 15);
    stroke->scaleXY(0.5, 2.0);
    EXPECT_EQ(stroke->getPointAt(0), KGraphicPoint(25, -25));
    EXPECT_EQ(stroke->getPointAt(1), KGraphicPoint(75, 75));
    EXPECT_EQ(KGraphicSize(stroke->getPenWidth(), stroke->getPenHeight()), KGraphicSize(7, 30));
    stroke->scaleFromTo(KGraphicRectangle(0, 0, 0, 10), KGraphicRectangle(0, 0, 20, 20));
    EXPECT_EQ(stroke->getPointAt(1), KGraphicPoint(75, 75));
    stroke->scaleXY(0.01, 0.01);
    EXPECT_EQ(KGraphicSize(stroke->getPenWidth(), stroke->getPenHeight()), KGraphicSize(1, 1));
    // A click hits the pen walked along the line.
    stroke = strokeOf({{0, 0}, {40, 0}}, 8);
    for (auto [point, hit] : {std::pair{KGraphicPoint(0, 3), true}, {KGraphicPoint(20, 3), true},
                              {KGraphicPoint(20, 5), false}, {KGraphicPoint(50, 0), false}})
        EXPECT_EQ(stroke->containsPoint(point), hit) << point.getH() << "," << point.getV();
}

TEST_F(Strokes, ALoneValueIsNoPointAndObjectsInPlaceOfPointsGo)
{
    // The block from its parts: the graphic object's, the points', the pen, the colour.
    const Bytes base = m_blocks.written(*TapeGraphicObjectPtr(new TapeGraphicObject));
    KColor color;
    const Bytes colorBlock = m_blocks.written(color);
    auto strokeBlock = [&](KBag& Points) {
        const Bytes payload = ByteList().append(base).append(m_blocks.written(Points)).shorts({4, 4}).append(colorBlock);
        return ByteList().append(BlockFile::header("Stroke", long(payload.size()) + 8)).append(payload).bytes();
    };
    KBagPtr values(new KBag);
    values->setIsDirect(true);
    for (long value : {7L, 8L, 9L})
        values->addDirectData(value);
    StrokePtr lone(new Stroke);
    EXPECT_EQ(m_blocks.read(*lone, strokeBlock(*values)), 0);
    EXPECT_EQ(lone->getKind(), TapeObject::StrokeKind);
    EXPECT_EQ(boundsOf(*lone), KGraphicRectangle(5, 6, 4, 4));

    KBagPtr objects(new KBag);
    objects->add(*KStringPtr(new KString("x")));
    KClassReader::resetLoadCounters();
    StrokePtr damaged(new Stroke);
    EXPECT_EQ(m_blocks.read(*damaged, strokeBlock(*objects)), 0);
    EXPECT_GT(KClassReader::getMismatchedBlockCount(), 0);
    damaged->addPoint(1, 1);
    EXPECT_EQ(damaged->getPointCount(), 1);
    // A copy takes points, pen and colour.
    StrokePtr original = strokeOf({{1, 2}, {-3, 4}}, 5);
    original->setColor(nativeColor(0x00FF00));
    StrokePtr copy(new Stroke);
    copy->copyFrom(*original);
    EXPECT_EQ(m_blocks.written(*copy), m_blocks.written(*original));
}

} // namespace
