#pragma once
// "Batch Conversion": the user picks an input folder, with or without its subfolders, and
// an output folder, optionally recreating the input's folder structure under it; Convert
// then walks the files of the accepted types one per step of the main loop, with a log and
// a progress bar, until the last file or until the user confirms Abort or Escape. The
// conversion itself belongs to a subclass, which fills the accepted types and overrides
// the three hooks; here they do nothing and no type is accepted.
#include "controls/KCheckBoxControl.h"
#include "controls/KDialog.h"
#include "controls/KGroupControl.h"
#include "controls/KProgressBarControl.h"
#include "foundation/KBag.h"
#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "tools/controls/KDirectoryPathEditingControl.h"
#include "tools/controls/KTextDisplayControl.h"

class KBatchProcessingDialog : public KDialog {
    K_DECLARE_CLASS(KBatchProcessingDialog)
public:
    enum State : uint8 {
        Idle = 1,
        CollectWithSubfolders = 2,
        FilterFlatList = 3,
        Process = 4,
        Finish = 5,
        Aborted = 6,
    };

    KBatchProcessingDialog();
    ~KBatchProcessingDialog() override;

    // One step of the batch.
    void periodicTask() override;
    void open(uint8 Mode) override;
    // A batch still running when the window goes ends as aborted.
    void close() override;
    bool draw(KWindowEvent& E) override;
    bool handleControlAction(KControlActionEvent& E) override;

    // Called when Convert is pressed, once the controls are disabled.
    virtual void beginProcessing() {}
    virtual void processFile(KFileReference& File, KDirectory& OutputFolder);
    // Aborted is true when the user ended the batch.
    virtual void endProcessing(bool Aborted);

    uint8 getState() const { return m_state; }
    const KBag& getFileList() const { return m_fileList; }
    KBag& getAcceptedTypes() { return m_acceptedTypes; }
    KDirectoryPathEditingControl& getInputFolder() const { return *m_inputFolder; }
    KDirectoryPathEditingControl& getOutputFolder() const { return *m_outputFolder; }
    KCheckBoxControl& getIncludeSubfolders() const { return *m_includeSubfolders; }
    KCheckBoxControl& getRecreateStructure() const { return *m_recreateStructure; }
    KTextDisplayControl& getLog() const { return *m_log; }
    KProgressBarControl& getProgress() const { return *m_progress; }

protected:
    // Read between files and after each listed entry; the keyboard's state by default.
    virtual bool escapePressed();

private:
    // An editor and its check box in a new group placed below Above (or at 10, 10).
    KGroupControl* makeGroup(const char* Title, KDirectoryPathEditingControlPtr& Editor, KCheckBoxControlPtr& Check,
                             const char* CheckTitle, const KControl* Above);
    void enableFields(bool On);
    void askToAbort(const char* Caption);
    bool accepts(const KFileReference& File) const;
    void collectFiles(const KDirectory& Folder, KBag& Out);
    void processNextFile();
    KDirectory outputFolderFor(const KFileReference& File);
    bool makeFolderExist(const KDirectory& Folder);
    void finish();
    void stopStepping();

    KBag m_fileList;
    long m_nextIndex = 0;
    uint8 m_state = Idle;
    KGroupControlPtr m_inputGroup;
    KDirectoryPathEditingControlPtr m_inputFolder;
    KCheckBoxControlPtr m_includeSubfolders;
    KGroupControlPtr m_outputGroup;
    KDirectoryPathEditingControlPtr m_outputFolder;
    KCheckBoxControlPtr m_recreateStructure;
    KTextDisplayControlPtr m_log;
    KProgressBarControlPtr m_progress;
    KBag m_acceptedTypes;
};

K_POINTER_CLASS(KBatchProcessingDialog, KDialogPtr);
