#pragma once
// What the overlay and top windows share: they float above every other window and open
// their native windows with their own extended styles.
#include "foundation/KTypes.h"

class KWindow;

// Above dialogs (4) and palettes (3); never offered format events.
constexpr long kFloatingWindowLayer = 6;
// Topmost and accepting dropped files; the top window also has a taskbar button.
constexpr unsigned long kOverlayExStyle = 0x00000018;
constexpr unsigned long kTopExStyle = 0x00040018;
constexpr unsigned long kPopupStyle = 0x80000000;
// What a failed creation is reported under, as for every window.
constexpr const char* kOpenContext = "void KWindow::open(OpenMode Mode)";

// True, after the fatal "Already Open." report, when W has its native window already.
bool isOpenedTwice(const KWindow& W);
// The native menu bar W shows: the menu manager's while W carries it, else none.
void* carriedMenuBar(const KWindow& W);
