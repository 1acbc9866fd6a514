#include "tools/dialogs/KPopUpListDialog.h"

#include "application/KControlActionEvent.h"
#include "tools/dialogs/StandardDialogs.h"

namespace {
constexpr short kLabelWidth = 95;
} // namespace

K_DEFINE_CLASS(KPopUpListDialog, KDialog, 1)

KPopUpListDialog::KPopUpListDialog()
{
    setTitle("Select String");
    m_list = new KLabelPopUpListControl;
    m_list->setLabelWidth(kLabelWidth);
    m_list->setLabel("Select String:");
    placeStandardDialogControl(*this, *m_list);
}

KPopUpListDialog::~KPopUpListDialog() = default;

void KPopUpListDialog::setItems(const KStringBag& Items)
{
    m_list->removeAllItems();
    m_list->appendItems(Items);
}

void KPopUpListDialog::adjustLayout(short LabelWidth)
{
    m_list->setWidth(static_cast<short>(m_list->getWidth() - m_list->getLabelWidth() + LabelWidth));
    m_list->setLabelWidth(LabelWidth);
    fitAndCenter(*this);
}

bool KPopUpListDialog::run(KString& Text)
{
    KDialogPtr hold(isOnHeap() ? this : nullptr);
    m_running = true;
    m_accepted = false;
    if (m_list->hasItem(Text)) {
        m_list->selectItemText(Text);
        m_value = Text;
    }
    runOwnModalLoop(*this);
    Text = m_value;
    m_running = false;
    return m_accepted;
}

bool KPopUpListDialog::handleControlAction(KControlActionEvent& E)
{
    if (!E.hasSource())
        return false;
    if (hasOKButton() && &E.getSource() == &getOKButton()) {
        m_value = m_list->getSelectedItem();
        if (!m_running) {
            setNewValue(*this, m_value);
            return false;
        }
        // Closed here, the dialog tells nobody of the OK and keeps its result.
        close();
        m_accepted = true;
        return true;
    }
    if (hasCancelButton() && &E.getSource() == &getCancelButton() && m_running) {
        m_accepted = false;
        close();
        return true;
    }
    return false;
}
