#include "foundation/ReplacingFileWrite.h"

#include "foundation/DiskWin32.h"
#include "foundation/DocumentFilesWin32.h"
#include "foundation/KDirectory.h"
#include "foundation/KFile.h"
#include "foundation/KernelFunctions.h"

bool kksWriteReplacing(const KFileReference& Target, const std::function<void(KFile&)>& Write)
{
    const KString targetText = Target.getNativePath();
    const KString folderText = Target.getDirectory().getNativePath();
    // Beside the target, so that the replacement is a rename on the same volume.
    KString temporaryText;
    if (targetText.isEmpty() || folderText.isEmpty() || !makeTemporaryFileWin32(folderText.getText(), temporaryText))
        return false;

    KPath temporaryPath;
    temporaryPath.setPathText(temporaryText, kPlatformWindows);
    bool written = false;
    {
        KFile file(temporaryPath);
        file.setMode(KFile::Memory);
        file.open();
        if (file.getError() == 0) {
            Write(file);
            file.close();
            written = file.getError() == 0;
        }
    }
    if (written && replaceFileWin32(temporaryText.getText(), targetText.getText()))
        return true;
    deleteFileWin32(temporaryText.getText());
    return false;
}
