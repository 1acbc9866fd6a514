#include "tools/menus/KFontColorMenu.h"

#include "tools/menus/KFormatEvent.h"
#include "tools/KToolsLibrary.h"

K_DEFINE_CLASS(KFontColorMenu, KColorMenu, 1)

KFontColorMenu::KFontColorMenu(uint8 Palette)
{
    setTitle(KToolsLibrary::getText("Text Color"));
    buildPalette(Palette, OtherColorOption);
}

KFontColorMenu::~KFontColorMenu() = default;

bool KFontColorMenu::doMenuItem(KMenuEvent& E)
{
    if (!takeChosenColor(E))
        return true;
    sendColor(KFormatEvent::kFontColor);
    return false;
}
