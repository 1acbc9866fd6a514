#include "story/ActorTapeObject.h"

#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KStringBag.h"
#include "player/LumoApplication.h"
#include "story/Actor.h"
#include "story/MissingFileQuery.h"
#include "story/Tape.h"

namespace {
const char* const kDefaultExtension = "ACT";
// A target for an actor file that has no extension.
const char* const kCopyExtension = "act";
} // namespace

KString ActorTapeObject::getActorFileExtension()
{
    if (LumoApplication::hasApplication()) {
        const KFileTypeID type = LumoApplication::getApplication().getActorFileType();
        if (KFileTypeHandler::hasAssociation(type))
            return KFileTypeHandler::getAssociation(type).getExtension();
    }
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
    const KFileReference expected(actorFileIn(MediaFolder));
    const bool further = FurtherFolder.hasObject(nullptr);
    const KFileReference other(further ? actorFileIn(*FurtherFolder) : KPath());
    if (expected.exists() || (further && other.exists()))
        return false;
    KFileReference chosen;
    switch (MissingFileQuery::ask(expected, chosen)) {
    case MissingFileQuery::Replaced:
        chosen.copyAndRename(further ? other.getPath() : expected.getPath());
        return false;
    case MissingFileQuery::IgnoredAll:
        return true;
    default:
        return false;
    }
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
