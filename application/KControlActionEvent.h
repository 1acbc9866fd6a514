#pragma once
// What a control did: pressed, dragged, repeated, done, or an edit control's text
// changed. It climbs from the control through its containers to the window and the
// application; a release on a dialog's OK, Cancel or Apply button that nobody took carries
// the button out.
#include "application/KActionEvent.h"

class KControlActionEvent : public KActionEvent {
    K_DECLARE_CLASS(KControlActionEvent)
public:
    enum Kind : long {
        Down = 1,
        Drag = 2,
        Repeat = 3,
        Done = 4,
        TextChanged = 5,
        EditPressed = 6,
    };

    KControlActionEvent();
    // A fresh event part with the source, type, time and native message of E.
    KControlActionEvent(const KControlActionEvent& E);
    ~KControlActionEvent() override;
    KControlActionEvent& operator=(const KControlActionEvent&) = delete;

    KEventReturn handle() override;
};

K_POINTER_CLASS(KControlActionEvent, KActionEventPtr);
