#include "foundation/KPath.h"

#include "foundation/DiskWin32.h"
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KPath, KThing, 1)

namespace {
struct Separators {
    const char* volume;
    const char* directory;
    const char* extension;
};

// Any other platform has no separators at all.
Separators separatorsOf(uint8 Platform)
{
    switch (Platform) {
    case 0: return {"/", "/", "."};
    case 1: return {":", ":", "."};
    case 2: return {":\\", "\\", "."};
    case 3: return {"", "/", "."};
    default: return {"", "", ""};
    }
}

bool endsWith(const KString& Text, const char* Suffix)
{
    const KString suffix(Suffix);
    return Text.getRight(suffix.getLength()) == suffix;
}

// Text after the first occurrence of Separator at Index.
KString after(const KString& Text, long Index, const char* Separator)
{
    const long length = KString(Separator).getLength();
    return Text.getMid(Index + length, Text.getLength() - Index - length);
}
} // namespace

KPath::KPath() = default;

KPath::KPath(const KPath& O)
    : KThing(O)
{
    *this = O;
}

KPath& KPath::operator=(const KPath& O)
{
    if (&O == this)
        return *this;
    m_volume = O.m_volume;
    m_name = O.m_name;
    m_extension = O.m_extension;
    m_server = O.m_server;
    m_directories.clear();
    for (long i = 0; i < O.getDirectoryCount(); ++i)
        m_directories.add(*new KString(*O.getDirectory(i)));
    return *this;
}

bool KPath::operator==(const KPath& O) const
{
    if (m_name != O.m_name || m_extension != O.m_extension || getDirectoryCount() != O.getDirectoryCount())
        return false;
    for (long i = 0; i < getDirectoryCount(); ++i) {
        if (*getDirectory(i) != *O.getDirectory(i))
            return false;
    }
    return m_volume == O.m_volume && m_server == O.m_server;
}

void KPath::clear()
{
    m_volume.clear();
    m_directories.clear();
    m_name.clear();
    m_extension.clear();
    m_server.clear();
}

void KPath::addDirectory(const KString& S)
{
    if (S.isEmpty())
        return;
    if (S.isOnHeap())
        m_directories.add(S);
    else
        m_directories.add(*new KString(S));
}

const KString* KPath::getDirectory(long Index) const
{
    if (Index < 0 || Index >= getDirectoryCount())
        return nullptr;
    return static_cast<const KString*>(&m_directories.getObjectAt(Index));
}

void KPath::setFileName(const KString& S)
{
    m_name.clear();
    m_extension.clear();
    if (S.isEmpty())
        return;
    const long dot = S.find(".", S.getLength() - 1, true);
    if (endsWith(S, ".") || dot < 0) {
        m_name = S;
        return;
    }
    m_name = S.getLeft(dot);
    m_extension = after(S, dot, ".");
}

void KPath::setPathText(const KString& Text, uint8 Platform)
{
    clear();
    const Separators separators = separatorsOf(Platform);
    KString rest(Text);

    if (Platform == 2 && rest.getLength() >= 2 && rest.getLeft(2) == "\\\\") {
        rest = rest.getMid(2, rest.getLength() - 2);
        const long slash = rest.find("\\", 0, false);
        if (slash >= 0) {
            m_server = rest.getLeft(slash);
            rest = after(rest, slash, "\\");
        } else {
            m_server = rest;
            rest.clear();
        }
    }

    if (rest.find(separators.directory, 0, false) > 0) {
        const long volumeEnd = rest.find(separators.volume, 0, false);
        if (volumeEnd >= 0) {
            m_volume = rest.getLeft(volumeEnd);
            rest = after(rest, volumeEnd, separators.volume);
        }
    }
    if (rest.isEmpty())
        return;

    // Without a directory separator every text "ends with" it and names one directory.
    const bool namesDirectory = endsWith(rest, separators.directory);
    for (long at = rest.find(separators.directory, 0, false); at >= 0;
         at = rest.find(separators.directory, 0, false)) {
        addDirectory(rest.getLeft(at));
        rest = after(rest, at, separators.directory);
    }
    if (rest.isEmpty())
        return;
    if (namesDirectory) {
        addDirectory(rest);
        return;
    }
    if (endsWith(rest, ".")) {
        m_name = rest;
        return;
    }
    // A dot in the first place starts a name (".profile"), not an extension.
    const long dot = rest.find(separators.extension, rest.getLength() - 1, true);
    if (dot < 1) {
        m_name = rest;
        return;
    }
    m_name = rest.getLeft(dot);
    m_extension = after(rest, dot, separators.extension);
}

