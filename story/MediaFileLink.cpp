#include "story/MediaFileLink.h"

#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KStringBag.h"
#include "story/MissingFileQuery.h"

MediaFileLink::MediaFileLink(KFileReference& File)
    : m_file(File)
{
}

KString MediaFileLink::getLeafName() const
{
    KString leaf;
    m_file.getPath().getLeafName(leaf);
    return leaf;
}

KPath MediaFileLink::leafIn(const KPath& Folder) const
{
    KPath path(Folder);
    path.setName(m_file.getPath().getName());
    path.setExtension(m_file.getPath().getExtension());
    return path;
}

bool MediaFileLink::findMissing(const KPath& MediaFolder, const KPathPtr& FurtherFolder)
{
    if (m_file.getPath().getKind() != KPath::FileKind || m_file.exists())
        return false;
    KFileReference candidate(leafIn(MediaFolder));
    if (candidate.exists()) {
        m_file.setPath(candidate.getPath());
        return false;
    }
    if (FurtherFolder.hasObject(nullptr)) {
        candidate = KFileReference(leafIn(*FurtherFolder));
        if (candidate.exists()) {
            m_file.setPath(candidate.getPath());
            return false;
        }
    }
    KFileReference chosen;
    switch (MissingFileQuery::ask(candidate, chosen)) {
    case MissingFileQuery::Replaced:
        if (KDirectory(MediaFolder).exists()) {
            chosen.copyAndRename(candidate.getPath());
            m_file.setPath(candidate.getPath());
        } else {
            m_file.setPath(chosen.getPath());
        }
        return false;
    case MissingFileQuery::IgnoredAll:
        return true;
    default:
        return false;
    }
}

void MediaFileLink::copyInto(const KDirectory& Target)
{
    if (!m_file.exists())
        return;
    KPath copy = leafIn(Target.getPath());
    if (KFileTypeHandler::hasAssociation(m_file.getFileTypeHandle()))
        copy.setExtension(KFileTypeHandler::getAssociation(m_file.getFileTypeHandle()).getExtension());
    if (!KFileReference(copy).exists())
        m_file.copyAndRename(copy);
    m_file = KFileReference(copy);
}

bool MediaFileLink::replace(const KFileReference& Old, const KFileReference& New)
{
    if (m_file != Old)
        return false;
    m_file = New;
    return true;
}

void MediaFileLink::collectName(KStringBag& Names) const
{
    const KString leaf = getLeafName();
    if (!leaf.isEmpty() && !Names.contains(leaf))
        Names.add(leaf);
}

bool MediaFileLink::usesName(const KString& Name) const { return getLeafName() == Name; }
