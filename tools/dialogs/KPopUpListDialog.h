#pragma once
// Asks the user to pick one string of a list. run preselects the string given when the
// list holds it, runs the dialog modally and gives back whether the user accepted and,
// then, the chosen string. Opened modelessly instead, an OK leaves the choice as the string
// variable "NewValue" among the dialog's named elements.
#include "controls/KDialog.h"
#include "foundation/KStringBag.h"
#include "tools/controls/KLabelPopUpListControl.h"

class KPopUpListDialog : public KDialog {
    K_DECLARE_CLASS(KPopUpListDialog)
public:
    KPopUpListDialog();
    ~KPopUpListDialog() override;

    bool handleControlAction(KControlActionEvent& E) override;

    // The list's items become the bag's strings, in order.
    void setItems(const KStringBag& Items);
    // A new label width; the list part keeps its width and the dialog fits around it.
    void adjustLayout(short LabelWidth);
    // True when the user accepted; Text then holds the chosen item.
    bool run(KString& Text);

    KLabelPopUpListControl& getList() const { return *m_list; }

private:
    KLabelPopUpListControlPtr m_list;
    KString m_value;
    bool m_running = false;
    bool m_accepted = false;
};

K_POINTER_CLASS(KPopUpListDialog, KDialogPtr);
