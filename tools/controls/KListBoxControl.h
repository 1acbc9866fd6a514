#pragma once
// A single-column list of text rows with a vertical scroll bar, drawn by the framework
// without a native list window. The rows are static texts highlighted across their whole
// width, held by a list arrangement the control owns; each carries an object of the
// caller's choice. The control keeps the scroll bar in step with the list, draws the list
// through an off-screen image, hands it the mouse and the keys in its own coordinates and
// tells its owner of selection changes (type 7, when the action mask holds 7) and double
// clicks (type 9, always) as control action events.
#include "controls/KControl.h"
#include "controls/KScrollBarControl.h"
#include "tools/igo/KListArrangementIGO.h"

class KListBoxControl : public KControl {
    K_DECLARE_CLASS(KListBoxControl)
public:
    enum Action : long {
        SelectionChangedAction = 7,
        DoubleClickAction = 9,
    };

    KListBoxControl();
    ~KListBoxControl() override;

    // The batch slots: changes made between them are laid out once, at the end. Batches
    // do not nest.
    void setFlag800() override;
    void clearFlag800() override;
    // Actions of the list: a scroll moves the bar, a selection change goes to the owner.
    bool handleAction(KActionEvent& E) override;
    // A move of the scroll bar scrolls the list by as many pixels.
    bool handleAction(KControlActionEvent& E) override;
    // Tab moves the focus on in the window (Shift+Tab back); other keys go to the list.
    bool keyTyped(KKeyEvent& E) override;
    bool focusGained(KKeyEvent& E) override;
    bool focusLost(KKeyEvent& E) override;
    // Both redraw the whole control at once.
    void invalidate() override;
    void invalidateRect(const KWideRectangle& R) override;
    void layoutSubControls() override;
    void draw() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    KEventReturn mouseDownEvent(KMouseEvent& E) override;
    KEventReturn mouseMoveEvent(KMouseEvent& E) override;
    KEventReturn mouseRepeatEvent(KMouseEvent& E) override;
    KEventReturn mouseUpEvent(KMouseEvent& E) override;
    KEventReturn mouseEnterEvent(KMouseEvent& E) override;
    KEventReturn mouseExitEvent(KMouseEvent& E) override;

    // The list box becomes the list's parent; a list it replaces is let go.
    virtual void setList(KListArrangementIGO& L);
    virtual void clearList();
    virtual void relayout();

    // Error 18 once the list was cleared; so is every operation below that reaches it.
    KListArrangementIGO& getList() const { return m_list.getObject(); }
    bool hasList() const { return m_list.hasObject(nullptr); }
    KScrollBarControl& getScrollBar() const { return m_scrollBar.getObject(); }

    void beginUpdate() { setFlag800(); }
    void endUpdate() { clearFlag800(); }
    // These three bracket themselves when called outside a batch.
    void appendItem(const KString& Text, KThing& Object);
    void removeItem(long Index);
    void removeAllItems();
    // Neither resizes the row nor redraws.
    void setItemText(long Index, const KString& Text);
    // The first row whose text is Text, exactly (case too); Index is written only then.
    bool findItem(const KString& Text, long& Index) const;
    long getSelectedIndex() const;
    void selectItem(long Index);
    void updateScrollBar();

private:
    bool isUpdating() const { return (getStateFlags() & Flag800) != 0; }
    // The list through an off-screen image of its size, at its place in Area.
    void drawList(KGraphicDevice& Dev, const KGraphicRectangle& Area);
    // While the window owns the keyboard focus and this control has it.
    bool showsFocus() const;
    bool targets(const KMouseEvent& E) const;
    // Reports the missing list (error 18) and answers false when there is none.
    bool requireList() const;
    void releaseList();
    // Runs Change inside a batch, opening and closing one when none is open.
    template <typename Change>
    void inBatch(Change Do);

    KListArrangementIGOPtr m_list;
    KScrollBarControlPtr m_scrollBar;
};

K_POINTER_CLASS(KListBoxControl, KControlPtr);
