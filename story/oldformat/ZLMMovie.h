#pragma once
// An old movie: a file played in a rectangle, and an option byte.
#include "story/oldformat/ZFramedMedia.h"

class ZLMMovie : public ZFramedMedia {
    Z_DECLARE_CLASS(ZLMMovie)
public:
    ZLMMovie();

    // A movie of the same file and bounds; the option is whether a click ends it.
    TapeObjectPtr convertToKTapeObject() const override;
};
