#include "multimedia/KSpeechExceptionsFile.h"

#include "foundation/KBag.h"
#include "foundation/KFile.h"
#include "foundation/KFileSystem.h"
#include "foundation/KTree.h"
#include "foundation/ReplacingFileWrite.h"
#include "multimedia/KSpeechException.h"

namespace {
const char* const kName = "KSpeechExceptions";
const char* const kExtension = "DAT";

// Whether the next bytes begin a KSpeechException block. After a block of another class
// the reader cannot tell where the next entry starts, so reading stops there.
bool startsExceptionBlock(KFile& F)
{
    const long position = F.getPosition();
    long id = 0;
    F.readLong(id);
    F.setPosition(position);
    const KClass* record = KSpeechException::getClassRecord();
    return F.getError() == 0 && record && id == record->getClassID();
}

KSpeechException* exceptionAt(const KBag& Exceptions, long Index)
{
    return Exceptions.hasObjectAt(Index) ? dynamic_cast<KSpeechException*>(&Exceptions.getObjectAt(Index)) : nullptr;
}
} // namespace

KDirectory& KSpeechExceptionsFile::dataFolderSeam()
{
    static KDirectory folder;
    return folder;
}

void KSpeechExceptionsFile::setDataFolder(const KDirectory& Folder) { dataFolderSeam() = Folder; }

KFileReference KSpeechExceptionsFile::getFileReference()
{
    KPath path;
    if (!dataFolderSeam().getPath().isEmpty()) {
        path = dataFolderSeam().getPath();
    } else {
        KFileSystem& system = KFileSystem::getFileSystem();
        if (kIsNullReference(&system))
            return KFileReference();
        path = system.commonApplicationDataDirectory.getPath();
    }
    path.addDirectory(KString(kName));
    path.setName(KString(kName));
    path.setExtension(KString(kExtension));
    return KFileReference(path);
}

KSpeechExceptionsFile::ReadResult KSpeechExceptionsFile::read(KTree& Into)
{
    const KFileReference reference = getFileReference();
    if (reference.getPath().isEmpty() || !reference.exists())
        return NoFile;
    KFile file(reference);
    file.setMode(KFile::ReadAll);
    file.open();
    if (!file.isOpen())
        return NoFile;
    long magic = 0;
    file.readLong(magic);
    if (magic != kMagic || file.getError() != 0) {
        file.close();
        return Refused;
    }
    // A file that ends after its signature, or after the long that follows it, holds no
    // entries: the count it lacks is read as none.
    long unused = 0;
    long count = 0;
    file.readLong(unused);
    file.readLong(count);
    if (file.getError() != 0)
        count = 0;
    for (long i = 0; i < count && startsExceptionBlock(file); ++i) {
        KSpeechExceptionPtr exception = new KSpeechException;
        if (!exception.hasObject(nullptr))
            break;
        exception->readFromFile(file);
        if (file.getError() != 0)
            break;
        Into.insert(*exception);
    }
    file.close();
    Into.balance();
    return Read;
}

bool KSpeechExceptionsFile::write(const KBag& Exceptions)
{
    const KFileReference reference = getFileReference();
    if (reference.getPath().isEmpty())
        return false;
    KDirectory folder = reference.getDirectory();
    if (!folder.exists())
        folder.create();
    long count = 0;
    for (long i = 0; i < Exceptions.getCount(); ++i)
        count += exceptionAt(Exceptions, i) ? 1 : 0;
    return kksWriteReplacing(reference, [&](KFile& F) {
        F.writeLong(kMagic);
        F.writeLong(0);
        F.writeLong(count);
        for (long i = 0; i < Exceptions.getCount(); ++i) {
            if (KSpeechException* exception = exceptionAt(Exceptions, i))
                exception->writeToFile(F, 1);
        }
    });
}
