#pragma once
// A tape object that names an actor of the story's cast: the actor actions and the actor
// motions. It names the actor by its cast name, the leaf name of the actor file in the
// project's media folder, and keeps that file in step with the story's folders: it looks
// for the file when it has gone, copies it into another folder, follows a replaced file
// and counts it, with the media of the actor's frames, among the story's media.
#include "story/TapeObject.h"

class ActorPtr;

class ActorTapeObject : public TapeObject {
public:
    // The extension of the application's actor file type; "ACT" while none is registered.
    static KString getActorFileExtension();

    // When the object names an actor and its file lies in neither folder, the user is
    // asked for it, and a file chosen is copied into the further folder when there is
    // one, else into the media folder. True when the user gave up the whole search.
    bool findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder) override;
    // After the search in the source folder, the actor file is copied into the target
    // folder unless one lies there already.
    void copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder) override;
    // An actor whose frames used Old is saved beside New; the actor file Old itself
    // renames the object's actor to New's name. True when either happened.
    bool replaceMediaFile(const KFileReference& Old, const KFileReference& New) override;
    // The actor file's name once, then the media of the actor's frames.
    void collectMediaNames(KStringBag& Names) override;
    // The actor file, or a medium of the actor's frames: what collectMediaNames lists.
    bool usesMediaName(const KString& Name) override;
    // The base fields and the actor name.
    void copyFrom(const TapeObject& Other) override;

    const KString& getActorName() const { return m_actorName; }
    void setActorName(const KString& Name) { m_actorName = Name; }
    // The actor name, ".", the extension.
    KString getActorFileName() const;

protected:
    ActorTapeObject() = default;

    // The cast actor of the name, on the object's own tape.
    bool findActor(ActorPtr& Out) const;
    // Ends the object's run on its tape.
    void finish();

    KString m_actorName;

private:
    // The actor file in the folder.
    KPath actorFileIn(const KPath& Folder) const;
};
