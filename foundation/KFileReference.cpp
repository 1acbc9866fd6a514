#include "foundation/KFileReference.h"

#include "foundation/KDirectory.h"

#include "foundation/DiskWin32.h"
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KFileReference, KDiskObjectReference, 1)

namespace {
// Access denied is not worth telling the user about: the target is simply protected.
constexpr int16 kAccessDenied = 5;
} // namespace

KFileReference::KFileReference()
{
    setKind(KPath::FileKind);
}

KFileReference::KFileReference(const KFileReference& O)
    : KDiskObjectReference(O)
    , m_fileType(O.m_fileType)
{
}

KFileReference::KFileReference(const KDiskObjectReference& O)
    : KDiskObjectReference(O)
{
    setKind(KPath::FileKind);
    KFileReference::updateFileType();
}

KFileReference::KFileReference(const KPath& P)
    : KDiskObjectReference(P)
{
    setKind(KPath::FileKind);
    KFileReference::updateFileType();
}

KFileReference& KFileReference::operator=(const KFileReference& O)
{
    assign(O);
    m_fileType = O.m_fileType;
    return *this;
}

void KFileReference::updateFileType()
{
    const KFileTypeID type = KFileTypeHandler::getTypeIDOfExtension(getPath().getExtension());
    if (type != kNoFileType)
        m_fileType = type;
}

void KFileReference::refreshFileType()
{
    updateFileType();
}

bool KFileReference::exists() const
{
    if (getPath().getName().isEmpty() && getPath().getExtension().isEmpty())
        return false;
    return KDiskObjectReference::exists();
}

void KFileReference::remove()
{
    const KString text = getNativePath();
    if (text.isEmpty()) {
        kksReportError(47, "void  KFile::remove()");
        return;
    }
    deleteFileWin32(text.getText());
}

void KFileReference::rename(const KString& NewName)
{
    KPath renamed(getPath());
    renamed.setName(NewName);
    KString newText;
    renamed.getPathText(newText, knsGetPlatform(), KPath::AsStored);
    if (moveFileWin32(getNativePath().getText(), newText.getText()))
        path().setName(NewName);
}

void KFileReference::copyTo(const KString& TargetText)
{
    if (!copyFileWin32(getNativePath().getText(), TargetText.getText()) && lastDiskErrorWin32() != kAccessDenied)
        kksReportError(50, "KFileSystem::copy(const KDirectory& Dest)");
}

void KFileReference::copy(const KDiskObjectReference& Target)
{
    if (!exists() || !Target.exists())
        return;
    KString target = Target.getNativePath();
    if (target.getCharAt(target.getLength() - 1) != '\\')
        target.append('\\');
    KString leaf;
    getPath().getLeafName(leaf);
    copyTo(target + leaf);
}

void KFileReference::copyAndRename(const KDiskObjectReference& Target, const KString& NewName)
{
    if (!exists() || !Target.exists())
        return;
    copyTo(Target.getNativePath() + NewName);
}

void KFileReference::copyAndRename(const KPath& Target)
{
    KPath folder(Target);
    folder.clearName();
    folder.clearExtension();
    KString leaf;
    Target.getLeafName(leaf);
    copyAndRename(KDiskObjectReference(folder), leaf);
}

void KFileReference::changeExtension(const KString&)
{
    knsNotYetImplemented("void KFileReference::changeExtension(const KString&)");
}

void KFileReference::writeToFile(KFile& F, long Ver)
{
    KClassWriter writer;
    writer.begin(F, KFileReference::getClassRecord());
    writer.newSection(1);
    F.writeLong(m_fileType);
    KDiskObjectReference::writeToFile(F, Ver);
    writer.end();
}

void KFileReference::readFromFile(KFile& F)
{
    KClassReader reader;
    long version = 0, sections = 0, id = -1;
    reader.begin(F, KFileReference::getClassRecord(), version, sections);
    reader.nextSection(id);
    if (id == 1) {
        F.readLong(m_fileType);
        KDiskObjectReference::readFromFile(F);
    }
    reader.end();
}

KDirectory KFileReference::getDirectory() const
{
    KPath folder(getPath());
    folder.clearName();
    folder.setExtension(KString());
    return KDirectory(folder);
}
