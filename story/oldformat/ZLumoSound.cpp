#include "story/oldformat/ZLumoSound.h"

#include "story/LumoSound.h"

Z_DEFINE_CLASS(ZLumoSound)

ZLumoSound::ZLumoSound() { setKind(TapeObject::SoundKind); }

void ZLumoSound::readFromFile(ZFile& F)
{
    long version = 0;
    if (!readOwnRecord(s_class, F, version))
        return;
    m_file.readFromFile(F);
    F.readByte(m_option);
}

void ZLumoSound::writeToFile(ZFile& F)
{
    writeOwnRecord(F);
    m_file.writeToFile(F);
    F.writeByte(static_cast<char>(m_option));
}

TapeObjectPtr ZLumoSound::convertToKTapeObject() const
{
    LumoSoundPtr sound(new LumoSound);
    sound->setWaitUntilDone(m_option);
    sound->setFileReference(mediaFileReference(m_file));
    return TapeObjectPtr(sound.get());
}
