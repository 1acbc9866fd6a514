#include "story/oldformat/ZLumoSpeech.h"

#include "story/LumoSpeech.h"
#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZLumoSpeech)

ZLumoSpeech::ZLumoSpeech() { setKind(TapeObject::SpeechKind); }

void ZLumoSpeech::readFromFile(ZFile& F)
{
    long version = 0;
    if (!readOwnRecord(s_class, F, version))
        return;
    F.readString(m_text);
    F.readString(m_voice);
    m_voice = currentVoiceName(m_voice);
    F.readByte(m_option);
}

void ZLumoSpeech::writeToFile(ZFile& F)
{
    writeOwnRecord(F);
    F.writeString(m_text);
    F.writeString(m_voice);
    F.writeByte(static_cast<char>(m_option));
}

TapeObjectPtr ZLumoSpeech::convertToKTapeObject() const
{
    LumoSpeechPtr speech(new LumoSpeech);
    speech->setText(KString(m_text.getText()));
    speech->setVoice(KString(m_voice.getText()));
    speech->setWaitUntilDone(m_option);
    speech->setVolume(1.0);
    return TapeObjectPtr(speech.get());
}
