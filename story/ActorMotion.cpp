#include "story/ActorMotion.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "multimedia/KBresenham.h"
#include "story/Tape.h"

K_DEFINE_CLASS(ActorMotion, TapeObject, 1)

namespace {
// The path grows by this many longs, and never holds room for fewer.
constexpr long kPathGrowth = 100;
} // namespace

ActorMotion::ActorMotion()
    : m_timer(new KTimer)
{
    setKind(ActorMotionKind);
    m_path.setIsDirect(true);
    m_path.setGrowSize(kPathGrowth);
    m_path.setMinSize(kPathGrowth);
}

ActorMotion::~ActorMotion() { m_timer->stop(); }

void ActorMotion::addPoint(long X, long Y)
{
    m_path.addDirectData(X);
    m_path.addDirectData(Y);
}

void ActorMotion::copyFrom(const TapeObject& Other)
{
    ActorTapeObject::copyFrom(Other);
    m_countdown = 0;
    const auto* other = dynamic_cast<const ActorMotion*>(&Other);
    if (!other)
        return;
    // Point by point, so that the copy keeps the room of a path of its own.
    m_path.clear();
    m_path.addAll(other->m_path);
}

// The class block -------------------------------------------------------------------------

void ActorMotion::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, ActorMotion::getClassRecord());
    writer.newSection(1);
    TapeObject::writeToFile(F, 1);
    m_path.writeToFile(F, 1);
    m_actorName.writeToFile(F, 1);
    writer.end();
}

void ActorMotion::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, ActorMotion::getClassRecord(), 1)) {
        TapeObject::readFromFile(F);
        setKind(ActorMotionKind);
        m_path.readFromFile(F);
        m_actorName.readFromFile(F);
        // The path is raw coordinates: a bag of objects in its place is damage, and goes.
        if (!m_path.isDirect()) {
            m_path.setSize(0);
            m_path.setIsDirect(true);
            KClassReader::countMismatchedBlock();
        }
    }
    reader.end();
}

// Playing ---------------------------------------------------------------------------------

void ActorMotion::startTimer()
{
    m_timer->stop();
    m_timer->start();
}

void ActorMotion::end()
{
    m_timer->stop();
    m_actor.reset();
    finish();
}

void ActorMotion::start()
{
    m_actor.reset();
    if (getPointCount() == 0 || !findActor(m_actor)) {
        end();
        return;
    }
    m_currentX = getPointX(0);
    m_currentY = getPointY(0);
    m_nextPoint = 0;
    m_timer->setPeriod(getTape().getTickInterval());
    m_timer->setRepeating(false);
    m_countdown = 0;
    startTimer();
    if (getPointCount() == 1) {
        m_actor->setPosition(static_cast<float>(m_currentX), static_cast<float>(m_currentY));
        m_countdown = kShortPathPoints;
    }
}

void ActorMotion::step()
{
    if (m_timer->isRunning())
        return;
    if (!m_actor.hasObject(nullptr)) {
        end();
        return;
    }
    if (m_countdown > 0) {
        if (m_countdown == 1) {
            end();
        } else {
            --m_countdown;
            startTimer();
        }
        return;
    }
    walkTo(m_nextPoint++);
    if (m_nextPoint < getPointCount())
        startTimer();
    else if (getPointCount() <= kShortPathPoints) {
        m_countdown = static_cast<short>(kShortPathPoints + 1 - getPointCount());
        startTimer();
    } else {
        end();
    }
}

void ActorMotion::walkTo(long Point)
{
    KBresenham line;
    line.init(m_currentX, m_currentY, getPointX(Point), getPointY(Point));
    long x = 0;
    long y = 0;
    bool last = false;
    while (!last) {
        last = line.next(x, y);
        m_actor->setPosition(static_cast<float>(x), static_cast<float>(y));
    }
    m_currentX = x;
    m_currentY = y;
}

void ActorMotion::drawOnPage()
{
    ActorPtr actor;
    if (getPointCount() == 0 || !findActor(actor))
        return;
    const long last = getPointCount() - 1;
    actor->setPosition(static_cast<float>(getPointX(last)), static_cast<float>(getPointY(last)));
}

void ActorMotion::draw(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&) {}
void ActorMotion::drawWithColor(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&) {}
void ActorMotion::redraw() {}
void ActorMotion::scaleFromTo(const KGraphicRectangle&, const KGraphicRectangle&) {}
void ActorMotion::scale(double) {}
void ActorMotion::scaleXY(double, double) {}
void ActorMotion::offset(short, short) {}