void KPath::appendParts(KString& Out, const KString& DirectorySeparator, const KString& ExtensionSeparator) const
{
    for (long i = 0; i < getDirectoryCount(); ++i) {
        Out += *getDirectory(i);
        Out += DirectorySeparator;
    }
    Out += m_name;
    if (!m_extension.isEmpty()) {
        Out += ExtensionSeparator;
        Out += m_extension;
    }
}

void KPath::getPathText(KString& Out, uint8 Platform, uint8 Form) const
{
    const Separators separators = separatorsOf(Platform);
    Out.clear();
    if (Platform == 2 && !m_server.isEmpty()) {
        Out += "\\\\";
        Out += m_server;
        Out += "\\";
    }
    const bool hasVolume = !m_volume.isEmpty() && m_server.isEmpty();

    if (Form == AsStored) {
        if (hasVolume) {
            Out += m_volume;
            Out += separators.volume;
        } else if (Platform == 1) {
            Out += ":";
        }
    } else if (Form == Absolute) {
        if (hasVolume) {
            Out += m_volume;
            Out += separators.volume;
        } else if (m_server.isEmpty()) {
            // A network path is absolute already; anything else hangs off the program
            // folder.
            KPath programFolder;
            programFolder.setPathText(getProgramFolderWin32(), 2);
            KString folderText;
            programFolder.getPathText(folderText, Platform, AsStored);
            Out += folderText;
        }
    } else {
        return;
    }
    appendParts(Out, separators.directory, separators.extension);
}

void KPath::getLeafName(KString& Out) const
{
    switch (getKind()) {
    case VolumeKind:
        Out = m_volume;
        break;
    case DirectoryKind:
        Out = *getDirectory(getDirectoryCount() - 1);
        break;
    case FileKind:
        Out = m_name;
        if (!m_extension.isEmpty()) {
            Out += ".";
            Out += m_extension;
        }
        break;
    default:
        Out.clear();
        break;
    }
}

uint8 KPath::getKind() const
{
    if (!m_name.isEmpty() || !m_extension.isEmpty())
        return FileKind;
    if (getDirectoryCount() > 0)
        return DirectoryKind;
    if (!m_volume.isEmpty())
        return VolumeKind;
    return NothingKind;
}

bool KPath::isEmpty() const
{
    return m_volume.isEmpty() && getDirectoryCount() == 0 && m_name.isEmpty() && m_extension.isEmpty()
        && m_server.isEmpty();
}

void KPath::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KPath::getClassRecord());
    writer.newSection(1);
    m_volume.writeToFile(F, 1);
    m_name.writeToFile(F, 1);
    m_extension.writeToFile(F, 1);
    m_directories.writeToFile(F, 1);
    if (!m_server.isEmpty()) {
        writer.newSection(2);
        m_server.writeToFile(F, 1);
    }
    writer.end();
}

void KPath::readFromFile(KFile& F)
{
    KClassReader reader;
    long version = 0, sections = 0, id = -1;
    reader.begin(F, KPath::getClassRecord(), version, sections);
    reader.nextSection(id);
    if (id == 1) {
        m_volume.readFromFile(F);
        m_name.readFromFile(F);
        m_extension.readFromFile(F);
        readDirectories(F);
        // The server belongs to the path just read, not to the one it replaces.
        m_server.clear();
        if (sections > 1) {
            reader.nextSection(id);
            if (id == 2)
                m_server.readFromFile(F);
        }
    }
    reader.end();
}

void KPath::readDirectories(KFile& F)
{
    KBag stored;
    stored.setReadableClasses({KString::getClassRecord()});
    stored.readFromFile(F);
    m_directories.clear();
    // Elements of other classes were left out by the read: damage all the same.
    if (stored.getMissingCount() > 0)
        F.setError(KClassReader::kDamagedDataError);
    // The bag comes from an untrusted file: only non-empty strings are directory names.
    for (long i = 0; i < stored.getCount(); ++i) {
        if (!stored.hasObjectAt(i) || &stored.getObjectAt(i).getClass() != KString::getClassRecord()) {
            F.setError(KClassReader::kDamagedDataError);
            continue;
        }
        addDirectory(static_cast<const KString&>(stored.getObjectAt(i)));
    }
}
