#include "speechextras/KSoundHiliteFile.h"

#include "foundation/KFile.h"
#include "foundation/ReplacingFileWrite.h"
#include "multimedia/KSoundHiliteMedia.h"

namespace {
constexpr long kMediaBlockStart = 4;

// The header of the media block and its first section's ID, without taking anything
// from them: a block of another class or with another first section would leave the
// media untouched without a word, and must be refused instead.
bool holdsMediaBlock(KFile& F)
{
    long classID = 0;
    long version = 0;
    long blockSize = 0;
    long sectionCount = 0;
    long sectionID = 0;
    F.readLong(classID);
    F.readLong(version);
    F.readLong(blockSize);
    F.readLong(sectionCount);
    F.readLong(sectionID);
    F.setPosition(kMediaBlockStart);
    return F.getError() == 0 && classID == KSoundHiliteMedia::getClassRecord()->getClassID() && sectionCount >= 1
        && sectionID == 1;
}
} // namespace

bool KSoundHiliteFile::save(const KFileReference& File, long SoundLength, KSoundHiliteMedia& Media)
{
    return kksWriteReplacing(File, [&](KFile& F) {
        F.writeLong(SoundLength);
        Media.writeToFile(F, 1);
    });
}

bool KSoundHiliteFile::load(const KFileReference& File, long& SoundLength, KSoundHiliteMedia& Media)
{
    if (!KSoundHiliteMedia::getClassRecord() || File.getPath().isEmpty())
        return false;
    KFile file(File);
    file.open();
    if (!file.isOpen())
        return false;
    long length = -1;
    file.readLong(length);
    bool valid = file.getError() == 0 && length >= 0 && holdsMediaBlock(file);
    // Read into a media of its own, so that a file damaged half-way changes nothing.
    KSoundHiliteMediaPtr read = valid ? new KSoundHiliteMedia : nullptr;
    if (read.hasObject(nullptr)) {
        read->readFromFile(file);
        valid = file.getError() == 0;
    }
    file.close();
    if (!valid || !read.hasObject(nullptr))
        return false;
    SoundLength = length;
    Media.copyFrom(*read);
    return true;
}
