#include "tools/menus/KFontColorMenu.h"

#include "tools/KToolsLibrary.h"
#include "tools/menus/KFormatEvent.h"

K_DEFINE_CLASS(KFontColorMenu, KColorMenu, 1)

KFontColorMenu::KFontColorMenu(uint8 Palette)
{
    setTitle(KToolsLibrary::getText("Text Color"));
    buildPalette(Palette, OtherColorOption);
}

KFontColorMenu::~KFontColorMenu() = default;

bool KFontColorMenu::doMenuItem(KMenuEvent& E) { return takeAndSendColor(E, KFormatEvent::kFontColor); }
