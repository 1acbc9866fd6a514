#pragma once
// Reads type-0 wireless bitmaps: one bit a pixel, rows top first.
#include "graphics/imageimport/DibImage.h"

class DibImageWbmp : public DibImage {
public:
    DibImageWbmp() : DibImage(FormatWbmp) {}
    bool decode(ImageStream* stream);

private:
    void decodeOrThrow(ImageStream& stream);
};
