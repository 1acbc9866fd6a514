#pragma once
// A native slider (track bar) with ticks every page. Its setters store what they are
// given and the native control clamps; the value follows the thumb when it is read. A
// press is sent at once as a down action (type 1), before the base tracks it; thumb
// drags (type 2) and the other steps (type 4) are sent only when the action mask holds
// their type. It lies vertically unless it is wider than tall.
#include "controls/KControl.h"

class KSliderControl : public KControl {
    K_DECLARE_CLASS(KSliderControl)
public:
    KSliderControl();
    ~KSliderControl() override;

    void setHilite(uint8 H) override;
    void createNativeControl() override;
    void destroyNativeControl() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    KEventReturn mouseDownEvent(KMouseEvent& E) override;
    KEventReturn mouseMoveEvent(KMouseEvent& E) override;
    KEventReturn mouseUpEvent(KMouseEvent& E) override;

    void setMinimum(long Minimum);
    void setMaximum(long Maximum);
    void setPageSize(long PageSize);
    void setValue(long Value, bool UpdateNative);
    // The native thumb's position while the native window exists.
    long getValue();
    long getMinimum() const { return m_minimum; }
    long getMaximum() const { return m_maximum; }
    long getPageSize() const { return m_pageSize; }

private:
    long m_minimum = 0;
    long m_maximum = 100;
    long m_value = 0;
    long m_pageSize = 10;
};

// Also made from a plain pointer; create holds a new default slider in place of what the
// pointer held.
class KSliderControlPtr : public KTypedPtr<KSliderControl, KControlPtr> {
public:
    using KTypedPtr<KSliderControl, KControlPtr>::KTypedPtr;
    using KTypedPtr<KSliderControl, KControlPtr>::operator=;
    KSliderControlPtr() = default;
    KSliderControlPtr(const KSliderControlPtr& P)
        : KTypedPtr<KSliderControl, KControlPtr>(P)
    {
    }
    KSliderControlPtr& operator=(const KSliderControlPtr& P)
    {
        KTypedPtr<KSliderControl, KControlPtr>::operator=(P);
        return *this;
    }
    void create();
};
