#include "speechextras/KSpeechExceptionsDialog.h"

#include "application/KControlActionEvent.h"
#include "foundation/KBag.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/KSpeechException.h"
#include "multimedia/KSpeechExceptionHandler.h"
#include "multimedia/KSpeechExceptionsFile.h"
#include "speechextras/KSpeechExceptionAddDialog.h"
#include "speechextras/KSpeechExtrasLibrary.h"

namespace {
constexpr short kButtonLeft = 320;
constexpr short kButtonWidth = 100;

KGraphicRectangle& rememberedBounds()
{
    static KGraphicRectangle bounds(100, 100, 430, 400);
    return bounds;
}

void tellUser(const char* Text)
{
    knsMessageBox(KSpeechExtrasLibrary::getText("Speech Exceptions"), KSpeechExtrasLibrary::getText(Text));
}
} // namespace

K_DEFINE_CLASS(KSpeechExceptionsDialog, KDialog, 1)

KSpeechExceptionsDialog::KSpeechExceptionsDialog()
{
    setBounds(rememberedBounds());
    setTitle(KSpeechExtrasLibrary::getText("Speech Exceptions"));
    m_addButton = makeButton("Add...", 10);
    m_editButton = makeButton("Edit...", 40);
    m_deleteButton = makeButton("Delete", 70);
    m_list = new KListBoxControl;
    m_list->setBounds(KGraphicRectangle(10, 10, 300, 350));
    addElement(*m_list);
}

KSpeechExceptionsDialog::~KSpeechExceptionsDialog() = default;

KPushButtonControlPtr KSpeechExceptionsDialog::makeButton(const char* Title, short Top)
{
    KPushButtonControlPtr button = new KPushButtonControl;
    button->setTitle(KSpeechExtrasLibrary::getText(Title));
    button->setBounds(
        KGraphicRectangle(kButtonLeft, Top, kButtonWidth, button->getVariantSize(knsGetPlatform()).getHeight()));
    addElement(*button);
    return button;
}

const KGraphicRectangle& KSpeechExceptionsDialog::getRememberedBounds() { return rememberedBounds(); }

KSpeechExceptionAddDialog* KSpeechExceptionsDialog::makeEntryDialog() const { return new KSpeechExceptionAddDialog; }

void KSpeechExceptionsDialog::showDialog() { KDialog::open(OpenShown); }

void KSpeechExceptionsDialog::open(uint8)
{
    // Open already: reading the file again would drop the changes not yet confirmed.
    if (isOpen())
        return;
    m_entries.clear();
    if (KSpeechExceptionsFile::read(m_entries) == KSpeechExceptionsFile::Refused)
        return;
    updateList();
    showDialog();
}

void KSpeechExceptionsDialog::updateList()
{
    m_list->beginUpdate();
    m_list->removeAllItems();
    for (long i = 0; i < m_entries.getNodeCount(); ++i) {
        auto& entry = static_cast<KSpeechException&>(m_entries.getNodeAt(i)->getObject());
        m_list->appendItem(entry, entry);
    }
    m_list->endUpdate();
    m_list->draw();
}

long KSpeechExceptionsDialog::getRowCount() const { return m_list->getList().getElementCount(); }

KSpeechException& KSpeechExceptionsDialog::entryAt(long Row) const
{
    return static_cast<KSpeechException&>(m_list->getList().getElementAt(Row).getGraphicObject());
}

void KSpeechExceptionsDialog::collectEntries()
{
    m_entries.clear();
    for (long i = 0; i < getRowCount(); ++i)
        m_entries.insert(entryAt(i));
    m_entries.balance();
}

bool KSpeechExceptionsDialog::handleAction(KActionEvent& E)
{
    // A row was selected: nothing depends on the selection until a button asks for it.
    return E.getType() == KListBoxControl::SelectionChangedAction;
}

