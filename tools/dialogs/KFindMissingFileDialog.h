#pragma once
// The question the story asks when a media file is not where the project expects it: the
// missing file's path, a replacement to accept (OK), this file to skip ("Ignore", the
// Cancel button, result 2) or every further missing file to skip ("Ignore All", the Apply
// button, result 4). "Browse..." picks a replacement with the open-file dialog. The folder
// of the last accepted replacement is remembered for the rest of the run: a file of the
// missing one's name there is proposed as soon as the next dialog opens.
//
// Use: construct, setFileReference with the missing file, runModal; after result 1
// getFileReference gives the chosen replacement. The tools library must be open: the
// texts are its localizer's.
#include "controls/KDialog.h"
#include "controls/KPushButtonControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "tools/controls/KTextDisplayControl.h"

class KLocalizer;

class KFindMissingFileDialog : public KDialog {
    K_DECLARE_CLASS(KFindMissingFileDialog)
public:
    KFindMissingFileDialog();
    ~KFindMissingFileDialog() override;

    void open(uint8 Mode) override;
    void close() override;
    bool handleControlAction(KControlActionEvent& E) override;

    virtual void setFileReference(const KFileReference& Reference);
    virtual void clearFileReference();

    // Error 18 when none is set.
    KFileReference& getFileReference() const { return m_fileReference.getObject(); }
    bool hasFileReference() const { return m_fileReference.hasObject(nullptr); }
    // The replacement proposed so far; error 18 when there is none.
    KFileReference& getReplacement() const { return m_replacement.getObject(); }
    bool hasReplacement() const { return m_replacement.hasObject(nullptr); }

    // The whole question for one missing file, in the form the story's media search asks
    // it: 1 with Chosen set to the replacement, 2 to skip the file, 4 to skip all further
    // files, 0 when the dialog was closed otherwise.
    static uint8 askUser(const KFileReference& Missing, KFileReference& Chosen);
    // The dialog's rows of the tools library's texts.
    static void addTexts(KLocalizer& Localizer);
    // The folder of the last accepted replacement; error 18 while there is none.
    static KDirectory& getRememberedFolder();
    static bool hasRememberedFolder();
    static void forgetRememberedFolder();

    // For the owner that reads what is shown.
    KTextDisplayControl& getMissingPathDisplay() const { return *m_missingPath; }
    KTextDisplayControl& getReplacementPathDisplay() const { return *m_replacementPath; }
    KPushButtonControl& getBrowseButton() const { return *m_browseButton; }

private:
    void propose(const KFileReference& Replacement);
    void browse();
    // False when there is nothing to accept: the dialog says so and stays open.
    bool accept();
    void enableOK(bool On);

    KFileReferencePtr m_fileReference;
    KStaticTextNativeControlPtr m_missingLabel;
    KTextDisplayControlPtr m_missingPath;
    KPushButtonControlPtr m_browseButton;
    KPushButtonControlPtr m_findButton;
    KStaticTextNativeControlPtr m_replacementLabel;
    KTextDisplayControlPtr m_replacementPath;
    KFileReferencePtr m_replacement;
    bool m_cursorPushed = false;
};

K_POINTER_CLASS(KFindMissingFileDialog, KDialogPtr);
