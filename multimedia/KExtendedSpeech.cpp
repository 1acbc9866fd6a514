#include "multimedia/KExtendedSpeech.h"

#include "foundation/ErrorTable.h"
#include "multimedia/KSpeechExceptionHandler.h"

K_DEFINE_CLASS(KExtendedSpeech, KSpeech, 1)

KExtendedSpeech::KExtendedSpeech()
    : KSpeech(DerivedConstruction())
{
    if (!isOnHeap())
        kksReportError(3, "KExtendedSpeech::KExtendedSpeech()");
    m_inner = new KSpeech;
    if (m_inner.hasObject(nullptr))
        m_inner->setMediaFlags(FeedbackFlag);
    m_positionTable.setIsDirect(true);
    m_positionTable.setMinSize(kPositionTableMinSize);
}

bool KExtendedSpeech::handleEvent(KEvent& E)
{
    auto* feedback = dynamic_cast<KMediaFeedbackEvent*>(&E);
    if (!feedback || (E.hasSource() && &E.getSource() == this))
        return false;
    const long last = m_positionTable.getCount() - 1;
    long start = 0;
    long length = 0;
    if (last < 0 || !feedback->findLong(KMediaFeedbackEvent::kWordStart, start) ||
        !feedback->findLong(KMediaFeedbackEvent::kWordLength, length))
        return false;
    // A word that covers no character of the spoken text names nothing in the written one.
    if (length < 1 || start > last)
        return false;
    long end = start + length - 1;
    if (start < 0)
        start = 0;
    if (end > last)
        end = last;
    if (end < start)
        return false;
    const long writtenStart = m_positionTable.getDirectDataAt(start);
    const long writtenLength = m_positionTable.getDirectDataAt(end) - writtenStart + 1;
    if (writtenLength <= 0)
        return true;
    KMediaFeedbackEventPtr translated = makeFeedbackEvent();
    if (!translated.hasObject(nullptr))
        return true;
    translated->setLong(KMediaFeedbackEvent::kWordStart, writtenStart);
    translated->setLong(KMediaFeedbackEvent::kWordLength, writtenLength);
    KEvent::send(*translated);
    return true;
}

void KExtendedSpeech::setVolume(double Volume)
{
    m_inner->setVolume(Volume);
    KAbstractMedia::setVolume(Volume);
}

void KExtendedSpeech::setSpeed(double Speed)
{
    m_inner->setSpeed(Speed);
    KAbstractMedia::setSpeed(Speed);
}

double KExtendedSpeech::getSpeed() { return m_inner->getSpeed(); }

void KExtendedSpeech::close() { m_writtenText.clear(); }

void KExtendedSpeech::load()
{
    if (getState() != Unloaded)
        return;
    m_inner->load();
    KAbstractMedia::load();
}

void KExtendedSpeech::unload()
{
    if (getState() != Loaded)
        return;
    KThingPtr hold(isOnHeap() ? this : nullptr);
    stopHearingInnerSpeech();
    m_inner->unload();
    KAbstractMedia::unload();
}

void KExtendedSpeech::stopHearingInnerSpeech()
{
    // The inner speech counts its receivers, and this speech holds the inner one: left
    // in place, the two would keep each other alive for ever.
    m_inner->getReceivers().remove(*this);
}

void KExtendedSpeech::play()
{
    load();
    if (getState() == Loaded) {
        KBag& receivers = m_inner->getReceivers();
        receivers.clear();
        receivers.add(*this);
    }
    m_inner->play();
    KAbstractMedia::play();
}

void KExtendedSpeech::restart()
{
    m_inner->restart();
    KAbstractMedia::restart();
}

void KExtendedSpeech::stop()
{
    if (getState() != Playing)
        return;
    m_inner->stop();
    stopHearingInnerSpeech();
    KAbstractMedia::stop();
}

void KExtendedSpeech::pause()
{
    if (getState() != Playing)
        return;
    m_inner->pause();
    KAbstractMedia::pause();
}

void KExtendedSpeech::resume()
{
    if (getState() != Paused)
        return;
    m_inner->resume();
    KAbstractMedia::resume();
}

bool KExtendedSpeech::isDonePlaying() { return m_inner->isDonePlaying(); }
void KExtendedSpeech::service() { m_inner->service(); }

void KExtendedSpeech::setText(const KString& Text)
{
    m_writtenText = Text;
    if (KSpeechExceptionHandler::hasInstance()) {
        KSpeechExceptionHandler::getInstance().apply(*this);
    } else {
        // Without the exceptions the text is spoken as written, with no word mapping.
        m_spokenText = Text;
        m_positionTable.clear();
    }
    m_inner->setText(m_spokenText);
}

void KExtendedSpeech::setVoice(const KString& Voice) { m_inner->setVoice(Voice); }