bool KSpeechExceptionsDialog::handleControlAction(KControlActionEvent& E)
{
    if (E.getType() != KControlActionEvent::Done || !E.hasSource())
        return false;
    const KThing* source = &E.getSource();
    if (hasOKButton() && source == &getOKButton()) {
        if (!save())
            return true;
        rememberedBounds() = getBounds();
        return false;
    }
    if (hasCancelButton() && source == &getCancelButton()) {
        rememberedBounds() = getBounds();
        return false;
    }
    if (source == m_addButton.get())
        addEntry();
    else if (source == m_editButton.get())
        editSelectedEntry();
    else if (source == m_deleteButton.get())
        deleteSelectedEntry();
    else
        return false;
    return true;
}

bool KSpeechExceptionsDialog::save()
{
    KBag rows;
    for (long i = 0; i < getRowCount(); ++i)
        rows.add(entryAt(i));
    // A list the user cannot keep must not close as if it were kept: the dialog stays,
    // to try again or to cancel.
    if (!KSpeechExceptionsFile::write(rows)) {
        tellUser("The speech exceptions could not be saved.");
        return false;
    }
    m_entries.clear();
    if (KSpeechExceptionHandler::hasInstance())
        KSpeechExceptionHandler::getInstance().reload();
    return true;
}

bool KSpeechExceptionsDialog::askForEntry(const char* Title, KString& Written, KString& Spoken) const
{
    KDialogPtr dialog = makeEntryDialog();
    KVariablePtr word = new KVariable(Written);
    KVariablePtr exception = new KVariable(Spoken);
    if (!dialog.hasObject(nullptr) || !word.hasObject(nullptr) || !exception.hasObject(nullptr))
        return false;
    dialog->setTitle(KSpeechExtrasLibrary::getText(Title));
    dialog->addNamedObject(*word, KString(KSpeechExceptionAddDialog::kWord));
    dialog->addNamedObject(*exception, KString(KSpeechExceptionAddDialog::kException));
    if (dialog->runModal(OpenShown) != OKResult)
        return false;
    Written = word->getString();
    Spoken = exception->getString();
    return true;
}

bool KSpeechExceptionsDialog::isNewWrittenForm(const KString& Written) const
{
    long row = -1;
    if (!m_list->findItem(Written, row))
        return true;
    tellUser("Exception already defined");
    return false;
}

void KSpeechExceptionsDialog::addEntry()
{
    KString written("USA");
    KString spoken("United States Of America");
    if (!askForEntry("Add Exception", written, spoken) || !isNewWrittenForm(written))
        return;
    KSpeechExceptionPtr entry = new KSpeechException(written, spoken);
    if (!entry.hasObject(nullptr))
        return;
    m_entries.insert(*entry);
    m_entries.balance();
    updateList();
}

void KSpeechExceptionsDialog::editSelectedEntry()
{
    const long row = m_list->getSelectedIndex();
    if (row < 0)
        return;
    KSpeechExceptionPtr entry(&entryAt(row));
    KString written(*entry);
    KString spoken(entry->getSpokenForm());
    if (!askForEntry("Edit Exception", written, spoken))
        return;
    if (written != *entry && !isNewWrittenForm(written))
        return;
    static_cast<KString&>(*entry) = written;
    entry->setSpokenForm(spoken);
    // A new written form may sort elsewhere: the list is ordered again and the entry
    // stays selected where it went.
    collectEntries();
    updateList();
    for (long i = 0; i < getRowCount(); ++i) {
        if (&entryAt(i) == entry.get()) {
            m_list->selectItem(i);
            break;
        }
    }
}

void KSpeechExceptionsDialog::deleteSelectedEntry()
{
    const long row = m_list->getSelectedIndex();
    if (row < 0)
        return;
    m_list->beginUpdate();
    m_list->removeItem(row);
    m_list->endUpdate();
    collectEntries();
    if (row > 0)
        m_list->selectItem(row - 1);
    m_list->draw();
}
