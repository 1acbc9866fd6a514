#pragma once
// The base of every control: an interactive element that sits directly in a window's
// controls layer or inside a container control. A control placed in a window keeps the
// window; one inside a container finds its window up the container chain. Control action
// events climb the same chain (the control, then its containers, then the window).
#include "application/KInteractiveElement.h"
#include "application/KWindow.h"
#include "foundation/KNativePtr.h"

class KControlActionEvent;

class KControl : public KInteractiveElement {
    K_DECLARE_CLASS(KControl)
public:
    KControl();
    ~KControl() override;

    virtual void setParentControl(KControl& Container);
    virtual void clearParentControl();
    virtual void setWindow(KWindow& Window);
    virtual void clearWindow();
    // A control action event of this control or of one it contains that the control
    // below did not take; answers whether it was handled.
    virtual bool handleAction(KControlActionEvent& E);
    using KInteractiveElement::handleAction;

    KControl& getParentControl() const;
    bool hasParentControl() const { return m_container.hasNativePtr(); }
    // The window at the top of the container chain; error 18 when there is none.
    KWindow& getParentWindow() const;
    bool hasParentWindow() const;
    bool findParentWindow(KWindowPtr& Out) const;
    // The control's native child window; null while it has none.
    void* getNativeWindow() const { return m_nativeWindow; }

private:
    KNativePtr m_container;
    KWindowPtr m_window;
    void* m_nativeWindow = nullptr;
};

K_POINTER_CLASS(KControl, KInteractiveElementPtr);
