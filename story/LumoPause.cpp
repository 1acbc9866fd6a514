#include "story/LumoPause.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "story/Tape.h"

K_DEFINE_CLASS(LumoPause, TapeObject, 1)

LumoPause::LumoPause()
    : m_timer(new KTimer)
{
    setKind(PauseKind);
}

LumoPause::~LumoPause() = default;

void LumoPause::draw(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&) {}
void LumoPause::redraw() {}

void LumoPause::start()
{
    // A timer left running by a story stopped and started again would end this pause early.
    m_timer->stop();
    m_timer->setPeriod(m_duration);
    m_timer->setRepeating(false);
    m_timer->start();
}

void LumoPause::step()
{
    if (!m_timer->isRunning() && hasTape())
        getTape().resetRunningObject();
}

void LumoPause::copyFrom(const TapeObject& Other)
{
    if (const auto* other = dynamic_cast<const LumoPause*>(&Other))
        m_duration = other->m_duration;
}

void LumoPause::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, LumoPause::getClassRecord());
    writer.newSection(1);
    TapeObject::writeToFile(F, 1);
    F.writeLong(m_duration);
    writer.end();
}

void LumoPause::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, LumoPause::getClassRecord(), 1)) {
        TapeObject::readFromFile(F);
        setKind(PauseKind);
        F.readLong(m_duration);
    }
    reader.end();
}
