#pragma once
// What an interactive element did: pressed, entered, left or released (done). The element
// is the event's source.
#include "application/KEvent.h"

class KActionEvent : public KEvent {
    K_DECLARE_CLASS(KActionEvent)
public:
    enum Kind : long {
        Down = 1,
        Enter = 2,
        Leave = 3,
        Up = 4,
    };

    KActionEvent();
    ~KActionEvent() override;

    KEventReturn handle() override;
};

K_POINTER_CLASS(KActionEvent, KEventPtr);
