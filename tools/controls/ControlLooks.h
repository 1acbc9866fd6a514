#pragma once
// What the framework-drawn controls of the tools library share in their drawing: the
// outline shown while a control has nothing else to show, the focus rectangle, and the
// swallowed background erase that keeps them from flickering.
#include "foundation/KGraphicRectangle.h"
#include "graphics/KImage.h"

#include <functional>

class KControl;
class KGraphicDevice;
class KNativeEvent;

// An 8-pixel outline just inside R: blue at rest, yellow under the mouse, red pressed,
// grey disabled; nothing for an enabled control in any other hilite state.
void drawStateOutline(KGraphicDevice& Dev, const KGraphicRectangle& R, bool Enabled, uint8 Hilite);
// The platform's focus rectangle 4 pixels inside R, while C holds the keyboard focus.
void drawFocusInside(KGraphicDevice& Dev, const KGraphicRectangle& R, const KControl& C);
// True, and the message kept from the native class, when E is the background erase.
bool swallowEraseBackground(KNativeEvent& E);

// Paint draws on a device over C's native window, in C's rectangle at (0, 0), its drawing
// state saved around it; C's sub-controls follow. Nothing while C has no such device.
void drawOnControl(KControl& C, const std::function<void(KGraphicDevice&, const KGraphicRectangle&)>& Paint);

// The framework-drawn buttons paint through one off-screen image per class, kept between
// draws and made again only when the control's size differs, so that the window gets a
// single copy per redraw. Paint draws the content on the image after a white fill; the
// focus rectangle, the copy onto C's window and the sub-controls follow.
void drawThroughOffScreen(KControl& C, KImagePtr& Shared,
                          const std::function<void(KGraphicDevice&, const KGraphicRectangle&)>& Paint);

// The on state of a toggle button C as its press is released: a click that began on C and
// ends over it flips it in mode 1 and sets it in mode 2.
uint8 toggleOnRelease(const KControl& C, uint8 ToggleMode, uint8 On);
