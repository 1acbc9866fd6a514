#include "tools/menus/KImageMenu.h"

#include "application/KCustomMenuItem.h"
#include "application/KMenuEvent.h"
#include "graphics/KGraphicObject.h"

K_DEFINE_CLASS(KImageMenu, KCustomMenu, 1)

KImageMenu::KImageMenu() { setTitle("ImageMenu"); }

KImageMenu::~KImageMenu() = default;

void KImageMenu::setPicture(KGraphicObject& Picture) { m_picture.setObject(Picture); }
void KImageMenu::resetPicture() { m_picture.reset(); }
void KImageMenu::setHighlightedPicture(KGraphicObject& Picture) { m_highlightedPicture.setObject(Picture); }
void KImageMenu::resetHighlightedPicture() { m_highlightedPicture.reset(); }
void KImageMenu::setCheckedPicture(KGraphicObject& Picture) { m_checkedPicture.setObject(Picture); }
void KImageMenu::resetCheckedPicture() { m_checkedPicture.reset(); }
void KImageMenu::setHighlightedCheckedPicture(KGraphicObject& Picture)
{
    m_highlightedCheckedPicture.setObject(Picture);
}
void KImageMenu::resetHighlightedCheckedPicture() { m_highlightedCheckedPicture.reset(); }

KGraphicObject& KImageMenu::getPicture() const { return static_cast<KGraphicObject&>(m_picture.getObject()); }
KGraphicObject& KImageMenu::getHighlightedPicture() const
{
    return static_cast<KGraphicObject&>(m_highlightedPicture.getObject());
}
KGraphicObject& KImageMenu::getCheckedPicture() const
{
    return static_cast<KGraphicObject&>(m_checkedPicture.getObject());
}
KGraphicObject& KImageMenu::getHighlightedCheckedPicture() const
{
    return static_cast<KGraphicObject&>(m_highlightedCheckedPicture.getObject());
}

void KImageMenu::divideIntoCells(short Columns, short Rows)
{
    if (!hasPicture() || Columns <= 0 || Rows <= 0)
        return;
    const KGraphicSize& whole = getPicture().getSize();
    setItemSizeAndGrid(KGraphicSize(static_cast<short>(whole.getWidth() / Columns),
                                    static_cast<short>(whole.getHeight() / Rows)),
                       Columns, Rows);
}

KGraphicObject* KImageMenu::pictureFor(bool Highlighted, bool Checked) const
{
    auto* picture = static_cast<KGraphicObject*>(m_picture.get());
    if (Highlighted) {
        if (m_highlightedPicture.hasObject(nullptr))
            picture = static_cast<KGraphicObject*>(m_highlightedPicture.get());
        if (Checked && m_highlightedCheckedPicture.hasObject(nullptr))
            picture = static_cast<KGraphicObject*>(m_highlightedCheckedPicture.get());
    } else if (Checked && m_checkedPicture.hasObject(nullptr)) {
        picture = static_cast<KGraphicObject*>(m_checkedPicture.get());
    }
    return picture;
}

bool KImageMenu::doCustomMenuItem(KMenuEvent& E)
{
    if (getColumns() <= 0 || getRows() <= 0 || !E.hasMenuItem())
        return false;
    auto* item = dynamic_cast<KCustomMenuItem*>(&E.getMenuItem());
    if (!item)
        return false;
    KGraphicObject* picture = pictureFor(item->isSelected(), item->isChecked());
    if (!picture)
        return false;
    // The row counts up from the bottom of the column, as the platform's bitmap drawing
    // counts the source rows of a picture.
    short column = 0;
    short row = 0;
    item->getPosition(column, row);
    if (column < 0 || row < 0)
        return false;
    const KGraphicSize& cell = getItemSize();
    const KGraphicRectangle source(static_cast<short>(cell.getWidth() * column),
                                   static_cast<short>(cell.getHeight() * row), cell.getWidth(), cell.getHeight());
    KGraphicDevicePtr device;
    KGraphicRectangle destination;
    if (!item->createGraphicDevice(device, destination))
        return false;
    KThingPtr hold(picture);
    picture->drawPart(*device, source, destination);
    item->disposeGraphicDevice(device);
    return true;
}
