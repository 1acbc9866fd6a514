#include "story/ActorFileLink.h"

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

ActorFileLink::ActorFileLink(KString& ActorName, const TapeObject& Owner)
    : m_actorName(ActorName)
    , m_owner(Owner)
{
}

KString ActorFileLink::getExtension()
{
    if (LumoApplication::hasApplication()) {
        const KFileTypeID type = LumoApplication::getApplication().getActorFileType();
        if (KFileTypeHandler::hasAssociation(type))
            return KFileTypeHandler::getAssociation(type).getExtension();
    }
    return KString(kDefaultExtension);
}

KString ActorFileLink::getFileName() const { return m_actorName + "." + getExtension(); }

KPath ActorFileLink::pathIn(const KPath& Folder) const
{
    KPath path(Folder);
    path.setName(m_actorName);
    path.setExtension(getExtension());
    return path;
}

bool ActorFileLink::findActor(ActorPtr& Out) const
{
    return m_owner.hasTape() && m_owner.getTape().findActor(m_actorName, Out);
}

bool ActorFileLink::findMissing(const KPath& MediaFolder, const KPathPtr& FurtherFolder) const
{
    if (m_actorName.isEmpty())
        return false;
    const KFileReference expected(pathIn(MediaFolder));
    const bool further = FurtherFolder.hasObject(nullptr);
    const KFileReference other(further ? pathIn(*FurtherFolder) : KPath());
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

void ActorFileLink::copyInto(const KDirectory& Source, const KDirectory& Target) const
{
    KFileReference file(pathIn(Source.getPath()));
    if (!file.exists())
        return;
    KPath copy(Target.getPath());
    copy.setName(file.getPath().getName());
    copy.setExtension(file.getPath().getExtension().isEmpty() ? KString(kCopyExtension) : file.getPath().getExtension());
    if (!KFileReference(copy).exists())
        file.copyAndRename(copy);
}

bool ActorFileLink::replaceMediaFile(const KFileReference& Old, const KFileReference& New)
{
    bool replaced = false;
    ActorPtr actor;
    if (findActor(actor) && actor->replaceMediaFile(Old, New)) {
        actor->save(KFileReference(pathIn(New.getPath())));
        replaced = true;
    }
    if (Old.getPath().getExtension() == getExtension() && Old.getPath().getName() == m_actorName) {
        m_actorName = New.getPath().getName();
        replaced = true;
    }
    return replaced;
}

void ActorFileLink::collectMediaNames(KStringBag& Names) const
{
    if (!m_actorName.isEmpty() && !Names.contains(getFileName()))
        Names.add(getFileName());
    ActorPtr actor;
    if (findActor(actor))
        actor->collectMediaNames(Names);
}

bool ActorFileLink::usesMediaName(const KString& Name) const
{
    if (!m_actorName.isEmpty() && Name == getFileName())
        return true;
    ActorPtr actor;
    return findActor(actor) && actor->usesMediaName(Name);
}
