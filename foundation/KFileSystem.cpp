#include "foundation/KFileSystem.h"

#include "foundation/ApplicationLink.h"
#include "foundation/DiskWin32.h"
#include "foundation/FileSystemWin32.h"
#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KFileSystem, KThing, 1)

namespace {
KFileSystemPtr s_fileSystem;

// The shell may show user interface while it looks a folder up, owned by the main window.
// The file system is also made before there is one (and in programs without one): the
// shell then shows its interface without an owner.
void* shellOwnerWindow()
{
    return ApplicationLink::mainNativeWindow();
}
} // namespace

KFileSystem::KFileSystem()
{
    initCommonApplicationDataDirectory();
    initApplicationDirectory();
    initApplicationDataDirectory();
    initTemporaryDirectory();
    initDocumentsDirectory();
    initPicturesDirectory();
    initMusicDirectory();
    initVideosDirectory();
    initDesktopDirectory();
}

void KFileSystem::initFileSystem()
{
    s_fileSystem.setObjectOrNull(new KFileSystem);
}

void KFileSystem::exitFileSystem()
{
    s_fileSystem.reset();
}

KFileSystem& KFileSystem::getFileSystem()
{
    return s_fileSystem.getObject();
}

void KFileSystem::setFolder(KDirectory& Member, KString Text)
{
    if (!Text.isEmpty() && Text.getCharAt(Text.getLength() - 1) != '\\')
        Text.append('\\');
    KPath path;
    path.setPathText(Text, kPlatformWindows);
    Member.setPath(path);
}

void KFileSystem::initSpecialFolder(KDirectory& Member, int Csidl)
{
    KString text;
    if (getSpecialFolderWin32(Csidl, shellOwnerWindow(), text))
        setFolder(Member, text);
}

void KFileSystem::initCommonApplicationDataDirectory()
{
    initSpecialFolder(commonApplicationDataDirectory, kCsidlCommonAppData);
}

void KFileSystem::initApplicationDirectory()
{
    if (!applicationDirectory.getNativePath().isEmpty())
        return;
    KPath program;
    program.setPathText(getProgramFolderWin32(), knsGetPlatform());
    applicationDirectory.setPath(program);
}

void KFileSystem::initApplicationDataDirectory()
{
    initSpecialFolder(applicationDataDirectory, kCsidlAppData);
}

void KFileSystem::initTemporaryDirectory()
{
    KString text;
    if (getTemporaryFolderWin32(text))
        setFolder(temporaryDirectory, text);
}

void KFileSystem::initDocumentsDirectory()
{
    initSpecialFolder(documentsDirectory, kCsidlPersonal);
}

void KFileSystem::initPicturesDirectory()
{
    initSpecialFolder(picturesDirectory, kCsidlMyPictures);
}

void KFileSystem::initMusicDirectory()
{
    initSpecialFolder(musicDirectory, kCsidlMyMusic);
}

void KFileSystem::initVideosDirectory()
{
    initSpecialFolder(videosDirectory, kCsidlMyVideo);
}

void KFileSystem::initDesktopDirectory()
{
    initSpecialFolder(desktopDirectory, kCsidlDesktopDirectory);
}

KDirectory& KFileSystem::updateCurrentDirectory()
{
    KString text;
    if (getCurrentFolderWin32(text))
        setFolder(currentDirectory, text);
    return currentDirectory;
}

KString& KFileSystem::makeUniqueNumber(KString& Out) const
{
    long number = static_cast<int32>(knsGetTicks()) % 100000;
    if (number < 0)
        number = -number;
    Out.setNumber(number);
    return Out;
}
