#pragma once
// Walks the records of a metafile before GDI is given it. GDI trusts what a metafile says
// of itself: record sizes, counts of points, characters and palette entries, offsets of
// the bitmaps inside a record, indexes into the object table. A damaged file that lies
// about any of them makes the system's player read past the record or the table, so a
// metafile is taken only when its records follow one another up to the end record and
// every record holds what its own counts and offsets say. Records the checks do not know
// are taken on their size alone.
#include <cstddef>
#include <cstdint>

class MetafileRecordCheck {
public:
    // A Windows metafile: the 18-byte header, then its records.
    static bool isSoundWindowsMetafile(const uint8_t* Data, size_t Size);
    // An enhanced metafile: the header record, then the others, up to the end record.
    static bool isSoundEnhancedMetafile(const uint8_t* Data, size_t Size);
};
