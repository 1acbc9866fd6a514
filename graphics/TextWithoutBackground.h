#pragma once
// Text objects draw "without background" by compositing: the text is drawn into an alpha
// image of the object's size, and again in black on white into the image's mask, so that
// only the characters reach the destination.
#include <functional>

class KGraphicDevice;
class KGraphicRectangle;
class KGraphicSize;

// DrawText draws the text into a device of Size at its origin; DrawInBlack does the same
// with every character in black. S and D are passed on to the alpha image unchanged.
void drawTextWithoutBackground(const KGraphicSize& Size, const std::function<void(KGraphicDevice&)>& DrawText,
                               const std::function<void(KGraphicDevice&)>& DrawInBlack, KGraphicDevice& Device,
                               const KGraphicRectangle& S, const KGraphicRectangle& D);
