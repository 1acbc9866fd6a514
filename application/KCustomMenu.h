#pragma once
// A menu of owner-drawn cells of one fixed size, laid out in columns of a fixed number of
// rows: colour swatches or picture tiles rather than text. What a cell shows is drawn by
// a subclass in its custom item hook.
#include "application/KMenu.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KGraphicSize.h"

class KCustomMenuItem;

class KCustomMenu : public KMenu {
    K_DECLARE_CLASS(KCustomMenu)
public:
    KCustomMenu();
    ~KCustomMenu() override;

    virtual void fillGrid(short Columns, short Rows);
    virtual void setItemSizeAndGrid(const KGraphicSize& Size, short Columns, short Rows);
    // A cell of this menu must be drawn now; true when handled.
    virtual bool doCustomMenuItem(KMenuEvent& E);

    void setItemSize(const KGraphicSize& Size) { m_itemSize = Size; }
    const KGraphicSize& getItemSize() const { return m_itemSize; }
    void setGrid(short Columns, short Rows);
    short getColumns() const { return m_columns; }
    short getRows() const { return m_rows; }
    // For subclasses; the framework does not use it.
    void setRectangle(const KGraphicRectangle& R) { m_rectangle = R; }
    const KGraphicRectangle& getRectangle() const { return m_rectangle; }

    // Nothing is appended before the grid is set.
    void appendCustomItem(KCustomMenuItem& Item);

private:
    KGraphicSize m_itemSize;
    KGraphicRectangle m_rectangle;
    short m_columns = 0;
    short m_rows = 0;
};

K_POINTER_CLASS(KCustomMenu, KMenuPtr);
