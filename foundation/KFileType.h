#pragma once
// One known file type: an extension, the creator and type codes of a classic desktop
// file system (four characters each, trailing blanks kept), a description that labels
// the type in open and save dialogs, and the ID made from the extension.
#include "foundation/KString.h"

// The extension's letters, upper-cased and packed big-endian; −1 means no type.
using KFileTypeID = long;
constexpr KFileTypeID kNoFileType = -1;

class KFileType : public KThing {
    K_DECLARE_CLASS(KFileType)
public:
    // Four empty strings and no type (−1) until an ID is set or read.
    KFileType();
    KFileType(const KFileType& O);

    void setExtension(const KString& S) { m_extension = S; }
    void setCreator(const KString& S) { m_creator = S; }
    void setType(const KString& S) { m_type = S; }
    void setDescription(const KString& S) { m_description = S; }
    void setTypeID(KFileTypeID ID) { m_id = ID; }

    void getExtensionCopy(KString& Out) const { Out = m_extension; }
    void getDescription(KString& Out) const { Out = m_description; }
    const KString& getExtension() const { return m_extension; }
    const KString& getCreator() const { return m_creator; }
    const KString& getType() const { return m_type; }
    KFileTypeID getTypeID() const { return m_id; }

    // One section: the four strings as blocks of their own, then the ID.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

private:
    KString m_extension;
    KString m_creator;
    KString m_type;
    KString m_description;
    KFileTypeID m_id = kNoFileType;
};

K_POINTER_CLASS(KFileType, KThingPtr);
