#include "tools/menus/KColorMenu.h"

#include "application/KDialogHandler.h"
#include "application/KMenuEvent.h"
#include "foundation/KVariable.h"
#include "tools/menus/ColorPalettes.h"
#include "tools/menus/KColorMenuItem.h"
#include "tools/menus/KFormatEvent.h"

namespace {
constexpr long kWebPaletteItems = 88;
} // namespace

K_DEFINE_CLASS(KColorMenu, KCustomMenu, 1)

KColorMenu::KColorMenu() { setTitle("ColorMenu"); }

KColorMenu::~KColorMenu() = default;

void KColorMenu::appendSwatch(const KColor& Color, uint8 Style)
{
    KColorMenuItemPtr item = new KColorMenuItem;
    if (!item.hasObject(nullptr))
        return;
    item->setColor(Color);
    item->setSwatchStyle(Style);
    appendCustomItem(*item);
}

void KColorMenu::buildPalette(uint8 Palette, long Options)
{
    m_options = KFlagSet(static_cast<uint32>(Options));
    const bool checkered = (Options & CheckeredOption) != 0;
    const bool other = (Options & OtherColorOption) != 0;
    switch (Palette) {
    case SmallPalette:
        setItemSize(KGraphicSize(32, 32));
        setGrid(4, 4);
        for (long i = 0; i < kPaletteSmallCount; ++i)
            appendSwatch(paletteSmallColor(i));
        break;
    case WebPalette: {
        setItemSize(KGraphicSize(16, 16));
        setGrid(11, 8);
        for (long i = 0; i < kPaletteWebCount; ++i)
            appendSwatch(paletteWebColor(i));
        // The grey ramp gives way to the special swatches, so the grid stays full.
        const long specials = 1 + (checkered ? 1 : 0) + (other ? 1 : 0);
        const long step = 0xFFFF / (15 - specials);
        for (long i = kPaletteWebCount; i < kWebPaletteItems - specials; ++i) {
            const auto grey = static_cast<uint16>((i - kPaletteWebCount) * step);
            appendSwatch(KColor(grey, grey, grey));
        }
        appendSwatch(KColor(kWhite));
        if (checkered)
            appendSwatch(KColor(kWhite), KColorMenuItem::CheckeredSwatch);
        if (other)
            appendSwatch(KColor(kWhite), KColorMenuItem::OtherColorSwatch);
        break;
    }
    case FullPalette:
        setItemSize(KGraphicSize(16, 16));
        setGrid(16, 16);
        for (long i = 0; i < kPaletteFullCount; ++i)
            appendSwatch(paletteFullColor(i));
        break;
    default:
        break;
    }
    // The small and full palettes give up their last table colours to the special
    // swatches, which keep those colours.
    long last = getItemCount() - 1;
    if (other && last >= 0) {
        getSwatchAt(last)->setSwatchStyle(KColorMenuItem::OtherColorSwatch);
        --last;
    }
    if (checkered && last >= 0)
        getSwatchAt(last)->setSwatchStyle(KColorMenuItem::CheckeredSwatch);
}

KColorMenuItem* KColorMenu::getSwatchAt(long Index) const
{
    if (Index < 0 || Index >= getItemCount())
        return nullptr;
    return dynamic_cast<KColorMenuItem*>(&getItems()[Index]);
}

void KColorMenu::setColor(const KColor& Color)
{
    for (long i = 0; i < getItemCount(); ++i) {
        if (KColorMenuItem* swatch = getSwatchAt(i))
            swatch->setChecked(swatch->getColor() == Color);
    }
    m_color = Color;
}

bool KColorMenu::takeChosenColor(KMenuEvent& E)
{
    auto* swatch = E.hasMenuItem() ? dynamic_cast<KColorMenuItem*>(&E.getMenuItem()) : nullptr;
    if (!swatch)
        return false;
    if (swatch->getSwatchStyle() != KColorMenuItem::OtherColorSwatch) {
        setColor(swatch->getColor());
        return true;
    }
    KColor chosen(kBlack);
    if (!KDialogHandler::exists() || !KDialogHandler::getDialogHandler().chooseColor(chosen))
        return false;
    swatch->setColor(chosen);
    setColor(chosen);
    return true;
}

bool KColorMenu::doMenuItem(KMenuEvent& E) { return !takeChosenColor(E); }

bool KColorMenu::takeAndSendColor(KMenuEvent& E, const char* Name)
{
    if (!takeChosenColor(E))
        return true;
    KThingPtr color = new KColor(m_color);
    if (!color.hasObject(nullptr))
        return false;
    KVariable value;
    value.setObject(*color);
    KFormatEvent::sendFormatChange(Name, value);
    return false;
}
