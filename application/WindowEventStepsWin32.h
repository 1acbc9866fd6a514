#pragma once
// The native steps of window events: paint, validate, move, resize and close. Each
// answers whether the window handled the event.
#include "application/KEvent.h"

class KWindowEvent;

KEventReturn kksPaintWindowEvent(KWindowEvent& E);
KEventReturn kksValidateWindowEvent(KWindowEvent& E);
KEventReturn kksMoveWindowEvent(KWindowEvent& E);
KEventReturn kksResizeWindowEvent(KWindowEvent& E);
// The window's close request: 2 means it may close.
KEventReturn kksCloseWindowEvent(KWindowEvent& E);
