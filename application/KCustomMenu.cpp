#include "application/KCustomMenu.h"

#include "application/KCustomMenuItem.h"
#include "application/NativeMenusWin32.h"
#include "foundation/ErrorTable.h"

namespace {
constexpr short kInitialItemSide = 12;
} // namespace

K_DEFINE_CLASS(KCustomMenu, KMenu, 1)

KCustomMenu::KCustomMenu()
    : KMenu(1)
    , m_itemSize(kInitialItemSide, kInitialItemSide)
{
    setTitle("CustomMenu");
}

KCustomMenu::~KCustomMenu() = default;

void KCustomMenu::setGrid(short Columns, short Rows)
{
    m_columns = Columns;
    m_rows = Rows;
}

void KCustomMenu::fillGrid(short Columns, short Rows)
{
    setGrid(Columns, Rows);
    const long count = static_cast<long>(Columns) * Rows;
    for (long i = 0; i < count; ++i) {
        KCustomMenuItemPtr item = new KCustomMenuItem;
        appendCustomItem(*item);
    }
}

void KCustomMenu::setItemSizeAndGrid(const KGraphicSize& Size, short Columns, short Rows)
{
    setItemSize(Size);
    fillGrid(Columns, Rows);
}

bool KCustomMenu::doCustomMenuItem(KMenuEvent&) { return false; }

void KCustomMenu::appendCustomItem(KCustomMenuItem& Item)
{
    const char* context = "void KCustomMenu::appendCustomItem(KCustomMenuItem& Item)";
    if (Item.hasParentMenu())
        kksReportError(70, context);
    if (!getNativeMenu())
        kksReportError(73, context);
    if (m_rows == 0 || m_columns == 0)
        return;
    KCustomMenuItemPtr hold(Item);
    const long id = assignUniqueIDWin32(Item);
    Item.setNativeID(id);
    // Every full column is followed by a bar and a new column.
    const long count = getItemCount();
    appendNativeOwnerDrawnWin32(getNativeMenu(), id, &Item, count > 0 && count % m_rows == 0);
    adoptItem(Item);
}
