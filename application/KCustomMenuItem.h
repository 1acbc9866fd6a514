#pragma once
// A cell of a custom menu, drawn by its owner. While the platform asks for the cell to be
// drawn, the item holds the draw request; a subclass's custom item hook then makes a
// device over it, draws the cell (selected or not) within the given rectangle, and
// disposes of the device.
#include "application/KMenuItem.h"
#include "foundation/KGraphicRectangle.h"
#include "graphics/KGraphicDevice.h"

class KCustomMenuItem : public KMenuItem {
    K_DECLARE_CLASS(KCustomMenuItem)
public:
    KCustomMenuItem();
    ~KCustomMenuItem() override;

    // The cell must be drawn now; true when handled.
    virtual bool doCustomMenuItem(KMenuEvent& E);

    void setDrawInfo(const void* DrawRequest) { m_drawRequest = DrawRequest; }
    void clearDrawInfo() { m_drawRequest = nullptr; }
    bool hasDrawInfo() const { return m_drawRequest != nullptr; }
    void setSelected(bool Selected) { m_selected = Selected; }
    bool isSelected() const { return m_selected; }

    // A device over the draw request's context, bounded to the cell, whose rectangle goes
    // into ItemRect; false, with the pointer empty, outside a draw request.
    bool createGraphicDevice(KGraphicDevicePtr& Device, KGraphicRectangle& ItemRect);
    void disposeGraphicDevice(KGraphicDevicePtr& Device);
    // The cell's column, and its row counted from the bottom of a full column; both -1
    // while detached.
    void getPosition(short& Column, short& Row) const;

protected:
    // A cell is drawn by its owner; it has no text to rewrite.
    bool hasNativeText() const override { return false; }

private:
    const void* m_drawRequest = nullptr;
    bool m_selected = false;
};

K_POINTER_CLASS(KCustomMenuItem, KMenuItemPtr);
