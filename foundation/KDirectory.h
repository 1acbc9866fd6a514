#pragma once
// A reference to a directory. Besides existence it lists its entries as new references,
// creates itself, removes itself with everything in it, takes a new name, and copies its
// contents into another directory, recursively. Its path holds a volume and directory
// names, never a file name; a directory that is only a drive root is of kind 0.
#include "foundation/KBag.h"
#include "foundation/KDiskObjectReference.h"

class KDirectory : public KDiskObjectReference {
    K_DECLARE_CLASS(KDirectory)
public:
    // What getFiles lists.
    enum Filter : uint8 {
        Subdirectories = 0,
        Files = 1,
        FilesAndSubdirectories = 2,
    };

    KDirectory();
    KDirectory(const KDirectory& O);
    explicit KDirectory(const KDiskObjectReference& O);
    // Takes the path as given, a name in it included: callers clear it first.
    explicit KDirectory(const KPath& P);
    KDirectory& operator=(const KDirectory& O);

    // New references to the entries, in the order the system lists them: KDirectory for
    // subdirectories, KFileReference for files. A directory that is missing or whose
    // path is too long for the system lists nothing.
    KBagPtr getFiles(uint8 Filter) const;

    // Drops the name and extension of P.
    void setPath(const KPath& P) override;
    // Removes the contents, then the directory itself unless it is a drive root.
    void remove() override;
    // Gives the last directory a new name; nothing changes when the move fails.
    void rename(const KString& NewName) override;
    // Copies the contents, not the directory itself, into Target, recursively; nothing
    // when Target does not exist.
    void copy(const KDiskObjectReference& Target) override;
    void copyAndRename(const KDiskObjectReference& Target, const KString& NewName) override;
    // Creates the last level when it does not exist.
    virtual void create();
    // Removes every file and subdirectory inside, recursively; the directory stays.
    virtual void removeAll();
};

K_POINTER_CLASS(KDirectory, KDiskObjectReferencePtr);
