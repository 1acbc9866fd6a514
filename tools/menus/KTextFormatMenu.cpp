#include "tools/menus/KTextFormatMenu.h"

#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "tools/KToolsLibrary.h"
#include "tools/dialogs/KTextFormatDialog.h"
#include "tools/dialogs/NamedVariables.h"
#include "tools/menus/KBackgroundColorMenu.h"
#include "tools/menus/KFontColorMenu.h"
#include "tools/menus/KFontFaceMenu.h"
#include "tools/menus/KFontSizeMenu.h"
#include "tools/menus/KFontStyleMenu.h"
#include "tools/menus/KFormatEvent.h"
#include "tools/menus/KTextAlignmentMenu.h"

#include <utility>

namespace {
// The type of the event a modeless dialog sends its receivers when closed with OK.
constexpr long kDialogConfirmed = 3;
// What the dialog gives back, in the order the format change carries it.
const char* const kDialogResults[] = {KFormatEvent::kFontFace, KFormatEvent::kFontSize, KFormatEvent::kFontStyle,
                                      KFormatEvent::kFontColor};
} // namespace

K_DEFINE_CLASS(KTextFormatMenu, KMenu, 1)

KTextFormatMenu::KTextFormatMenu()
    : m_dialogItemTitle(KToolsLibrary::getText("Text Format..."))
{
    KFontFaceMenuPtr faces = new KFontFaceMenu;
    KFontSizeMenuPtr sizes = new KFontSizeMenu;
    KFontStyleMenuPtr styles = new KFontStyleMenu;
    KTextAlignmentMenuPtr alignments = new KTextAlignmentMenu;
    KFontColorMenuPtr colors = new KFontColorMenu(KColorMenu::WebPalette);
    KBackgroundColorMenuPtr backgrounds = new KBackgroundColorMenu(KColorMenu::WebPalette);
    if (faces.hasObject(nullptr))
        setFontFaceMenu(*faces);
    if (sizes.hasObject(nullptr))
        setFontSizeMenu(*sizes);
    if (styles.hasObject(nullptr))
        setFontStyleMenu(*styles);
    if (alignments.hasObject(nullptr))
        setAlignmentMenu(*alignments);
    if (colors.hasObject(nullptr))
        setFontColorMenu(*colors);
    if (backgrounds.hasObject(nullptr))
        setBackgroundColorMenu(*backgrounds);
    setTitle(KToolsLibrary::getText("Format"));
    appendItem(m_dialogItemTitle, 'T', kTextFormatCommand);
    appendSeparator();
    const std::pair<KMenu*, const char*> subMenus[] = {
        {faces.get(), "Font"},        {sizes.get(), "Size"},       {styles.get(), "Style"},
        {alignments.get(), "Alignment"}, {colors.get(), "Text Color"}, {backgrounds.get(), "Background Color"},
    };
    for (const auto& subMenu : subMenus) {
        if (subMenu.first)
            appendSubMenu(*subMenu.first, KToolsLibrary::getText(subMenu.second));
    }
}

KTextFormatMenu::~KTextFormatMenu()
{
    resetFontFaceMenu();
    resetFontSizeMenu();
    resetFontStyleMenu();
    resetAlignmentMenu();
    resetFontColorMenu();
    resetBackgroundColorMenu();
}

