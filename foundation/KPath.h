#pragma once
// A path held as parts: a volume, directory names from the outermost inwards, a name, an
// extension and, for network paths, a server. It converts to and from the path text of
// four platform conventions (0 and 3 "/", 1 ":", 2 "\"), so that paths stored on one
// platform can be used on another.
#include "foundation/KBag.h"
#include "foundation/KString.h"

class KPath : public KThing {
    K_DECLARE_CLASS(KPath)
public:
    // What a path names, in the order it is decided; also the kind byte of disk-object
    // references.
    enum Kind : uint8 {
        VolumeKind = 0,
        DirectoryKind = 1,
        FileKind = 2,
        NothingKind = 3,
    };

    // The forms of getPathText: as stored, or made absolute against the program folder.
    enum Form : uint8 {
        AsStored = 0,
        Absolute = 1,
    };

    KPath();
    KPath(const KPath& O);
    KPath& operator=(const KPath& O);

    bool operator==(const KPath& O) const;
    bool operator!=(const KPath& O) const { return !(*this == O); }

    void setVolume(const KString& S) { m_volume = S; }
    void clearVolume() { m_volume.clear(); }
    void setName(const KString& S) { m_name = S; }
    void clearName() { m_name.clear(); }
    void setExtension(const KString& S) { m_extension = S; }
    void clearExtension() { m_extension.clear(); }
    void clearDirectories() { m_directories.clear(); }
    void clear();

    const KString& getVolume() const { return m_volume; }
    const KString& getName() const { return m_name; }
    const KString& getExtension() const { return m_extension; }
    const KString& getServer() const { return m_server; }

    // An empty name is ignored. A heap string is shared with the caller; any other is
    // copied onto the heap.
    void addDirectory(const KString& S);
    long getDirectoryCount() const { return m_directories.getCount(); }
    // Null for an index outside the directories.
    const KString* getDirectory(long Index) const;

    // Splits a file name at its last dot, a leading dot included.
    void setFileName(const KString& S);
    void setPathText(const KString& Text, uint8 Platform);
    void getPathText(KString& Out, uint8 Platform, uint8 Form) const;
    void getLeafName(KString& Out) const;
    uint8 getKind() const;
    bool isEmpty() const;

    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

private:
    void readDirectories(KFile& F);
    void appendParts(KString& Out, const KString& DirectorySeparator, const KString& ExtensionSeparator) const;

    KString m_volume;
    KBag m_directories;
    KString m_name;
    KString m_extension;
    KString m_server;
};

K_POINTER_CLASS(KPath, KThingPtr);
