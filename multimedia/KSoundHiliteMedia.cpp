#include "multimedia/KSoundHiliteMedia.h"

#include "foundation/ErrorTable.h"
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "multimedia/KMediaFeedbackEvent.h"
#include "multimedia/KSoundHiliteMarker.h"

#include <algorithm>

namespace {
// The clock only has to outlast any reading.
constexpr long kClockPeriod = 3600000;
constexpr long kPollPeriod = 50;

KSoundHiliteMarker& markerAt(const KBag& Markers, long Index)
{
    return static_cast<KSoundHiliteMarker&>(Markers[Index]);
}
} // namespace

K_DEFINE_CLASS(KSoundHiliteMedia, KAbstractMedia, 1)

KSoundHiliteMedia::KSoundHiliteMedia()
{
    if (!isOnHeap())
        kksReportError(3, "KSoundHiliteMedia::KSoundHiliteMedia()");
    makeTimers();
}

KSoundHiliteMedia::KSoundHiliteMedia(const KSoundHiliteMedia& Other)
    : KSoundHiliteMedia()
{
    copyFrom(Other);
}

KSoundHiliteMedia::~KSoundHiliteMedia()
{
    dropTimers();
}

void KSoundHiliteMedia::dropTimers()
{
    // A running timer stays with the timer manager until it is stopped.
    for (KTimerPtr* timer : {&m_clockTimer, &m_pollTimer}) {
        if (timer->hasObject(nullptr))
            (*timer)->stop();
        *timer = nullptr;
    }
}

void KSoundHiliteMedia::makeTimers()
{
    if (!m_clockTimer.hasObject(nullptr)) {
        m_clockTimer = new KTimer;
        m_clockTimer->setPeriod(kClockPeriod);
        m_clockTimer->setRepeating(false);
    }
    if (!m_pollTimer.hasObject(nullptr)) {
        m_pollTimer = new KTimer;
        m_pollTimer->setPeriod(kPollPeriod);
        m_pollTimer->setRepeating(true);
    }
}

void KSoundHiliteMedia::copyFrom(const KSoundHiliteMedia& Other)
{
    if (&Other == this)
        return;
    setMarkers(Other.m_markers);
    m_text = Other.m_text;
    m_soundFile = Other.m_soundFile;
    m_highlightedWordStart = -1;
    m_highlightedWordLength = -1;
}

void KSoundHiliteMedia::setMarkers(const KBag& Markers)
{
    m_markers.clear();
    for (long i = 0; i < Markers.getCount(); ++i) {
        KSoundHiliteMarkerPtr copy = new KSoundHiliteMarker(markerAt(Markers, i));
        if (copy.hasObject(nullptr))
            m_markers.add(*copy);
    }
}

void KSoundHiliteMedia::setText(const KString& Text) { m_text = Text; }

long KSoundHiliteMedia::getElapsedTime() const
{
    return m_elapsedBeforeResume + (m_clockTimer.hasObject(nullptr) ? m_clockTimer->getElapsed() : 0);
}

void KSoundHiliteMedia::setVolume(double Volume)
{
    KAbstractMedia::setVolume(Volume);
    if (hasSound())
        m_sound->setVolume(Volume);
}

void KSoundHiliteMedia::close()
{
    m_text.clear();
    m_markers.clear();
    m_soundFile = KFileReference();
    dropTimers();
}

void KSoundHiliteMedia::load()
{
    // A new sound in place of one that plays would play on where nothing reaches it.
    if (getState() != Unloaded)
        return;
    m_sound = new KSound;
    if (!hasSound())
        return;
    m_sound->createFromFile(m_soundFile);
    m_sound->load();
    if (m_sound->getState() == Loaded)
        KAbstractMedia::load();
    m_sound->setVolume(getVolume());
}

void KSoundHiliteMedia::unload()
{
    // Unloaded under a reading, the media would stay playing with no sound left to end it.
    stop();
    if (hasSound()) {
        m_sound->unload();
        m_sound = nullptr;
    }
    KAbstractMedia::unload();
}

void KSoundHiliteMedia::play()
{
    load();
    if (getState() != Loaded || m_text.isEmpty())
        return;
    m_currentWordStart = -1;
    m_highlightedWordStart = -1;
    m_highlightedWordLength = -1;
    m_sound->play();
    // Timers dropped by close are made again for the next reading.
    makeTimers();
    m_elapsedBeforeResume = 0;
    m_clockTimer->start();
    // The poll timer holds the media only while it runs, so that a media nobody plays
    // any more can go.
    m_pollTimer->setTarget(*this);
    m_pollTimer->start();
    KAbstractMedia::play();
}

