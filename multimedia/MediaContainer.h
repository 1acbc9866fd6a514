#pragma once
// What a media file holds, told from its own bytes before the platform's media framework
// is handed it. That framework tries parser after parser on a file, and a parser that
// fails while its pipeline starts (a container it knows, cut short of the chunks that
// parser needs) can leave the opening thread waiting for good. So a file of a known form
// without the chunks its content lives in counts as broken: an AVI whose movie list holds
// no chunk, a WAVE without its format, an AIFF without its sound data.
#include "foundation/KTypes.h"

#include <functional>

class MediaContainer {
public:
    enum Kind : uint8 {
        // No form this check knows; the platform may still know it.
        Unknown = 0,
        // A known form without the chunks its content needs, or no file at all.
        Broken,
        // The movie containers the platform's splitters play.
        Avi,
        Mpeg,
        QuickTime,
        Asf,
        // Sound forms whose chunks are checked.
        Wave,
        Aiff,
    };

    // Reads up to Size bytes at Offset into Into and answers how many arrived: fewer at
    // the end of the file, none past it.
    using Reader = std::function<size_t(uint64_t Offset, uint8* Into, size_t Size)>;

    static Kind identify(const Reader& Read);
    static bool isMovie(Kind K) { return K == Avi || K == Mpeg || K == QuickTime || K == Asf; }

private:
    // The size of the top-level chunk ID (with, for ListType, that list type) of the RIFF
    // or IFF form that begins the file; false when the walk does not find it.
    static bool findChunk(const Reader& Read, bool BigEndian, const char* ID, const char* ListType, uint32& Size);
};
