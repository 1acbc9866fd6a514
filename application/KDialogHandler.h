#pragma once
// The platform's standard dialogs behind framework types: a file to open or to save
// (offered by file types), a colour, a folder. One handler exists per process, made and
// dropped by the application with its other singletons. It remembers the folder in which
// the next file dialog starts. While a file or colour dialog is up the menu bar is
// disabled. Every operation answers true when the user confirmed a choice; a cancelled or
// failed dialog leaves its out-argument unchanged.
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KDirectory.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KColor;
class KFileReference;
class KFileType;

class KDialogHandler : public KThing {
    K_DECLARE_CLASS(KDialogHandler)
public:
    KDialogHandler();
    ~KDialogHandler() override;

    static void initDialogHandler();
    static void exitDialogHandler();
    // Error 18 when there is none.
    static KDialogHandler& getDialogHandler();
    static bool exists();

    void setDefaultDirectory(const KDirectory& Directory);
    const KDirectory& getDefaultDirectory() const { return m_defaultDirectory; }

    // Ref, in: a file to start from (its folder and name, when it exists); out: the chosen
    // file. Types is a bag of KFileTypes offered in order, with all of them together first
    // when there are several.
    bool getOpenFile(KFileReference& Ref, const KBag& Types, const KString& Title);
    bool getOpenFileOfType(KFileReference& Ref, const KFileType& Type, const KString& Title);
    // Offers the type of Ref's extension when it is a known one, else any file.
    bool getOpenFileForExtension(KFileReference& Ref, const KString& Title);
    // Ref, in: the proposed file; out: the chosen one, given the default extension when
    // the user typed none, with its file type when the extension is a known one. The
    // proposed file's folder becomes the default directory.
    bool getSaveFile(KFileReference& Ref, const KBag& Types, const KString& Title);
    bool getSaveFileOfType(KFileReference& Ref, const KFileType& Type, const KString& Title);
    // Color, in: the initial colour; out: the chosen one.
    bool chooseColor(KColor& Color);
    // The chosen folder's path ends with "\".
    bool chooseFolder(KDirectory& Directory, const KString& Title);

private:
    KDirectory m_defaultDirectory;
};

K_POINTER_CLASS(KDialogHandler, KThingPtr);
