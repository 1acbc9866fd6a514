#pragma once
// The native half of the main loop: one step takes at most one native message and hands
// it on, then polls the mailslot. When the loop may block, the wait is armed to wake up
// when the next timer falls due.
#include "application/KNativeMessage.h"
#include "foundation/KTypes.h"

class KEvent;

// Takes and handles at most one native message; a quit message clears Running and sets
// the process's exit code to its wParam.
void kksGetNativeEvent(bool MayBlock, bool& Running, uint32 TimeOut);
// The framework event made of a window message, or null; the caller sends or posts it.
KEvent* kksDispatchNativeMessage(const KNativeMessage& Message);

// Arms the wake-up for a blocking wait of TimeOut ms (0: none, the wait lasts until a
// message comes); true when one was armed.
bool kksSetWakeTimer(uint32 TimeOut);
// The one-shot multimedia timer of the wake-up; true when it was created.
bool kksStartWakeTimer(uint32 TimeOut);
// The wake-up's resolution from the multimedia timer's limits: the minimum period, at
// least 1 and at most the maximum period. Below 5 ms the multimedia timer is used.
uint32 kksChooseWakeResolution(uint32 MinPeriod, uint32 MaxPeriod);

void kksPostQuitMessage(int Code);

// The blocking wait of a step. The system's arms the wake-up and waits in GetMessageA;
// tests install their own, which answers at once. It gives the message taken, or false
// for none. Null restores the system's.
using KNativeWait = bool (*)(KNativeMessage& Out, uint32 TimeOut);
void kksSetNativeWait(KNativeWait Wait);
