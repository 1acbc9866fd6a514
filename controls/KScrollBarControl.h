#pragma once
// A native scroll bar over [minimum, maximum] with a page and a line step. Its value
// always lies in that range, and the thumb reaches exactly the maximum. Each move the
// user makes is sent at once as an action: type 2 while the thumb is dragged, type 4 for
// every other step (the end of a scroll included), whatever the action mask holds. A bar
// whose page covers its whole range is disabled on screen: there is nothing to scroll.
// It lies vertically unless it is wider than tall.
#include "controls/KControl.h"

class KScrollBarControl : public KControl {
    K_DECLARE_CLASS(KScrollBarControl)
public:
    KScrollBarControl();
    ~KScrollBarControl() override;

    void setHilite(uint8 H) override;
    void createNativeControl() override;
    void destroyNativeControl() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    // Handled without tracking: the click belongs to the native bar.
    KEventReturn mouseDownEvent(KMouseEvent& E) override;
    KEventReturn mouseMoveEvent(KMouseEvent& E) override;
    KEventReturn mouseUpEvent(KMouseEvent& E) override;

    void setMinimum(long Minimum);
    void setMaximum(long Maximum);
    void setPageSize(long PageSize);
    // Applied by the scroll handling; the native bar is not told.
    void setLineStep(long Step) { m_lineStep = Step; }
    // Clamped to the range.
    void setValue(long Value, bool UpdateNative);
    long getMinimum() const { return m_minimum; }
    long getMaximum() const { return m_maximum; }
    long getPageSize() const { return m_pageSize; }
    long getLineStep() const { return m_lineStep; }
    long getValue() const { return m_value; }

private:
    long clamp(long Value) const;
    bool coversRange() const { return m_pageSize >= m_maximum - m_minimum; }
    // After a change of range or page: the value kept in the range, the native bar told.
    void applyRange();
    // Disabled on screen while nothing can scroll.
    void applyEnabling();

    long m_minimum = 0;
    long m_maximum = 100;
    long m_value = 0;
    long m_pageSize = 10;
    long m_lineStep = 1;
};

K_POINTER_CLASS(KScrollBarControl, KControlPtr);
