#include "tools/menus/KFontSizeMenu.h"

#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "foundation/KVariable.h"
#include "graphics/NativeTextWin32.h"
#include "tools/KToolsLibrary.h"
#include "tools/dialogs/KCustomFontSizeDialog.h"
#include "tools/dialogs/NamedVariables.h"
#include "tools/menus/KFormatEvent.h"

namespace {
const short kSizes[] = {9, 10, 12, 14, 18, 24, 36, 48, 64, 96};
// The separator and "Other..." follow the sizes.
constexpr long kItemsAfterSizes = 2;
// The type of the event a modeless dialog sends its receivers when closed with OK.
constexpr long kDialogConfirmed = 3;
} // namespace

K_DEFINE_CLASS(KFontSizeMenu, KMenu, 1)

KFontSizeMenu::KFontSizeMenu()
{
    for (short size : kSizes) {
        KString title;
        title.setNumber(size);
        appendItem(title, kSizeCommandBase + size);
    }
    appendSeparator();
    appendItem(KToolsLibrary::getText("Other..."), kOtherCommand);
    KString face;
    double size = 0.0;
    kksGetStandardFont(kSystemFont, face, &size);
    setSize(static_cast<short>(size));
    m_customSize = 72;
}

KFontSizeMenu::~KFontSizeMenu() = default;

void KFontSizeMenu::setSize(short Size)
{
    bool listed = false;
    for (long i = 0; i < getItemCount() - kItemsAfterSizes; ++i) {
        auto& item = static_cast<KMenuItem&>(getItems()[i]);
        const bool match = Size == item.getID() - kSizeCommandBase;
        item.setChecked(match);
        listed = listed || match;
    }
    if (getItemCount() > 0)
        static_cast<KMenuItem&>(getItems()[getItemCount() - 1]).setChecked(!listed);
    m_currentSize = Size;
}

void KFontSizeMenu::sendSize() const
{
    KFormatEvent::sendFormatChange(KFormatEvent::kFontSize, KVariable(static_cast<long>(m_currentSize)));
}

bool KFontSizeMenu::doMenuItem(KMenuEvent& E)
{
    if (!E.hasMenuItem())
        return false;
    const long id = E.getMenuItem().getID();
    if (id == kOtherCommand) {
        KCustomFontSizeDialogPtr dialog = new KCustomFontSizeDialog;
        KVariablePtr size = new KVariable(static_cast<long>(m_customSize));
        if (!dialog.hasObject(nullptr) || !size.hasObject(nullptr))
            return true;
        dialog->addNamedObject(*size, KCustomFontSizeDialog::kCustomFontSize);
        dialog->addReceiver(*this);
        dialog->open(0);
        return true;
    }
    setSize(static_cast<short>(id - kSizeCommandBase));
    sendSize();
    return false;
}

bool KFontSizeMenu::handleEvent(KEvent& E)
{
    if (E.getType() != kDialogConfirmed || !E.hasSource())
        return false;
    auto* dialog = dynamic_cast<KCustomFontSizeDialog*>(&E.getSource());
    if (!dialog)
        return false;
    if (const KVariable* size = findNamedVariable(*dialog, KCustomFontSizeDialog::kCustomFontSize))
        m_customSize = static_cast<short>(size->getLong());
    setSize(m_customSize);
    sendSize();
    return true;
}
