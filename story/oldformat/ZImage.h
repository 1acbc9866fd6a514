#pragma once
// An old picture: a file shown in a rectangle, and the mask option.
#include "story/oldformat/ZFramedMedia.h"

class ZImage : public ZFramedMedia {
    Z_DECLARE_CLASS(ZImage)
public:
    ZImage();

    // A picture of the same file, bounds and mask option.
    TapeObjectPtr convertToKTapeObject() const override;
};
