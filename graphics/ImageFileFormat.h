#pragma once
// Which reader an image file goes to, decided by the file's type.
#include "foundation/KFileTypeHandler.h"

class KFileReference;

enum class KImageFileFormat : uint8 {
    kOther,
    kBMP,
    kJPEG,
    kPNG,
    kGIF,
    kTIFF,
    kPICT,
};

// The reference's file-type ID, or the ID registered for its extension when it has none,
// compared with the registered types of "BMP"; "JPG", "JPEG"; "PNG"; "GIF"; "TIF", "TIFF";
// "PIC", "PICT", "PCT" (the framework registers all of them).
KImageFileFormat getImageFileFormat(const KFileReference& Ref);

// Whether a file-type ID is the type registered for "BMP".
bool isBMPFileType(KFileTypeID ID);
