#pragma once
// Shows a drawable object larger than itself: a view in origin-and-zoom mode fills the
// control left of and above a horizontal and a vertical scroll bar, and moving a bar moves
// the view's origin. The owner sets the view's content and calls updateScrollBars when the
// content, the zoom or the control's size changes.
#include "controls/KControl.h"
#include "controls/KScrollBarControl.h"
#include "controls/KView.h"

class KScrollViewControl : public KControl {
    K_DECLARE_CLASS(KScrollViewControl)
public:
    KScrollViewControl();
    ~KScrollViewControl() override;

    // The bars along the bottom and right edges, one pixel beyond the control's left and
    // top edges, leaving the bottom-right corner free.
    void layoutSubControls() override;
    void draw() override;
    // A move of one of the bars scrolls the view and redraws at once.
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    virtual void setView(KView& View);
    virtual void clearView();
    // A bar set here takes the place of the one before among the sub-controls.
    virtual void setHorizontalScrollBar(KScrollBarControl& Bar);
    virtual void clearHorizontalScrollBar();
    virtual void setVerticalScrollBar(KScrollBarControl& Bar);
    virtual void clearVerticalScrollBar();
    // Ranges from the content's size at the view's zoom; the origin is pulled back within
    // them and the bars follow it.
    virtual void updateScrollBars();

    // Error 18 when there is none.
    KView& getView() const { return m_view.getObject(); }
    KScrollBarControl& getHorizontalScrollBar() const { return m_horizontalBar.getObject(); }
    KScrollBarControl& getVerticalScrollBar() const { return m_verticalBar.getObject(); }

private:
    // The bars' thickness: the width of the horizontal bar's size on this platform.
    short barThickness() const;
    void replaceBar(KScrollBarControlPtr& Slot, KScrollBarControl* Bar);

    KViewPtr m_view;
    KScrollBarControlPtr m_horizontalBar;
    KScrollBarControlPtr m_verticalBar;
};

K_POINTER_CLASS(KScrollViewControl, KControlPtr);
