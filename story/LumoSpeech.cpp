#include "story/LumoSpeech.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "story/StoryHost.h"
#include "story/StoryMediaSupport.h"
#include "story/Tape.h"

K_DEFINE_CLASS(LumoSpeech, TapeObject, 1)

namespace {
// The speech speed that the preferences give in hundredths of the engine's range, and
// the one that means the voice's own speed like -1 does.
constexpr double kSpeedScale = 100.0;
constexpr short kMiddleSpeechSpeed = 50;
} // namespace

LumoSpeech::LumoSpeech()
    : m_text(StoryHost::get().getLocalizedText("Hello, I'm talking to you!"))
    , m_voice(StoryHost::get().getSpeechVoice())
{
    setKind(SpeechKind);
    KExtendedSpeechPtr speech(new KExtendedSpeech);
    setSpeech(*speech);
    speech->load();
    passFieldsToSpeech();
    applySpeed();
}

LumoSpeech::~LumoSpeech()
{
    if (!hasSpeech())
        return;
    m_speech->stop();
    m_speech->unload();
}

void LumoSpeech::setSpeech(KExtendedSpeech& S) { m_speech.setObject(S); }
void LumoSpeech::resetSpeech() { m_speech.reset(); }

void LumoSpeech::setText(const KString& Text)
{
    m_text = Text;
    if (hasSpeech())
        m_speech->setText(Text);
}

void LumoSpeech::setVoice(const KString& Voice)
{
    m_voice = Voice;
    if (hasSpeech())
        m_speech->setVoice(Voice);
}

void LumoSpeech::setVolume(double Volume)
{
    m_volume = Volume;
    if (hasSpeech())
        m_speech->setVolume(Volume);
}

void LumoSpeech::passFieldsToSpeech()
{
    if (!hasSpeech())
        return;
    m_speech->setText(m_text);
    m_speech->setVoice(m_voice);
    m_speech->setVolume(m_volume);
}

void LumoSpeech::applySpeed()
{
    if (!hasSpeech())
        return;
    const StoryHost& host = StoryHost::get();
    const short speed = host.getSpeechSpeed();
    if (host.getCustomSpeechSpeed() && speed != StoryHost::kOwnSpeechSpeed &&
        speed != kMiddleSpeechSpeed)
        m_speech->setSpeed(speed / kSpeedScale);
    else
        m_speech->setSpeed(m_speech->getSpeed());
}

void LumoSpeech::endOnTape()
{
    if (hasTape())
        getTape().resetRunningObject();
}

// Playing ----------------------------------------------------------------------------------

void LumoSpeech::start()
{
    applySpeed();
    if (hasSpeech() && kStoryHasSpeechEngine()) {
        const KSpeechSupport& support = KSpeechSupport::getSpeechSupport();
        m_speech->setVolume(m_volume);
        m_speech->setText(m_text);
        // A voice this machine lacks gives way to its default voice for this playing only.
        m_speech->setVoice(support.hasVoice(m_voice) ? m_voice : support.getDefaultVoice());
        m_speech->play();
    }
    if (m_waitUntilDone == 0)
        endOnTape();
}

void LumoSpeech::step()
{
    if (m_waitUntilDone == 0)
        return;
    if (hasSpeech() && kStoryHasSpeechEngine() && m_speech->isPlaying())
        return;
    endOnTape();
}

void LumoSpeech::draw(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&) {}

// Copies and blocks ------------------------------------------------------------------------

void LumoSpeech::copyFrom(const TapeObject& Other)
{
    const auto* other = dynamic_cast<const LumoSpeech*>(&Other);
    if (!other)
        return;
    m_text = other->m_text;
    m_waitUntilDone = other->m_waitUntilDone;
    m_voice = other->m_voice;
    m_volume = other->m_volume;
    passFieldsToSpeech();
}

void LumoSpeech::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, LumoSpeech::getClassRecord());
    writer.newSection(1);
    TapeObject::writeToFile(F, 1);
    m_text.writeToFile(F, 1);
    m_voice.writeToFile(F, 1);
    F.writeByte(m_waitUntilDone);
    F.writeDouble(m_volume);
    writer.end();
}

void LumoSpeech::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, LumoSpeech::getClassRecord(), 1)) {
        TapeObject::readFromFile(F);
        setKind(SpeechKind);
        m_text.readFromFile(F);
        m_voice.readFromFile(F);
        F.readByte(m_waitUntilDone);
        F.readDouble(m_volume);
        passFieldsToSpeech();
    }
    reader.end();
}
