#pragma once
// The actor file that an actor action or an actor motion names: the actor's name with the
// extension of the application's actor file type, in the project's media folder. Both
// kinds keep that file in step with the story's folders in the same way: they look for it
// when it has gone, copy it into another folder, follow a replaced file and count it
// among the story's media. The link works on the owner's own actor name and tape.
#include "foundation/KPath.h"
#include "foundation/KString.h"

class ActorPtr;
class KDirectory;
class KFileReference;
class KStringBag;
class TapeObject;

class ActorFileLink {
public:
    ActorFileLink(KString& ActorName, const TapeObject& Owner);

    // The extension of the application's actor file type; "ACT" while none is registered.
    static KString getExtension();
    // The actor name, ".", the extension.
    KString getFileName() const;
    // The actor file in the folder.
    KPath pathIn(const KPath& Folder) const;
    // The cast actor of the name, on the owner's tape.
    bool findActor(ActorPtr& Out) const;

    // When the link names an actor and its file lies in neither folder, the user is asked
    // for it, and a file chosen is copied into the further folder when there is one, else
    // into the media folder. True when the user gave up the whole search.
    bool findMissing(const KPath& MediaFolder, const KPathPtr& FurtherFolder) const;
    // The file of the Source folder copied into Target unless one is there already.
    void copyInto(const KDirectory& Source, const KDirectory& Target) const;
    // An actor whose frames used Old is saved beside New; the actor file Old itself
    // renames the link to New's name. True when either happened.
    bool replaceMediaFile(const KFileReference& Old, const KFileReference& New);
    // The file's name once, then the media of the actor's frames.
    void collectMediaNames(KStringBag& Names) const;
    // The actor file, or a medium of the actor's frames: what collectMediaNames lists.
    bool usesMediaName(const KString& Name) const;

private:
    KString& m_actorName;
    const TapeObject& m_owner;
};
