#pragma once
// File types are known by extension. A file type ID is the extension's letters,
// upper-cased and packed big-endian into 32 bits; −1 means no type.
#include "foundation/KString.h"

using KFileTypeID = long;
constexpr KFileTypeID kNoFileType = -1;

class KFileTypeHandler {
public:
    // Each byte as a signed value, a to z upper-cased: ID × 256 + byte, wrapping at 32
    // bits, so only the last four characters of a longer extension count.
    static KFileTypeID makeTypeID(const KString& Extension);
    // The ID of the type registered for an extension (any letter case), or −1.
    static KFileTypeID getTypeIDOfExtension(const KString& Extension);
};
