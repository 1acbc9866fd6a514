#pragma once
// The media file of a tape object (the picture of a page transition, a sound, a movie)
// kept in step with the story's folders: looked for when it has gone, copied along with
// the story, replaced, and counted among the story's media by its leaf name.
#include "foundation/KPath.h"

class KDirectory;
class KFileReference;
class KStringBag;

class MediaFileLink {
public:
    explicit MediaFileLink(KFileReference& File);

    // A file that has gone is looked for by its leaf name in the media folder, then in
    // the further folder; failing both, the user is asked. A chosen file is copied beside
    // the story when the media folder exists, else used where it lies. True when the user
    // gave up the whole search.
    bool findMissing(const KPath& MediaFolder, const KPathPtr& FurtherFolder);
    // The file copied into the folder, under the registered extension of its type, unless
    // one is there already; the link then names the copy.
    void copyInto(const KDirectory& Target);
    // True when the file was Old and is New now.
    bool replace(const KFileReference& Old, const KFileReference& New);
    void collectName(KStringBag& Names) const;
    bool usesName(const KString& Name) const;

private:
    KString getLeafName() const;
    // The file of the same leaf name in the folder.
    KPath leafIn(const KPath& Folder) const;

    KFileReference& m_file;
};
