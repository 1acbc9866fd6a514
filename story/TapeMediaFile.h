#pragma once
// The media-file housekeeping that every tape object with a file of its own offers, done
// on that object's file reference: finding the file again when it has gone (in the
// project's "Media" folder, in a second folder, else by asking the user), copying it
// into a folder, replacing it, and answering by its leaf name (name, dot, extension).
//
// The question to the user goes through a seam: the find-missing-file dialog answers it
// in the program, tests answer it themselves.
#include "foundation/KPath.h"
#include "foundation/KTypes.h"

class KDirectory;
class KFileReference;
class KString;
class KStringBag;

class TapeMediaFile {
public:
    // The buttons of the find-missing-file dialog.
    enum Answer : uint8 {
        // Chosen names the replacement.
        Replace = 1,
        Ignore = 2,
        // The user gives up the whole search.
        IgnoreAll = 4,
    };
    // Asks where the missing file is; Missing names the file as it should lie in the
    // "Media" folder.
    using MissingFileQuestion = uint8 (*)(const KFileReference& Missing, KFileReference& Chosen);

    // Null puts back the default, which ignores the file while no dialog is installed.
    static void setMissingFileQuestion(MissingFileQuestion Question);

    // True when the user gave the search up. A file that exists, or an object without a
    // file, has nothing to look for.
    static bool findMissing(KFileReference& File, const KPath& MediaFolder, const KPathPtr& FurtherFolder);
    // The file into the target folder (with its type's own extension), where a file of
    // that name does not already lie; the object then refers to the copy.
    static void copyTo(KFileReference& File, const KDirectory& SourceFolder, const KDirectory& TargetFolder);
    // True when the file was Old and is now New.
    static bool replace(KFileReference& File, const KFileReference& Old, const KFileReference& New);
    // The leaf name, once, and never an empty one.
    static void collectName(const KFileReference& File, KStringBag& Names);
    // Letter case counts.
    static bool usesName(const KFileReference& File, const KString& Name);

private:
    static void takeFile(KFileReference& File, const KPath& Path);
};
