#include "tools/menus/KBackgroundColorMenu.h"

#include "tools/KToolsLibrary.h"
#include "tools/menus/KFormatEvent.h"

K_DEFINE_CLASS(KBackgroundColorMenu, KColorMenu, 1)

KBackgroundColorMenu::KBackgroundColorMenu(uint8 Palette)
{
    setTitle(KToolsLibrary::getText("Background Color"));
    buildPalette(Palette, OtherColorOption);
}

KBackgroundColorMenu::~KBackgroundColorMenu() = default;

bool KBackgroundColorMenu::doMenuItem(KMenuEvent& E) { return takeAndSendColor(E, KFormatEvent::kBackgroundColor); }
