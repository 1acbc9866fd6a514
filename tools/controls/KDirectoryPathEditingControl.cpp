#include "tools/controls/KDirectoryPathEditingControl.h"

#include "application/KDialogHandler.h"
#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KDirectoryPathEditingControl, KControl, 1)

KDirectoryPathEditingControl::KDirectoryPathEditingControl()
    : KPathEditingControl("Directory:")
{
}

KDirectoryPathEditingControl::~KDirectoryPathEditingControl() = default;

void KDirectoryPathEditingControl::setDirectory(const KDirectory& Directory)
{
    KString text;
    Directory.getPath().getPathText(text, knsGetPlatform(), KPath::AsStored);
    showPath(text);
}

KDirectory KDirectoryPathEditingControl::getDirectory()
{
    KString text = getTypedText();
    const KString separator = knsGetPathSeparator(knsGetPlatform());
    if (!text.isEmpty() && text.getRight(1) != separator)
        text += separator;
    KPath path;
    path.setPathText(text, knsGetPlatform());
    return KDirectory(path);
}

bool KDirectoryPathEditingControl::browse()
{
    if (!KDialogHandler::exists())
        return false;
    KDirectory folder(getDirectory());
    if (!KDialogHandler::getDialogHandler().chooseFolder(folder, KString()))
        return false;
    setDirectory(folder);
    return true;
}
