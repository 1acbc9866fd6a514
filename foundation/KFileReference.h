#pragma once
// The identity of a file: a disk-object reference that also knows the ID of the file type
// registered for its extension (−1 when none is). It tests existence, deletes, renames
// and copies its file.
#include "foundation/KDiskObjectReference.h"
#include "foundation/KFileTypeHandler.h"

class KDirectory;

class KFileReference : public KDiskObjectReference {
    K_DECLARE_CLASS(KFileReference)
public:
    KFileReference();
    KFileReference(const KFileReference& O);
    // A copy of any reference, made a file, whose type is looked up again.
    explicit KFileReference(const KDiskObjectReference& O);
    explicit KFileReference(const KPath& P);
    KFileReference& operator=(const KFileReference& O);

    // Sets the type ID directly, without a look-up.
    void setFileTypeHandle(KFileTypeID ID) { m_fileType = ID; }
    KFileTypeID getFileTypeHandle() const { return m_fileType; }

    void updateFileType() override;
    void refreshFileType() override;
    bool exists() const override;
    void remove() override;
    // A new name; the extension stays.
    void rename(const KString& NewName) override;
    // Copies the file into the directory, replacing a file of the same name there.
    void copy(const KDiskObjectReference& Target) override;
    // Copies the file into the directory under NewName, which carries its own extension.
    void copyAndRename(const KDiskObjectReference& Target, const KString& NewName) override;
    void copyAndRename(const KPath& Target) override;
    virtual void changeExtension(const KString& Extension);
    // The directory that holds the file: the path without its name and extension.
    virtual KDirectory getDirectory() const;

    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

private:
    void copyTo(const KString& TargetText);

    KFileTypeID m_fileType = kNoFileType;
};

K_POINTER_CLASS(KFileReference, KDiskObjectReferencePtr);
