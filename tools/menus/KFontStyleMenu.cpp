#include "tools/menus/KFontStyleMenu.h"

#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "foundation/KVariable.h"
#include "graphics/KFont.h"
#include "tools/KToolsLibrary.h"
#include "tools/menus/KFormatEvent.h"

namespace {
struct StyleItem {
    const char* key;
    long id;
    uint32 bit;
};

const StyleItem kItems[] = {
    {"Plain", KFontStyleMenu::PlainCommand, 0},
    {"Bold", KFontStyleMenu::BoldCommand, kFontBold},
    {"Italic", KFontStyleMenu::ItalicCommand, kFontItalic},
    {"Underline", KFontStyleMenu::UnderlineCommand, kFontUnderline},
};
} // namespace

K_DEFINE_CLASS(KFontStyleMenu, KMenu, 1)

KFontStyleMenu::KFontStyleMenu()
{
    for (const StyleItem& item : kItems)
        appendItem(KToolsLibrary::getText(item.key), item.id);
    setStyle(KFlagSet(0));
}

KFontStyleMenu::~KFontStyleMenu() = default;

void KFontStyleMenu::setStyle(const KFlagSet& Style)
{
    const uint32 bits = Style.getFlags();
    for (const StyleItem& item : kItems)
        getItemWithID(item.id).setChecked(item.bit == 0 ? bits == 0 : (bits & item.bit) != 0);
}

KFlagSet KFontStyleMenu::getStyle() const
{
    KFlagSet style;
    for (const StyleItem& item : kItems) {
        if (item.bit != 0 && getItemWithID(item.id).isChecked())
            style.set(item.bit);
    }
    return style;
}

void KFontStyleMenu::chooseStyleItem(long ID)
{
    if (ID == PlainCommand) {
        for (const StyleItem& item : kItems)
            getItemWithID(item.id).setChecked(item.id == PlainCommand);
        return;
    }
    getItemWithID(PlainCommand).setChecked(false);
    for (const StyleItem& item : kItems) {
        if (item.id == ID) {
            KMenuItem& chosen = getItemWithID(ID);
            chosen.setChecked(!chosen.isChecked());
        }
    }
}

bool KFontStyleMenu::doMenuItem(KMenuEvent& E)
{
    if (!E.hasMenuItem())
        return false;
    chooseStyleItem(E.getMenuItem().getID());
    KFormatEvent::sendFormatChange(KFormatEvent::kFontStyle, KVariable(static_cast<long>(getStyle().getFlags())));
    return false;
}
