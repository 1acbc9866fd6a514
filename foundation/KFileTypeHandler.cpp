#include "foundation/KFileTypeHandler.h"

KFileTypeID KFileTypeHandler::makeTypeID(const KString& Extension)
{
    uint32 id = 0;
    for (long i = 0; i < Extension.getLength(); ++i) {
        int c = static_cast<signed char>(Extension.getCharAt(i));
        if (c >= 'a' && c <= 'z')
            c -= 32;
        id = id * 256 + static_cast<uint32>(c);
    }
    return static_cast<int32>(id);
}

KFileTypeID KFileTypeHandler::getTypeIDOfExtension(const KString&)
{
    // No file type can be registered yet: the type list comes with the file types
    // themselves. Until then every extension is unknown.
    return kNoFileType;
}
