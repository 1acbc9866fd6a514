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

// The ID of the type registered for an extension; a type that is not registered is error
// 62, after which no ID matches.
KFileTypeID registeredTypeID(const char* Extension)
{
    const KFileType& type = KFileTypeHandler::getAssociationByExtension(KString(Extension));
    return kIsNullReference(&type) ? kNoFileType : type.getTypeID();
}
} // namespace

KImageFileFormat getImageFileFormat(const KFileReference& Ref)
{
    KFileTypeID id = Ref.getFileTypeHandle();
    if (id == kNoFileType)
        id = KFileTypeHandler::getTypeIDOfExtension(Ref.getPath().getExtension());
    if (id == kNoFileType)
        return KImageFileFormat::kOther;
    for (const FormatOfExtension& entry : s_formats) {
        if (id == registeredTypeID(entry.extension))
            return entry.format;
    }
    return KImageFileFormat::kOther;
}

bool isBMPFileType(KFileTypeID ID)
{
    return ID != kNoFileType && ID == KFileTypeHandler::getTypeIDOfExtension(KString("BMP"));
}