void KSoundHiliteMedia::restart()
{
    stop();
    play();
    KAbstractMedia::restart();
}

void KSoundHiliteMedia::stop()
{
    if (getState() != Playing && getState() != Paused)
        return;
    KAbstractMedia::stop();
    if (hasSound()) {
        // A sound stops only from playing.
        m_sound->resume();
        m_sound->stop();
    }
    stopTimers();
    m_elapsedBeforeResume = 0;
    m_highlightedWordStart = -1;
    m_highlightedWordLength = -1;
    sendWordFeedback();
}

void KSoundHiliteMedia::pause()
{
    if (getState() != Playing)
        return;
    if (hasSound())
        m_sound->pause();
    m_elapsedBeforeResume = getElapsedTime();
    stopTimers();
    KAbstractMedia::pause();
}

void KSoundHiliteMedia::resume()
{
    if (getState() != Paused)
        return;
    if (hasSound())
        m_sound->resume();
    makeTimers();
    m_clockTimer->start();
    m_pollTimer->setTarget(*this);
    m_pollTimer->start();
    KAbstractMedia::resume();
}

void KSoundHiliteMedia::stopTimers()
{
    if (m_clockTimer.hasObject(nullptr))
        m_clockTimer->stop();
    if (m_pollTimer.hasObject(nullptr)) {
        m_pollTimer->stop();
        m_pollTimer->resetTarget();
    }
}

bool KSoundHiliteMedia::isDonePlaying() { return !hasSound() || m_sound->isDonePlaying(); }

void KSoundHiliteMedia::service()
{
    if (!hasSound() || !m_sound->isPlaying())
        return;
    const long elapsed = getElapsedTime();
    KSoundHiliteMarker* passed = nullptr;
    for (long i = 0; i < m_markers.getCount(); ++i) {
        KSoundHiliteMarker& marker = markerAt(m_markers, i);
        if (marker.getTime() < elapsed)
            passed = &marker;
    }
    if (!passed || passed->getWordStart() == m_currentWordStart)
        return;
    m_currentWordStart = passed->getWordStart();
    m_highlightedWordStart = passed->getWordStart();
    // A marker made for a longer text, or merged over the text's last word, reaches past
    // the end of this one: the range reported stays within the text.
    const long room = std::max(0L, m_text.getLength() - passed->getWordStart());
    m_highlightedWordLength = std::clamp(passed->getWordLength(), 0L, room);
    sendWordFeedback();
}

void KSoundHiliteMedia::sendWordFeedback()
{
    KMediaFeedbackEventPtr event = makeFeedbackEvent();
    if (!event.hasObject(nullptr))
        return;
    event->setLong(KMediaFeedbackEvent::kWordStart, m_highlightedWordStart);
    event->setLong(KMediaFeedbackEvent::kWordLength, m_highlightedWordLength);
    event->setLong(KMediaFeedbackEvent::kElapsedTime, getElapsedTime());
    KEvent::send(*event);
}

void KSoundHiliteMedia::doTimer(KTimer& T)
{
    if (!m_pollTimer.hasObject(nullptr) || &T != m_pollTimer.get() || !sendsFeedback())
        return;
    KMediaFeedbackEventPtr event = makeFeedbackEvent();
    if (!event.hasObject(nullptr))
        return;
    event->setLong(KMediaFeedbackEvent::kElapsedTime, getElapsedTime());
    KEvent::send(*event);
}

void KSoundHiliteMedia::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, getClassRecord(), 1)) {
        m_markers.clear();
        m_markers.setReadableClasses({KSoundHiliteMarker::getClassRecord()});
        m_markers.readFromFile(F);
        m_soundFile.readFromFile(F);
        m_text.readFromFile(F);
        // The feedback takes every element for a marker; a damaged or foreign file must
        // not give it anything else.
        for (long i = m_markers.getCount() - 1; i >= 0; --i) {
            if (!m_markers.hasObjectAt(i)
                || !m_markers.getObjectAt(i).isEqualOrSubClass(*KSoundHiliteMarker::getClassRecord()))
                m_markers.removeAt(i);
        }
    }
    reader.end();
}

void KSoundHiliteMedia::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, getClassRecord());
    writer.newSection(1);
    m_markers.writeToFile(F, 1);
    m_soundFile.writeToFile(F, 1);
    m_text.writeToFile(F, 1);
    writer.end();
}
