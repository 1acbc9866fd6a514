#pragma once
// Control action events that a control sends at once rather than posting to the queue:
// what the native lists, bars and arrows report must reach the handlers before the native
// control goes on (a scroll bar's drag, a list's choice).
#include "foundation/KString.h"

class KControl;

// A control action event of the type with C as its source, handled before the call returns.
void sendControlActionNow(KControl& C, long Type);
// The same, carrying the string variable Name with Value.
void sendControlActionNow(KControl& C, long Type, const KString& Name, const KString& Value);
