#include "graphics/ImageFileFormat.h"

#include "foundation/KFileReference.h"

namespace {
struct FormatOfExtension {
    const char* extension;
    KImageFileFormat format;
};

// In the order the types are tried.
constexpr FormatOfExtension s_formats[] = {
    {"BMP", KImageFileFormat::kBMP},   {"JPG", KImageFileFormat::kJPEG}, {"JPEG", KImageFileFormat::kJPEG},
    {"PNG", KImageFileFormat::kPNG},   {"GIF", KImageFileFormat::kGIF},  {"TIF", KImageFileFormat::kTIFF},
    {"TIFF", KImageFileFormat::kTIFF}, {"PIC", KImageFileFormat::kPICT}, {"PICT", KImageFileFormat::kPICT},
    {"PCT", KImageFileFormat::kPICT},
};
} // namespace

// The type list gives every extension the ID that makeTypeID computes from it, and the
// framework registers all the extensions above; so until a reference carries a type of
// its own, the IDs are computed here from the extensions themselves.
KImageFileFormat getImageFileFormat(const KFileReference& Ref)
{
    KFileTypeID id = Ref.getFileTypeHandle();
    if (id == kNoFileType)
        id = KFileTypeHandler::makeTypeID(Ref.getPath().getExtension());
    for (const FormatOfExtension& entry : s_formats) {
        if (id == KFileTypeHandler::makeTypeID(KString(entry.extension)))
            return entry.format;
    }
    return KImageFileFormat::kOther;
}

bool isBMPFileType(KFileTypeID ID) { return ID == KFileTypeHandler::makeTypeID(KString("BMP")); }
