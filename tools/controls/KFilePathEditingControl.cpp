#include "tools/controls/KFilePathEditingControl.h"

#include "application/KDialogHandler.h"
#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KFilePathEditingControl, KControl, 1)

KFilePathEditingControl::KFilePathEditingControl()
    : KPathEditingControl("File:")
{
}

KFilePathEditingControl::~KFilePathEditingControl() = default;

void KFilePathEditingControl::setFile(const KFileReference& File)
{
    KString text;
    File.getPath().getPathText(text, knsGetPlatform(), KPath::AsStored);
    showPath(text);
}

KFileReference KFilePathEditingControl::getFile()
{
    KPath path;
    path.setPathText(getTypedText(), knsGetPlatform());
    return KFileReference(path);
}

bool KFilePathEditingControl::browse()
{
    if (!KDialogHandler::exists())
        return false;
    KDialogHandler& handler = KDialogHandler::getDialogHandler();
    KFileReference file(getFile());
    const KString title("Select File");
    const bool chosen = m_fileTypes.getCount() == 0 ? handler.getOpenFileForExtension(file, title)
                                                    : handler.getOpenFile(file, m_fileTypes, title);
    if (chosen)
        setFile(file);
    return chosen;
}
