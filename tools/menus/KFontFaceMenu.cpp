#include "tools/menus/KFontFaceMenu.h"

#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "foundation/KStringBag.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"
#include "graphics/NativeTextWin32.h"
#include "tools/menus/KFormatEvent.h"

K_DEFINE_CLASS(KFontFaceMenu, KMenu, 1)

KFontFaceMenu::KFontFaceMenu()
{
    const KStringBag faces = knsGetFontNames();
    for (long i = 0; i < faces.getCount(); ++i)
        appendItem(faces.getStringAt(i));
    double size = 0.0;
    kksGetStandardFont(kSystemFont, m_defaultFace, &size);
    setFontFace(m_defaultFace);
}

KFontFaceMenu::~KFontFaceMenu() = default;

void KFontFaceMenu::setFontFace(const KString& Face)
{
    for (long i = 0; i < getItemCount(); ++i) {
        auto& item = static_cast<KMenuItem&>(getItems()[i]);
        item.setChecked(item.getTitle() == Face);
    }
}

KString KFontFaceMenu::getFontFace() const
{
    for (long i = 0; i < getItemCount(); ++i) {
        const auto& item = static_cast<const KMenuItem&>(getItems()[i]);
        if (item.isChecked())
            return item.getTitle();
    }
    return m_defaultFace;
}

bool KFontFaceMenu::doMenuItem(KMenuEvent& E)
{
    if (!E.hasMenuItem())
        return false;
    const KString face = E.getMenuItem().getTitle();
    setFontFace(face);
    KFormatEvent::sendFormatChange(KFormatEvent::kFontFace, KVariable(face));
    return false;
}
