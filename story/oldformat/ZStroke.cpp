#include "story/oldformat/ZStroke.h"

#include "story/Stroke.h"
#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZStroke)

namespace {
constexpr long kPointsGrowth = 100;
}

ZStroke::ZStroke()
{
    setKind(TapeObject::StrokeKind);
    m_points.setIsDirect(true);
    m_points.setSwapBytes(true);
    m_points.setGrowSize(kPointsGrowth);
    m_points.setMinSize(kPointsGrowth);
}

void ZStroke::addPoint(short X, short Y)
{
    m_points.addDirectData(X);
    m_points.addDirectData(Y);
}

void ZStroke::setPenSize(short Width, short Height)
{
    m_penWidth = Width;
    m_penHeight = Height;
}

void ZStroke::readFromFile(ZFile& F)
{
    long version = 0;
    if (!readOwnRecord(s_class, F, version))
        return;
    m_points.readFromFile(F);
    if (!F.hasFailed() && !m_points.isDirect()) {
        F.markDamaged("ZStroke::readFromFile", "Array Is Not Direct");
        return;
    }
    F.readShort(m_penWidth);
    F.readShort(m_penHeight);
    m_color.readFromFile(F);
}

void ZStroke::writeToFile(ZFile& F)
{
    writeOwnRecord(F);
    m_points.writeToFile(F);
    F.writeShort(m_penWidth);
    F.writeShort(m_penHeight);
    m_color.writeToFile(F);
}

TapeObjectPtr ZStroke::convertToKTapeObject() const
{
    StrokePtr stroke(new Stroke);
    stroke->setPenSize(m_penWidth);
    stroke->setColor(convertedColor(m_color));
    for (long i = 0; i < m_points.getCount() / 2; ++i)
        stroke->addPoint(static_cast<short>(m_points.getDirectDataAt(2 * i)), static_cast<short>(m_points.getDirectDataAt(2 * i + 1)));
    return TapeObjectPtr(stroke.get());
}
