#include "foundation/KDiskObjectReference.h"

#include "foundation/DiskWin32.h"
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KDiskObjectReference, KThing, 1)

KDiskObjectReference::KDiskObjectReference() = default;

KDiskObjectReference::KDiskObjectReference(const KDiskObjectReference& O)
    : KThing(O)
{
    assign(O);
}

KDiskObjectReference::KDiskObjectReference(const KPath& P)
{
    KDiskObjectReference::setPath(P);
}

void KDiskObjectReference::assign(const KDiskObjectReference& O)
{
    if (&O == this)
        return;
    m_kind = O.m_kind;
    m_firstDate.set(O.m_firstDate);
    m_secondDate.set(O.m_secondDate);
    m_path = O.m_path;
}

bool KDiskObjectReference::operator==(const KDiskObjectReference& O) const
{
    return m_path == O.m_path && m_kind == O.m_kind;
}

KString KDiskObjectReference::getNativePath() const
{
    KString text;
    m_path.getPathText(text, kPlatformWindows, KPath::AsStored);
    return text;
}

void KDiskObjectReference::updateFileType() {}

void KDiskObjectReference::refreshFileType() {}

void KDiskObjectReference::setPath(const KPath& P)
{
    m_path = P;
    m_kind = m_path.getKind();
    updateFileType();
}

bool KDiskObjectReference::exists() const
{
    KString text = getNativePath();
    if (text.isEmpty())
        return false;
    if (text.getCharAt(text.getLength() - 1) == '\\')
        text.truncate(text.getLength() - 1);
    if (text.getLength() == 2 && text.getCharAt(1) == ':')
        return isLogicalDriveWin32(text.getCharAt(0));
    return findEntryWin32(text.getText());
}

void KDiskObjectReference::remove()
{
    knsNotYetImplemented("void KDiskObjectReference::remove()");
}

void KDiskObjectReference::rename(const KString&)
{
    knsNotYetImplemented("void KDiskObjectReference::rename(const KString& NewName)");
}

void KDiskObjectReference::copy(const KDiskObjectReference&)
{
    knsNotYetImplemented("void KDiskObjectReference::copy(const KDirectory& D)");
}

void KDiskObjectReference::copyAndRename(const KDiskObjectReference&, const KString&)
{
    knsNotYetImplemented("void KDiskObjectReference::copyAndRename(const KDirectory& D, const KString& NewName)");
}

void KDiskObjectReference::copyAndRename(const KPath&)
{
    knsNotYetImplemented("void KDiskObjectReference::copyAndRename(const KDirectory& D, const KString& NewName)");
}

void KDiskObjectReference::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KDiskObjectReference::getClassRecord());
    writer.newSection(1);
    F.writeShort(m_kind);
    m_firstDate.writeToFile(F, 1);
    m_secondDate.writeToFile(F, 1);
    m_firstTime.writeToFile(F, 1);
    m_secondTime.writeToFile(F, 1);
    m_path.writeToFile(F, 1);
    writer.end();
}

void KDiskObjectReference::readFromFile(KFile& F)
{
    KClassReader reader;
    long version = 0, sections = 0, id = -1;
    reader.begin(F, KDiskObjectReference::getClassRecord(), version, sections);
    reader.nextSection(id);
    if (id == 1) {
        short kind = 0;
        F.readShort(kind);
        m_kind = static_cast<uint8>(kind);
        m_firstDate.readFromFile(F);
        m_secondDate.readFromFile(F);
        m_firstTime.readFromFile(F);
        m_secondTime.readFromFile(F);
        m_path.readFromFile(F);
        if (sections > 1) {
            // Reserved for platform data that this system neither writes nor reads.
            reader.nextSection(id);
            if (id == 2)
                reader.skipSection();
        }
    }
    reader.end();
}