void KTextFormatMenu::setFontFaceMenu(KFontFaceMenu& Menu) { m_faceMenu.setObject(Menu); }
void KTextFormatMenu::resetFontFaceMenu() { m_faceMenu.reset(); }
void KTextFormatMenu::setFontSizeMenu(KFontSizeMenu& Menu) { m_sizeMenu.setObject(Menu); }
void KTextFormatMenu::resetFontSizeMenu() { m_sizeMenu.reset(); }
void KTextFormatMenu::setFontStyleMenu(KFontStyleMenu& Menu) { m_styleMenu.setObject(Menu); }
void KTextFormatMenu::resetFontStyleMenu() { m_styleMenu.reset(); }
void KTextFormatMenu::setAlignmentMenu(KTextAlignmentMenu& Menu) { m_alignmentMenu.setObject(Menu); }
void KTextFormatMenu::resetAlignmentMenu() { m_alignmentMenu.reset(); }
void KTextFormatMenu::setFontColorMenu(KFontColorMenu& Menu) { m_colorMenu.setObject(Menu); }
void KTextFormatMenu::resetFontColorMenu() { m_colorMenu.reset(); }
void KTextFormatMenu::setBackgroundColorMenu(KBackgroundColorMenu& Menu) { m_backgroundMenu.setObject(Menu); }
void KTextFormatMenu::resetBackgroundColorMenu() { m_backgroundMenu.reset(); }

KFontFaceMenu& KTextFormatMenu::getFontFaceMenu() const { return static_cast<KFontFaceMenu&>(m_faceMenu.getObject()); }
KFontSizeMenu& KTextFormatMenu::getFontSizeMenu() const { return static_cast<KFontSizeMenu&>(m_sizeMenu.getObject()); }
KFontStyleMenu& KTextFormatMenu::getFontStyleMenu() const
{
    return static_cast<KFontStyleMenu&>(m_styleMenu.getObject());
}
KTextAlignmentMenu& KTextFormatMenu::getAlignmentMenu() const
{
    return static_cast<KTextAlignmentMenu&>(m_alignmentMenu.getObject());
}
KFontColorMenu& KTextFormatMenu::getFontColorMenu() const
{
    return static_cast<KFontColorMenu&>(m_colorMenu.getObject());
}
KBackgroundColorMenu& KTextFormatMenu::getBackgroundColorMenu() const
{
    return static_cast<KBackgroundColorMenu&>(m_backgroundMenu.getObject());
}

bool KTextFormatMenu::doMenuItem(KMenuEvent& E)
{
    if (!E.hasMenuItem() || E.getMenuItem().getID() != kTextFormatCommand)
        return false;
    KTextFormatDialogPtr dialog = new KTextFormatDialog;
    if (!dialog.hasObject(nullptr))
        return true;
    dialog->addReceiver(*this);
    const auto give = [&](const char* Name, KVariable* Value) {
        KVariablePtr held = Value;
        if (held.hasObject(nullptr))
            dialog->addNamedObject(*held, KString(Name));
    };
    if (hasFontFaceMenu())
        give(KFormatEvent::kFontFace, new KVariable(getFontFaceMenu().getFontFace()));
    if (hasFontSizeMenu())
        give(KFormatEvent::kFontSize, new KVariable(static_cast<long>(getFontSizeMenu().getSize())));
    if (hasFontStyleMenu())
        give(KFormatEvent::kFontStyle, new KVariable(static_cast<long>(getFontStyleMenu().getStyle().getFlags())));
    KThingPtr color = hasFontColorMenu() ? new KColor(getFontColorMenu().getColor()) : nullptr;
    KVariablePtr colorValue = color.hasObject(nullptr) ? new KVariable : nullptr;
    if (colorValue.hasObject(nullptr)) {
        colorValue->setObject(*color);
        dialog->addNamedObject(*colorValue, KString(KFormatEvent::kFontColor));
    }
    dialog->open(0);
    return true;
}

bool KTextFormatMenu::handleEvent(KEvent& E)
{
    if (E.getType() != kDialogConfirmed || !E.hasSource())
        return false;
    auto* dialog = dynamic_cast<KTextFormatDialog*>(&E.getSource());
    if (!dialog)
        return false;
    KFormatEventPtr change = new KFormatEvent;
    if (!change.hasObject(nullptr))
        return true;
    change->setKind(KFormatEvent::FormatChange);
    change->setSource(*dialog);
    for (const char* name : kDialogResults) {
        if (const KVariable* result = findNamedVariable(*dialog, name))
            change->setVariable(KString(name), *result);
    }
    KEvent::send(*change);
    return true;
}
