#pragma once
// The folder path editor: "Directory:", a field and "Browse...", which opens the
// platform's folder browser. The typed text is not checked: the caller checks the folder.
#include "foundation/KDirectory.h"
#include "tools/controls/KPathEditingControl.h"

class KDirectoryPathEditingControl : public KPathEditingControl {
    K_DECLARE_CLASS(KDirectoryPathEditingControl)
public:
    KDirectoryPathEditingControl();
    ~KDirectoryPathEditingControl() override;

    // The folder's path in the platform's form; the keyboard focus goes to the field.
    void setDirectory(const KDirectory& Directory);
    // The typed text with the path separator added when it does not end with one; an
    // empty field gives the empty path.
    KDirectory getDirectory();

protected:
    bool browse() override;
};

K_POINTER_CLASS(KDirectoryPathEditingControl, KControlPtr);
