#pragma once
// Paint, validate, move, resize, close, activation and deactivation of a window.
#include "application/KEvent.h"
#include "application/KWindow.h"

class KWindowEvent : public KEvent {
    K_DECLARE_CLASS(KWindowEvent)
public:
    enum Kind : long {
        Paint = 0,
        Validate = 1,
        Moved = 2,
        Resized = 3,
        Close = 4,
        Activated = 5,
        Deactivated = 6,
    };

    KWindowEvent();
    ~KWindowEvent() override;

    KEventReturn handle() override;

    virtual void setWindow(KWindow& W);
    virtual void resetWindow();
    KWindow& getWindow() const { return m_window.getObject(); }
    bool hasWindow() const { return m_window.hasObject(nullptr); }

private:
    KEventReturn close(KWindow& Window);
    KEventReturn activated(KWindow& Window);
    KEventReturn deactivated(KWindow& Window);

    KWindowPtr m_window;
};

K_POINTER_CLASS(KWindowEvent, KEventPtr);
