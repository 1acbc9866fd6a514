#pragma once
// The file path editor: "File:", a field and "Browse...", which opens the open-file dialog
// for the given file types, or, without any, for the typed file's type. The typed text is
// not checked: the caller checks the file.
#include "foundation/KBag.h"
#include "foundation/KFileReference.h"
#include "tools/controls/KPathEditingControl.h"

class KFilePathEditingControl : public KPathEditingControl {
    K_DECLARE_CLASS(KFilePathEditingControl)
public:
    KFilePathEditingControl();
    ~KFilePathEditingControl() override;

    // The file's path in the platform's form; the keyboard focus goes to the field.
    void setFile(const KFileReference& File);
    // The typed text as it stands, read as a path.
    KFileReference getFile();
    // KFileTypes the open-file dialog offers; empty by default.
    KBag& getFileTypes() { return m_fileTypes; }

protected:
    bool browse() override;

private:
    KBag m_fileTypes;
};

K_POINTER_CLASS(KFilePathEditingControl, KControlPtr);
