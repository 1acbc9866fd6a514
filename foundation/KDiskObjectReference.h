#pragma once
// Names something on disk by its path: a file, a directory or a volume. References are
// values: they are copied, compared, stored in class blocks and asked whether their
// object exists. Operations a kind of reference does not support show the "Not Yet
// Implemented!" box and do nothing else.
#include "foundation/KDate.h"
#include "foundation/KPath.h"
#include "foundation/KTime.h"

class KDiskObjectReference : public KThing {
    K_DECLARE_CLASS(KDiskObjectReference)
public:
    KDiskObjectReference();
    KDiskObjectReference(const KDiskObjectReference& O);
    explicit KDiskObjectReference(const KPath& P);
    KDiskObjectReference& operator=(const KDiskObjectReference& O) { assign(O); return *this; }

    // Takes the kind, both dates and the path; the times stay as they were.
    void assign(const KDiskObjectReference& O);
    // Same path (letter case counts) and same kind.
    bool operator==(const KDiskObjectReference& O) const;
    bool operator!=(const KDiskObjectReference& O) const { return !(*this == O); }

    const KPath& getPath() const { return m_path; }
    uint8 getKind() const { return m_kind; }
    // The operating system's name of the object: the path's Windows text as stored.
    KString getNativePath() const;

    const KDate& getFirstDate() const { return m_firstDate; }
    const KDate& getSecondDate() const { return m_secondDate; }
    const KTime& getFirstTime() const { return m_firstTime; }
    const KTime& getSecondTime() const { return m_secondTime; }

    virtual void updateFileType();
    virtual void refreshFileType();
    // Takes the path and the kind it names, then looks the file type up.
    virtual void setPath(const KPath& P);
    virtual bool exists() const;
    virtual void remove();
    virtual void rename(const KString& NewName);
    // Target is a directory reference.
    virtual void copy(const KDiskObjectReference& Target);
    virtual void copyAndRename(const KDiskObjectReference& Target, const KString& NewName);
    virtual void copyAndRename(const KPath& Target);

    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

protected:
    void setKind(uint8 Kind) { m_kind = Kind; }
    // The path itself, for derived classes that change one part of it.
    KPath& path() { return m_path; }

private:
    KDate m_firstDate;
    KDate m_secondDate;
    KTime m_firstTime;
    KTime m_secondTime;
    KPath m_path;
    uint8 m_kind = KPath::NothingKind;
};

K_POINTER_CLASS(KDiskObjectReference, KThingPtr);
