#include "story/oldformat/ZLMMovie.h"

#include "story/LumoMovie.h"

Z_DEFINE_CLASS(ZLMMovie)

ZLMMovie::ZLMMovie() { setKind(TapeObject::MovieKind); }

TapeObjectPtr ZLMMovie::convertToKTapeObject() const
{
    LumoMoviePtr movie(new LumoMovie);
    movie->setBounds(convertedBounds(getBounds()));
    movie->setFlag(getOption());
    movie->setFileReference(mediaFileReference(getFile()));
    return TapeObjectPtr(movie.get());
}
