#include "story/LumoSound.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "story/Tape.h"
#include "story/TapeMediaFile.h"

K_DEFINE_CLASS(LumoSound, TapeObject, 1)

LumoSound::LumoSound() { setKind(SoundKind); }

LumoSound::~LumoSound() { stop(); }

void LumoSound::setFileReference(const KFileReference& File) { m_file = File; }
void LumoSound::resetFileReference() { m_file = KFileReference(); }
void LumoSound::setSound(KSound& S) { m_sound.setObject(S); }
void LumoSound::resetSound() { m_sound.reset(); }

void LumoSound::endOnTape()
{
    if (hasTape())
        getTape().resetRunningObject();
}

// Playing ----------------------------------------------------------------------------------

void LumoSound::start()
{
    if (!m_file.exists()) {
        endOnTape();
        return;
    }
    if (hasSound()) {
        // Left from a playing that did not wait: it plays again from the beginning.
        m_sound->setParameter(0.0);
    } else {
        KSoundPtr sound(new KSound);
        setSound(*sound);
        sound->createFromFile(m_file);
        sound->load();
    }
    m_sound->setVolume(m_volume);
    m_sound->play();
    if (m_waitUntilDone == 0)
        endOnTape();
}

void LumoSound::step()
{
    if (m_waitUntilDone == 0)
        return;
    if (hasSound() && m_sound->isPlaying())
        return;
    if (hasSound())
        stop();
    endOnTape();
}

void LumoSound::stop()
{
    if (!hasSound())
        return;
    // The sound may be the last thing holding itself while it stops.
    KSoundPtr sound = m_sound;
    sound->stop();
    sound->unload();
    resetSound();
}

void LumoSound::draw(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&) {}

// Media ------------------------------------------------------------------------------------

bool LumoSound::findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder)
{
    return TapeMediaFile::findMissing(m_file, MediaFolder, FurtherFolder);
}

void LumoSound::copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder)
{
    TapeMediaFile::copyTo(m_file, SourceFolder, TargetFolder);
}

bool LumoSound::replaceMediaFile(const KFileReference& Old, const KFileReference& New)
{
    return TapeMediaFile::replace(m_file, Old, New);
}

void LumoSound::collectMediaNames(KStringBag& Names) { TapeMediaFile::collectName(m_file, Names); }

bool LumoSound::usesMediaName(const KString& Name) { return TapeMediaFile::usesName(m_file, Name); }

// Copies and blocks ------------------------------------------------------------------------

void LumoSound::copyFrom(const TapeObject& Other)
{
    const auto* other = dynamic_cast<const LumoSound*>(&Other);
    if (!other)
        return;
    m_waitUntilDone = other->m_waitUntilDone;
    setFileReference(KFileReference(other->m_file));
    m_volume = other->m_volume;
    stop();
}

void LumoSound::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, LumoSound::getClassRecord());
    writer.newSection(1);
    TapeObject::writeToFile(F, 1);
    m_file.writeToFile(F, 1);
    F.writeByte(m_waitUntilDone);
    F.writeDouble(m_volume);
    writer.end();
}

void LumoSound::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, LumoSound::getClassRecord(), 1)) {
        TapeObject::readFromFile(F);
        setKind(SoundKind);
        KFileReference file;
        file.readFromFile(F);
        setFileReference(file);
        F.readByte(m_waitUntilDone);
        F.readDouble(m_volume);
    }
    reader.end();
}
