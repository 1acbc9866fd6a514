#include "story/WaitObject.h"

#include "application/KCursorManager.h"
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "multimedia/KAbstractMedia.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/KSound.h"
#include "multimedia/KSpeech.h"
#include "story/StoryStage.h"
#include "story/Tape.h"

K_DEFINE_CLASS(WaitObject, TapeObject, 1)

namespace {
// Media are told apart by their class records, so that every kind of sound or speech the
// media layer registers counts, whatever engine plays it.
bool isOfClass(KThing& Medium, const KClass* Record)
{
    return Record && Medium.getClass().isEqualOrSubClass(*Record);
}

bool anyPlaying(const KBag& Media, const KClass* Record)
{
    for (long i = 0; i < Media.getCount(); ++i) {
        auto& medium = static_cast<KAbstractMedia&>(Media.getObjectAt(i));
        if (isOfClass(medium, Record) && medium.isPlaying())
            return true;
    }
    return false;
}

void stopAll(const KBag& Media, const KClass* Record)
{
    for (long i = 0; i < Media.getCount(); ++i) {
        auto& medium = static_cast<KAbstractMedia&>(Media.getObjectAt(i));
        if (isOfClass(medium, Record))
            medium.stop();
    }
}

// A copy of the media manager's list: stopping a medium may change the list itself.
KBag registeredMedia()
{
    return KMediaManager::hasMediaManager() ? KBag(KMediaManager::getMediaManager().getMedia()) : KBag();
}

KCursorManager* cursors() { return KCursorManager::exists() ? &KCursorManager::get() : nullptr; }
} // namespace

WaitObject::WaitObject() { setKind(WaitKind); }

WaitObject::~WaitObject() = default;

void WaitObject::draw(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&) {}
void WaitObject::redraw() {}

void WaitObject::waitForUser()
{
    m_state = WaitingForUser;
    if (KCursorManager* manager = cursors())
        manager->showCursor();
    if (hasOption(4)) {
        if (StoryStage* stage = StoryStage::find())
            stage->showOverlays(StoryStage::WaitOverlay);
    }
}

void WaitObject::start()
{
    KCursorManager* manager = cursors();
    m_cursorWasVisible = !manager || manager->isCursorVisible() ? 1 : 0;
    m_state = NothingToWaitFor;
    if (hasOption(1))
        m_state = WaitingForSounds;
    else if (hasOption(2))
        m_state = WaitingForSpeech;
    else if (hasOption(3))
        waitForUser();
}

void WaitObject::step()
{
    const KBag media = registeredMedia();
    if (m_state == WaitingForSounds) {
        if (anyPlaying(media, KSound::getClassRecord()))
            return;
        if (hasOption(2))
            m_state = WaitingForSpeech;
        else if (hasOption(3))
            waitForUser();
    }
    if (m_state == WaitingForSpeech) {
        if (anyPlaying(media, KSpeech::getClassRecord()))
            return;
        if (hasOption(3))
            waitForUser();
    }
    if (m_state == WaitingForUser || m_state == ButtonHeld)
        return;

    if (StoryStage* stage = StoryStage::find())
        stage->hideOverlays();
    if (hasOption(5))
        stopAll(media, KSound::getClassRecord());
    if (hasOption(6))
        stopAll(media, KSpeech::getClassRecord());
    stop();
}

void WaitObject::stop()
{
    KCursorManager* manager = cursors();
    if (manager)
        manager->popCursor();
    if (manager && !m_cursorWasVisible)
        manager->hideCursor();
    if (hasOption(3) && hasOption(4)) {
        if (StoryStage* stage = StoryStage::find())
            stage->hideOverlays();
    }
    if (hasTape())
        getTape().resetRunningObject();
}

bool WaitObject::keyDown(KKeyEvent&)
{
    if (m_state != WaitingForUser)
        return false;
    m_state = Done;
    return true;
}

uint8 WaitObject::mouseDown(KMouseEvent&)
{
    if (m_state != WaitingForUser)
        return 0;
    m_state = ButtonHeld;
    return kCaptureMouse;
}

bool WaitObject::mouseUp(KMouseEvent&)
{
    if (m_state == ButtonHeld)
        m_state = Done;
    return false;
}

void WaitObject::copyFrom(const TapeObject& Other)
{
    TapeObject::copyFrom(Other);
    if (const auto* other = dynamic_cast<const WaitObject*>(&Other)) {
        for (int i = 0; i < kOptionCount; ++i)
            m_options[i] = other->m_options[i];
    }
    m_state = NothingToWaitFor;
}

void WaitObject::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, WaitObject::getClassRecord());
    writer.newSection(1);
    TapeObject::writeToFile(F, 1);
    for (uint8 option : m_options)
        F.writeByte(option);
    writer.end();
}

void WaitObject::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, WaitObject::getClassRecord(), 1)) {
        TapeObject::readFromFile(F);
        setKind(WaitKind);
        for (uint8& option : m_options)
            F.readByte(option);
    }
    reader.end();
}
