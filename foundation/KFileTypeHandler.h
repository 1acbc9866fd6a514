#pragma once
// The process-wide list of known file types, in registration order. Types are known by
// extension: extensions are unique whatever their letter case and are stored in lower
// case. The application, media and speech layers register their types once at start-up;
// afterwards file references take their type from their extension, images pick their
// decoder by it, and dialogs list the descriptions.
#include "foundation/KBag.h"
#include "foundation/KFileType.h"

class KFileTypeHandler {
public:
    // Each byte as a signed value, a to z upper-cased: ID × 256 + byte, wrapping at 32
    // bits, so only the last four characters of a longer extension count.
    static KFileTypeID makeTypeID(const KString& Extension);

    // Registers a type under the lower-cased extension and gives its ID; an extension
    // already known in any letter case is error 63 and gives 0, the first one staying.
    static KFileTypeID makeAssociation(const KString& Extension, const KString& Creator,
                                       const KString& Type, const KString& Description);
    static bool hasAssociation(KFileTypeID ID);
    static bool hasExtension(const KString& Extension);
    // The first type with that ID, or with that extension in any letter case. A miss is
    // the fatal error 62: callers that may miss test first, or use the two look-ups
    // below, which never report.
    static KFileType& getAssociation(KFileTypeID ID);
    static KFileType& getAssociationByExtension(const KString& Extension);
    // −1 for an extension that is not registered.
    static KFileTypeID getTypeIDOfExtension(const KString& Extension);
    // The stored (lower-case) extension of the type, or an empty text.
    static void getExtension(KString& Out, KFileTypeID ID);

    // The KFileType records, in registration order.
    static const KBag& getTypeList();
    // Empties the list; the application does so when it is destroyed.
    static void removeAllAssociations();

    // The framework's own types: text, application, DXF and the image formats. The
    // application's constructor registers them before anything else.
    static void registerFrameworkTypes();
};
