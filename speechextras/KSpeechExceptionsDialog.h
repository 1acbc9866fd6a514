#pragma once
// The editor of the machine's pronunciation exceptions: the written forms of all of them
// in a list ordered by written form (bytes compared as signed values, so "USA" comes before
// "usa"), with "Add...", "Edit..." and "Delete", each exception entered in the entry dialog.
// Nothing reaches the exceptions file until OK, which writes the list and has the
// speech-exceptions handler read it again, so that speech uses it at once; Cancel leaves
// the file and the handler alone.
//
// The dialog is modeless: its owner makes one and calls open, which reads the file; a file
// that is not an exceptions file keeps it from opening. Where it opens is remembered for
// the rest of the run.
#include "controls/KDialog.h"
#include "controls/KPushButtonControl.h"
#include "foundation/KTree.h"
#include "tools/controls/KListBoxControl.h"

class KSpeechException;
class KSpeechExceptionAddDialog;

class KSpeechExceptionsDialog : public KDialog {
    K_DECLARE_CLASS(KSpeechExceptionsDialog)
public:
    KSpeechExceptionsDialog();
    ~KSpeechExceptionsDialog() override;

    // Reads the file and shows the dialog; the mode is not looked at. An open dialog stays
    // as it is.
    void open(uint8 Mode) override;
    bool handleAction(KActionEvent& E) override;
    bool handleControlAction(KControlActionEvent& E) override;

    // Refills the list from the entries, in their order.
    void updateList();

    // Where the next exceptions dialog opens.
    static const KGraphicRectangle& getRememberedBounds();

    KListBoxControl& getList() const { return *m_list; }
    KPushButtonControl& getAddButton() const { return *m_addButton; }
    KPushButtonControl& getEditButton() const { return *m_editButton; }
    KPushButtonControl& getDeleteButton() const { return *m_deleteButton; }

protected:
    // The entry dialog that "Add..." and "Edit..." run, and the showing of this one once
    // the file is read: where a host (or a test) wants them otherwise.
    virtual KSpeechExceptionAddDialog* makeEntryDialog() const;
    virtual void showDialog();

private:
    KPushButtonControlPtr makeButton(const char* Title, short Top);
    // Runs an entry dialog on the two forms; true after OK, with the forms as left.
    bool askForEntry(const char* Title, KString& Written, KString& Spoken) const;
    void addEntry();
    void editSelectedEntry();
    void deleteSelectedEntry();
    // False after telling the user, when a row shows Written already.
    bool isNewWrittenForm(const KString& Written) const;
    // False after telling the user, when the file could not be written.
    bool save();
    KSpeechException& entryAt(long Row) const;
    long getRowCount() const;
    // The entries again from the rows, which every change of the rows leaves current.
    void collectEntries();

    KListBoxControlPtr m_list;
    KPushButtonControlPtr m_addButton;
    KPushButtonControlPtr m_editButton;
    KPushButtonControlPtr m_deleteButton;
    KTree m_entries;
};

K_POINTER_CLASS(KSpeechExceptionsDialog, KDialogPtr);
