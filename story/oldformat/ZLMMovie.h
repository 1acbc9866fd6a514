#pragma once
// An old movie: a file played in a rectangle, and an option byte.
#include "story/oldformat/ZFramedMedia.h"

class ZLMMovie : public ZFramedMedia {
    Z_DECLARE_CLASS(ZLMMovie)
public:
    ZLMMovie();

    // Movies have no tape object of their own in this program yet: empty.
    TapeObjectPtr convertToKTapeObject() const override;
};
