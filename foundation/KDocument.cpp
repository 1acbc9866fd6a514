#include "foundation/KDocument.h"

#include "foundation/ApplicationLink.h"
#include "foundation/DiskWin32.h"
#include "foundation/DocumentFilesWin32.h"
#include "foundation/KClassReader.h"
#include "foundation/KFile.h"
#include "foundation/KernelFunctions.h"

namespace {
// The wait cursor for the length of a save or a load, when the application shows cursors.
class WaitCursor {
public:
    WaitCursor()
        : m_link(ApplicationLink::get())
        , m_shown(m_link && m_link->beginWaitCursor())
    {
    }
    ~WaitCursor()
    {
        if (m_shown)
            m_link->endWaitCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    ApplicationLink* m_link;
    bool m_shown;
};
} // namespace

void KDocument::setFileReference(KFileReference& R)
{
    m_fileReference.setObject(R);
}

void KDocument::resetFileReference()
{
    m_fileReference.reset();
}

KFileReference& KDocument::getFileReference() const
{
    return m_fileReference.getObject();
}

bool KDocument::writeTo(const KPath& Path)
{
    KFile file(Path);
    file.clearError();
    file.create();
    if (file.getError() != 0)
        return false;
    file.open();
    file.writeLong(m_type);
    file.writeLong(m_creator);
    writeToFile(file, 1);
    file.close();
    return file.getError() == 0;
}

bool KDocument::save()
{
    WaitCursor waiting;
    const KFileReference& target = getFileReference();
    if (kIsNullReference(&target))
        return false;

    // The new contents go to a file of their own in the same folder, so that the final
    // replacement is a rename on the same volume.
    KPath folder(target.getPath());
    folder.clearName();
    folder.clearExtension();
    KString folderText;
    folder.getPathText(folderText, kPlatformWindows, KPath::AsStored);
    if (folderText.isEmpty())
        folderText = ".";
    KString temporaryText;
    if (!makeTemporaryFileWin32(folderText.getText(), temporaryText))
        return false;

    KPath temporary;
    temporary.setPathText(temporaryText, kPlatformWindows);
    if (writeTo(temporary) && replaceFileWin32(temporaryText.getText(), target.getNativePath().getText()))
        return true;
    deleteFileWin32(temporaryText.getText());
    return false;
}

bool KDocument::load()
{
    WaitCursor waiting;
    const KFileReference& source = getFileReference();
    if (kIsNullReference(&source))
        return false;

    // Read whole at once: a load makes hundreds of thousands of small reads and position
    // moves, each of which would otherwise be a call into the system.
    KFile file(source);
    file.setMode(KFile::ReadAll);
    file.clearError();
    file.open();
    KClassReader::resetLoadCounters();
    KClassReader::setUnknownClassMode(KClassReader::DropElement);
    m_converted = false;

    long type = 0;
    file.readLong(type);
    if (type != m_type) {
        file.close();
        return false;
    }
    file.readLong(m_creator);
    readFromFile(file);
    file.close();

    m_converted = KClassReader::getMismatchedBlockCount() > 0 || KClassReader::getUnreadSectionCount() > 0;
    return file.getError() == 0;
}
