#pragma once
// Opening a document of the older program (extension "LMT", beginning with "LMDF"): the
// old tape is read through the old object model and converted into a current tape, which
// plays on a 640 × 480 page.
//
// An old document is untrusted: one that is not an old document, or is damaged or cut
// short, or holds an object that cannot be converted, is refused with the message that it
// is no Narrabo document, and nothing of the project it was to be opened into changes.
#include "foundation/KFileReference.h"

class LumoProject;
class Tape;

class OldDocumentImport {
public:
    static constexpr long kDocumentType = 0x4C4D4446; // "LMDF"
    static constexpr short kPageWidth = 640;
    static constexpr short kPageHeight = 480;

    // Whether the file has the file type registered for the extension "LMT".
    static bool isOldDocument(const KFileReference& File);
    // Reads the old document into the target tape; true when the target holds the
    // converted story.
    static bool importOldDocument(const KFileReference& File, Tape& Target);
    // The old-version road of the project's load, with the reference the load made: the
    // story imported into a new tape, which the project then takes with the reference,
    // its folder and its "Media" folder (only when that exists: none is made). The tape
    // then looks for its missing media and goes onto the story layer. False, with the
    // project unchanged, when the import fails.
    static bool load(LumoProject& Project, KFileReference& Reference);

private:
    static bool refuse();
};
