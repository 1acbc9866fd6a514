#include "story/TapeMediaFile.h"

#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KStringBag.h"

namespace {
uint8 ignoreMissingFile(const KFileReference&, KFileReference&) { return TapeMediaFile::Ignore; }

TapeMediaFile::MissingFileQuestion s_question = &ignoreMissingFile;

KString leafNameOf(const KFileReference& File)
{
    KString leaf;
    File.getPath().getLeafName(leaf);
    return leaf;
}

// Folder with the file name Leaf in it.
KPath fileIn(const KPath& Folder, const KString& Leaf)
{
    KPath path(Folder);
    path.setFileName(Leaf);
    return path;
}
} // namespace

void TapeMediaFile::setMissingFileQuestion(MissingFileQuestion Question)
{
    s_question = Question ? Question : &ignoreMissingFile;
}

void TapeMediaFile::takeFile(KFileReference& File, const KPath& Path) { File = KFileReference(Path); }

bool TapeMediaFile::findMissing(KFileReference& File, const KPath& MediaFolder, const KPathPtr& FurtherFolder)
{
    const KString leaf = leafNameOf(File);
    if (leaf.isEmpty() || File.exists())
        return false;
    const KPath candidate = fileIn(MediaFolder, leaf);
    if (KFileReference(candidate).exists()) {
        takeFile(File, candidate);
        return false;
    }
    if (FurtherFolder.hasObject(nullptr)) {
        const KPath further = fileIn(*FurtherFolder, leaf);
        if (KFileReference(further).exists()) {
            takeFile(File, further);
            return false;
        }
    }

    KFileReference chosen;
    switch (s_question(KFileReference(candidate), chosen)) {
    case Replace:
        // The replacement joins the media under the name the story knows; without a
        // media folder it is used where it lies.
        if (KDirectory(MediaFolder).exists()) {
            chosen.copyAndRename(candidate);
            takeFile(File, candidate);
        } else {
            File = chosen;
        }
        return false;
    case IgnoreAll:
        return true;
    default:
        return false;
    }
}

void TapeMediaFile::copyTo(KFileReference& File, const KDirectory& SourceFolder, const KDirectory& TargetFolder)
{
    findMissing(File, SourceFolder.getPath(), KPathPtr());
    if (!File.exists())
        return;
    KPath target(TargetFolder.getPath());
    target.setName(File.getPath().getName());
    target.setExtension(File.getPath().getExtension());
    if (KFileTypeHandler::hasAssociation(File.getFileTypeHandle()))
        target.setExtension(KFileTypeHandler::getAssociation(File.getFileTypeHandle()).getExtension());
    if (!KFileReference(target).exists())
        File.copyAndRename(target);
    takeFile(File, target);
}

bool TapeMediaFile::replace(KFileReference& File, const KFileReference& Old, const KFileReference& New)
{
    if (File != Old)
        return false;
    File = New;
    return true;
}

void TapeMediaFile::collectName(const KFileReference& File, KStringBag& Names)
{
    const KString leaf = leafNameOf(File);
    if (!leaf.isEmpty() && !Names.contains(leaf))
        Names.add(leaf);
}

bool TapeMediaFile::usesName(const KFileReference& File, const KString& Name)
{
    const KString leaf = leafNameOf(File);
    return leaf.getLength() == Name.getLength() && leaf == Name.getText();
}
