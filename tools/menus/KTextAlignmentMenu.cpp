#include "tools/menus/KTextAlignmentMenu.h"

#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "foundation/KVariable.h"
#include "tools/KToolsLibrary.h"
#include "tools/menus/KFormatEvent.h"

namespace {
const char* const kTitles[] = {"Left", "Right", "Center", "Justified"};
constexpr long kAlignmentCount = 4;
} // namespace

K_DEFINE_CLASS(KTextAlignmentMenu, KMenu, 1)

KTextAlignmentMenu::KTextAlignmentMenu()
{
    for (long i = 0; i < kAlignmentCount; ++i)
        appendItem(KToolsLibrary::getText(kTitles[i]), kLeftCommand + i);
    setAlignment(0);
}

KTextAlignmentMenu::~KTextAlignmentMenu() = default;

void KTextAlignmentMenu::checkItemAt(long Index, bool Checked)
{
    if (Index < getItemCount())
        static_cast<KMenuItem&>(getItems()[Index]).setChecked(Checked);
}

void KTextAlignmentMenu::setAlignment(uint8 Alignment)
{
    checkItemAt(m_alignment, false);
    checkItemAt(Alignment, true);
    m_alignment = Alignment;
}

bool KTextAlignmentMenu::doMenuItem(KMenuEvent& E)
{
    if (!E.hasMenuItem())
        return false;
    const long id = E.getMenuItem().getID();
    if (id >= kLeftCommand && id < kLeftCommand + kAlignmentCount)
        setAlignment(static_cast<uint8>(id - kLeftCommand));
    KFormatEvent::sendFormatChange(KFormatEvent::kAlignment, KVariable(static_cast<long>(m_alignment)));
    return false;
}
