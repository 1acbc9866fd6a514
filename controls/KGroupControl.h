#pragma once
// A group of controls under a title: a native group box while framed, else a plain area
// painted with the button face. It takes no focus and lets the mouse through to its
// containers.
#include "controls/KControl.h"
#include "foundation/KString.h"

class KGroupControl : public KControl {
    K_DECLARE_CLASS(KGroupControl)
public:
    KGroupControl();
    ~KGroupControl() override;

    void createNativeControl() override;
    // Unframed: the outline is wiped in the button face.
    void draw() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    KEventReturn mouseDownEvent(KMouseEvent& E) override;
    KEventReturn mouseMoveEvent(KMouseEvent& E) override;
    KEventReturn mouseUpEvent(KMouseEvent& E) override;

    // The native window takes the title only when it is made.
    void setTitle(const KString& Title);
    const KString& getTitle() const { return m_title; }
    // A live group makes its native window (and its sub-controls') again.
    void setFramed(bool Framed);
    bool isFramed() const { return m_framed; }

private:
    bool m_framed = true;
    KString m_title;
};

K_POINTER_CLASS(KGroupControl, KControlPtr);
