#include "story/oldformat/ZLMMovie.h"

Z_DEFINE_CLASS(ZLMMovie)

ZLMMovie::ZLMMovie() { setKind(TapeObject::MovieKind); }

TapeObjectPtr ZLMMovie::convertToKTapeObject() const { return TapeObjectPtr(); }
