#include "story/ActorTapeObject.h"

#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KStringBag.h"
#include "story/Actor.h"
#include "story/StoryHost.h"
#include "story/Tape.h"
#include "story/TapeMediaFile.h"

namespace {
const char* const kDefaultExtension = "ACT";
// A target for an actor file that has no extension.
const char* const kCopyExtension = "act";
} // namespace

KString ActorTapeObject::getActorFileExtension()
{
    const KFileTypeID type = StoryHost::get().getActorFileType();
    if (KFileTypeHandler::hasAssociation(type))
        return KFileTypeHandler::getAssociation(type).getExtension();
    return KString(kDefaultExtension);
}

KString ActorTapeObject::getActorFileName() const { return m_actorName + "." + getActorFileExtension(); }

KPath ActorTapeObject::actorFileIn(const KPath& Folder) const
{
    KPath path(Folder);
    path.setName(m_actorName);
    path.setExtension(getActorFileExtension());
    return path;
}

bool ActorTapeObject::findActor(ActorPtr& Out) const { return hasTape() && getTape().findActor(m_actorName, Out); }

void ActorTapeObject::finish()
{
    if (hasTape())
        getTape().resetRunningObject();
}

void ActorTapeObject::copyFrom(const TapeObject& Other)
{
    TapeObject::copyFrom(Other);
    if (const auto* other = dynamic_cast<const ActorTapeObject*>(&Other))
        m_actorName = other->m_actorName;
}

bool ActorTapeObject::findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder)
{
    if (m_actorName.isEmpty())
        return false;
    const bool further = FurtherFolder.hasObject(nullptr);
    if (KFileReference(actorFileIn(MediaFolder)).exists() || (further && KFileReference(actorFileIn(*FurtherFolder)).exists()))
        return false;
    // A file the user chooses goes where the caller wants the media: into the further
    // folder when there is one.
    const KPath& folder = further ? *FurtherFolder : MediaFolder;
    KFileReference file(actorFileIn(folder));
    return TapeMediaFile::findMissing(file, folder, KPathPtr());
}

void ActorTapeObject::copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder)
{
    findMissingMedia(SourceFolder.getPath(), KPathPtr());
    KFileReference file(actorFileIn(SourceFolder.getPath()));
    if (!file.exists())
        return;
    KPath copy(TargetFolder.getPath());
    copy.setName(file.getPath().getName());
    copy.setExtension(file.getPath().getExtension().isEmpty() ? KString(kCopyExtension) : file.getPath().getExtension());
    if (!KFileReference(copy).exists())
        file.copyAndRename(copy);
}

bool ActorTapeObject::replaceMediaFile(const KFileReference& Old, const KFileReference& New)
{
    bool replaced = false;
    ActorPtr actor;
    if (findActor(actor) && actor->replaceMediaFile(Old, New)) {
        actor->save(KFileReference(actorFileIn(New.getPath())));
        replaced = true;
    }
    if (Old.getPath().getExtension() == getActorFileExtension() && Old.getPath().getName() == m_actorName) {
        m_actorName = New.getPath().getName();
        replaced = true;
    }
    return replaced;
}

void ActorTapeObject::collectMediaNames(KStringBag& Names)
{
    if (!m_actorName.isEmpty() && !Names.contains(getActorFileName()))
        Names.add(getActorFileName());
    ActorPtr actor;
    if (findActor(actor))
        actor->collectMediaNames(Names);
}

bool ActorTapeObject::usesMediaName(const KString& Name)
{
    if (!m_actorName.isEmpty() && Name == getActorFileName())
        return true;
    ActorPtr actor;
    return findActor(actor) && actor->usesMediaName(Name);
}
