#include "foundation/KFileTypeHandler.h"

#include "foundation/ErrorTable.h"

namespace {
// Made on first use, so that registrations from static initialisers find it.
KBag& typeList()
{
    static KBag list;
    return list;
}

KFileType& typeAt(long Pos)
{
    return static_cast<KFileType&>(typeList().getObjectAt(Pos));
}

// The position of the first type whose extension matches, or −1.
long findExtension(const KString& Extension)
{
    const KString wanted = Extension.getLowerCopy();
    for (long i = 0; i < typeList().getCount(); ++i) {
        if (typeAt(i).getExtension().getLowerCopy() == wanted)
            return i;
    }
    return -1;
}

long findID(KFileTypeID ID)
{
    for (long i = 0; i < typeList().getCount(); ++i) {
        if (typeAt(i).getTypeID() == ID)
            return i;
    }
    return -1;
}

KFileType& reportMissingType()
{
    kksReportError(62, "KFileTypeHandler::getAssociation(KFileTypeID T)");
    return kNullReference<KFileType>();
}
} // namespace

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

KFileTypeID KFileTypeHandler::makeAssociation(const KString& Extension, const KString& Creator,
                                              const KString& Type, const KString& Description)
{
    if (hasExtension(Extension)) {
        kksReportError(63, "KFileTypeHandler::makeAssociation()");
        return 0;
    }
    KFileType* type = new KFileType;
    if (!type)
        return 0;
    type->setExtension(Extension.getLowerCopy());
    type->setCreator(Creator);
    type->setType(Type);
    type->setDescription(Description);
    type->setTypeID(makeTypeID(type->getExtension()));
    typeList().add(*type);
    return type->getTypeID();
}

bool KFileTypeHandler::hasAssociation(KFileTypeID ID)
{
    return findID(ID) >= 0;
}

bool KFileTypeHandler::hasExtension(const KString& Extension)
{
    return findExtension(Extension) >= 0;
}

KFileType& KFileTypeHandler::getAssociation(KFileTypeID ID)
{
    const long pos = findID(ID);
    return pos >= 0 ? typeAt(pos) : reportMissingType();
}

KFileType& KFileTypeHandler::getAssociationByExtension(const KString& Extension)
{
    const long pos = findExtension(Extension);
    return pos >= 0 ? typeAt(pos) : reportMissingType();
}

KFileTypeID KFileTypeHandler::getTypeIDOfExtension(const KString& Extension)
{
    const long pos = findExtension(Extension);
    return pos >= 0 ? typeAt(pos).getTypeID() : kNoFileType;
}

void KFileTypeHandler::getExtension(KString& Out, KFileTypeID ID)
{
    Out.clear();
    const long pos = findID(ID);
    if (pos >= 0)
        Out = typeAt(pos).getExtension();
}

const KBag& KFileTypeHandler::getTypeList()
{
    return typeList();
}

void KFileTypeHandler::removeAllAssociations()
{
    typeList().clear();
}

void KFileTypeHandler::registerFrameworkTypes()
{
    struct BuiltIn {
        const char* extension;
        const char* creator;
        const char* type;
        const char* description;
    };
    // Every extension that image loading looks up is among them.
    static const BuiltIn builtIns[] = {
        {"TXT", "ttxt", "TEXT", "Text File"},
        {"EXE", "????", "APPL", "Application"},
        {"DXF", "????", "????", "DXF File"},
        {"BMP", "TVOD", "BMP ", "Windows Bitmap"},
        {"JPG", "TVOD", "JPEG", "JPEG Image"},
        {"JPEG", "TVOD", "JPEG", "JPEG Image"},
        {"PCT", "ttxt", "PICT", "Macintosh Picture"},
        {"PIC", "ttxt", "PICT", "Macintosh Picture"},
        {"PICT", "ttxt", "PICT", "Macintosh Picture"},
        {"TGA", "prvw", "TPIC", "TGA Image"},
        {"XPM", "ttxt", "XPM ", "Linux Pixmap"},
        {"PNG", "TVOD", "PNG ", "Portable Network Graphics"},
        {"GIF", "TVOD", "GIF ", "GIF Image"},
        {"TIF", "TVOD", "TIFF", "TIFF Image"},
        {"TIFF", "TVOD", "TIFF", "TIFF Image"},
    };
    for (const BuiltIn& b : builtIns)
        makeAssociation(KString(b.extension), KString(b.creator), KString(b.type), KString(b.description));
}
