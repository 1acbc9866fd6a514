#pragma once
// The question put to the user when a media file of the story has gone: the tools
// library's find-missing-file dialog, run modally. The player installs the dialog as the
// asker, tests install answers of their own; with no asker the file is ignored, as if the
// user had pressed "Ignore".
#include "foundation/KTypes.h"

class KFileReference;

class MissingFileQuery {
public:
    // The dialog's results.
    enum Answer : uint8 {
        Replaced = 1,
        Ignored = 2,
        IgnoredAll = 4,
    };
    // Asks about Missing; on Replaced the user's file is in Chosen.
    using Asker = uint8 (*)(const KFileReference& Missing, KFileReference& Chosen);

    static void setAsker(Asker A);
    static uint8 ask(const KFileReference& Missing, KFileReference& Chosen);
};
