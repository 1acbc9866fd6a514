#include "tools/menus/KBackgroundColorMenu.h"

#include "tools/menus/KFormatEvent.h"
#include "tools/KToolsLibrary.h"

K_DEFINE_CLASS(KBackgroundColorMenu, KColorMenu, 1)

KBackgroundColorMenu::KBackgroundColorMenu(uint8 Palette)
{
    setTitle(KToolsLibrary::getText("Background Color"));
    buildPalette(Palette, OtherColorOption);
}

KBackgroundColorMenu::~KBackgroundColorMenu() = default;

bool KBackgroundColorMenu::doMenuItem(KMenuEvent& E)
{
    if (!takeChosenColor(E))
        return true;
    sendColor(KFormatEvent::kBackgroundColor);
    return false;
}
