#pragma once
// The one process-wide object that knows where the standard folders of the user and of
// the program are. It asks the system once, when it is made, and keeps each answer as a
// directory that others read directly; a folder the system cannot supply stays an empty
// reference. Only the current directory is read again, on request.
#include "foundation/KDirectory.h"

class KFileSystem : public KThing {
    K_DECLARE_CLASS(KFileSystem)
public:
    KFileSystem();

    // Makes the one object, replacing any earlier one.
    static void initFileSystem();
    static void exitFileSystem();
    // Error 18 when there is none.
    static KFileSystem& getFileSystem();

    void initCommonApplicationDataDirectory();
    // The program file's folder; the current directory when that cannot be found.
    void initApplicationDirectory();
    void initApplicationDataDirectory();
    void initTemporaryDirectory();
    void initDocumentsDirectory();
    void initPicturesDirectory();
    void initMusicDirectory();
    void initVideosDirectory();
    void initDesktopDirectory();
    KDirectory& updateCurrentDirectory();

    // The tick count modulo 100000 as decimal text ("0" to "99999"), for names of
    // temporary files; two calls within the same millisecond give the same text.
    KString& makeUniqueNumber(KString& Out) const;

    KDirectory commonApplicationDataDirectory;
    // Empty until updateCurrentDirectory is called.
    KDirectory currentDirectory;
    KDirectory applicationDirectory;
    KDirectory applicationDataDirectory;
    KDirectory temporaryDirectory;
    KDirectory documentsDirectory;
    KDirectory picturesDirectory;
    KDirectory musicDirectory;
    KDirectory videosDirectory;
    KDirectory desktopDirectory;

private:
    // Makes Member the folder of a path text the system gave, with the trailing
    // separator added when the system left it off.
    static void setFolder(KDirectory& Member, KString Text);
    static void initSpecialFolder(KDirectory& Member, int Csidl);
};

K_POINTER_CLASS(KFileSystem, KThingPtr);
