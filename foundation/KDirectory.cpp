#include "foundation/KDirectory.h"

#include "foundation/DirectoryWin32.h"
#include "foundation/DiskWin32.h"
#include "foundation/KFileReference.h"
#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KDirectory, KDiskObjectReference, 1)

namespace {
// The longest path text the system's directory calls take (MAX_PATH).
constexpr long kMaxPathLength = 260;

// The path text without its trailing separator, the name the system knows a directory by.
KString withoutSeparator(const KString& Text)
{
    return Text.getLeft(Text.getLength() - 1);
}
} // namespace

KDirectory::KDirectory()
{
    setKind(KPath::DirectoryKind);
}

KDirectory::KDirectory(const KDirectory& O)
    : KDiskObjectReference(O)
{
    setKind(KPath::DirectoryKind);
}

KDirectory::KDirectory(const KDiskObjectReference& O)
    : KDiskObjectReference(O)
{
    setKind(KPath::DirectoryKind);
}

KDirectory::KDirectory(const KPath& P)
    : KDiskObjectReference(P)
{
    setKind(KPath::DirectoryKind);
}

KDirectory& KDirectory::operator=(const KDirectory& O)
{
    assign(O);
    setKind(KPath::DirectoryKind);
    return *this;
}

void KDirectory::setPath(const KPath& P)
{
    KPath folder(P);
    folder.clearName();
    folder.clearExtension();
    KDiskObjectReference::setPath(folder);
}

KBagPtr KDirectory::getFiles(uint8 Filter) const
{
    KBagPtr result(new KBag);
    if (!result.get())
        return result;
    KString text = getNativePath();
    // Too long a path is simply one the system cannot list, like a missing directory.
    if (text.isEmpty() || text.getLength() > kMaxPathLength || !exists())
        return result;
    if (text.getCharAt(text.getLength() - 1) != '\\')
        text.append('\\');

    std::vector<DirectoryEntryWin32> entries;
    if (!listDirectoryWin32((text + "*.*").getText(), entries))
        return result;
    const bool wantDirectories = Filter == Subdirectories || Filter == FilesAndSubdirectories;
    const bool wantFiles = Filter == Files || Filter == FilesAndSubdirectories;
    for (const DirectoryEntryWin32& entry : entries) {
        KPath path;
        if (entry.isDirectory && wantDirectories) {
            path.setPathText(text + entry.name.c_str() + "\\", kPlatformWindows);
            if (KDirectory* directory = new KDirectory) {
                directory->setPath(path);
                result->add(*directory);
            }
        } else if (!entry.isDirectory && wantFiles) {
            path.setPathText(text + entry.name.c_str(), kPlatformWindows);
            if (KFileReference* file = new KFileReference) {
                file->setPath(path);
                result->add(*file);
            }
        }
    }
    return result;
}

void KDirectory::create()
{
    const KString text = getNativePath();
    if (!text.isEmpty() && !exists())
        createDirectoryWin32(text.getText());
}

void KDirectory::removeAll()
{
    KBagPtr entries = getFiles(FilesAndSubdirectories);
    if (!entries.get())
        return;
    for (long i = 0; i < entries->getCount(); ++i) {
        const KDiskObjectReference& entry = static_cast<const KDiskObjectReference&>(entries->getObjectAt(i));
        if (entry.getKind() == KPath::FileKind)
            KFileReference(entry).remove();
        else if (entry.getKind() == KPath::DirectoryKind)
            KDirectory(entry).remove();
    }
}

void KDirectory::remove()
{
    removeAll();
    if (getPath().getDirectoryCount() > 0)
        removeDirectoryWin32(withoutSeparator(getNativePath()).getText());
}

void KDirectory::rename(const KString& NewName)
{
    const long count = getPath().getDirectoryCount();
    if (count == 0) {
        kksReportError(47, "void KDirectory::rename(const KString& S)");
        return;
    }
    KPath renamed(getPath());
    renamed.clearDirectories();
    for (long i = 0; i + 1 < count; ++i)
        renamed.addDirectory(*getPath().getDirectory(i));
    renamed.addDirectory(NewName);

    KString newText;
    renamed.getPathText(newText, kPlatformWindows, KPath::AsStored);
    if (moveFileWin32(withoutSeparator(getNativePath()).getText(), withoutSeparator(newText).getText()))
        path() = renamed;
}

void KDirectory::copy(const KDiskObjectReference& Target)
{
    KBagPtr entries = getFiles(FilesAndSubdirectories);
    if (!entries.get())
        return;
    for (long i = 0; i < entries->getCount(); ++i) {
        const KDiskObjectReference& entry = static_cast<const KDiskObjectReference&>(entries->getObjectAt(i));
        if (entry.getKind() == KPath::FileKind) {
            KFileReference(entry).copy(Target);
        } else if (entry.getKind() == KPath::DirectoryKind) {
            const KPath& source = entry.getPath();
            KPath targetPath(Target.getPath());
            targetPath.addDirectory(*source.getDirectory(source.getDirectoryCount() - 1));
            KDirectory target(targetPath);
            if (!target.exists())
                target.create();
            KDirectory(entry).copy(target);
        }
    }
}

void KDirectory::copyAndRename(const KDiskObjectReference&, const KString&)
{
    knsNotYetImplemented("void KDirectory::copyAndRename(const KDirectory& D, const KString& S)");
}
