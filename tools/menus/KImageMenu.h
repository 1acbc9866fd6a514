#pragma once
// A menu of picture cells: one picture cut into a grid of equal cells, one item per cell,
// with other pictures of the same layout for highlighted, checked, and highlighted and
// checked items.
#include "application/KCustomMenu.h"
#include "foundation/KThingPtr.h"

class KGraphicObject;

class KImageMenu : public KCustomMenu {
    K_DECLARE_CLASS(KImageMenu)
public:
    KImageMenu();
    ~KImageMenu() override;

    // Draws the item's cell of the picture for its state; false when there is nothing
    // to draw it from.
    bool doCustomMenuItem(KMenuEvent& E) override;

    virtual void setPicture(KGraphicObject& Picture);
    virtual void resetPicture();
    virtual void setHighlightedPicture(KGraphicObject& Picture);
    virtual void resetHighlightedPicture();
    virtual void setCheckedPicture(KGraphicObject& Picture);
    virtual void resetCheckedPicture();
    virtual void setHighlightedCheckedPicture(KGraphicObject& Picture);
    virtual void resetHighlightedCheckedPicture();
    // Items of the picture's size divided by the grid, Columns × Rows of them; nothing
    // without a picture or with an empty grid.
    virtual void divideIntoCells(short Columns, short Rows);

    // Error 18 when empty.
    KGraphicObject& getPicture() const;
    bool hasPicture() const { return m_picture.hasObject(nullptr); }
    KGraphicObject& getHighlightedPicture() const;
    bool hasHighlightedPicture() const { return m_highlightedPicture.hasObject(nullptr); }
    KGraphicObject& getCheckedPicture() const;
    bool hasCheckedPicture() const { return m_checkedPicture.hasObject(nullptr); }
    KGraphicObject& getHighlightedCheckedPicture() const;
    bool hasHighlightedCheckedPicture() const { return m_highlightedCheckedPicture.hasObject(nullptr); }

    // The picture an item in that state shows (null when none is set): a highlighted item
    // falls back to the plain picture, a checked one too.
    KGraphicObject* pictureFor(bool Highlighted, bool Checked) const;

private:
    KThingPtr m_picture;
    KThingPtr m_highlightedPicture;
    KThingPtr m_checkedPicture;
    KThingPtr m_highlightedCheckedPicture;
};

K_POINTER_CLASS(KImageMenu, KCustomMenuPtr);
