#pragma once
// Reads one image of a Windows icon file; the icon's AND mask becomes the alpha plane.
#include "graphics/imageimport/DibImage.h"

class DibImageIco : public DibImage {
public:
    DibImageIco() : DibImage(FormatIco) {}
    bool decode(ImageStream* stream);

private:
    void decodeOrThrow(ImageStream& stream);
};
