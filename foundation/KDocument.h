#pragma once
// A named bag of objects that saves itself to, and loads itself from, one file: a 32-bit
// type code, a 32-bit creator code and the named bag's class block, all big-endian.
// Loading refuses a file of another type, takes the creator from the file (owners keep a
// format number there) and marks the document converted when the file did not match the
// current class layout: blocks of other classes skipped, or sections left unread.
//
// Documents are not entered in the class registry: they are never made from a class ID
// nor stored inside another block.
#include "foundation/KFileReference.h"
#include "foundation/KNamedBag.h"

class KDocument : public KNamedBag {
public:
    KDocument() = default;

    // Binds the document to a file on the heap, taking a counted reference to it.
    virtual void setFileReference(KFileReference& R);
    virtual void resetFileReference();
    // Error 18 when none is bound.
    KFileReference& getFileReference() const;

    void setType(long Type) { m_type = Type; }
    long getType() const { return m_type; }
    void setCreator(long Creator) { m_creator = Creator; }
    long getCreator() const { return m_creator; }
    // Whether the last load met blocks of other classes or left sections unread.
    bool isConverted() const { return m_converted; }

    // Writes the whole document beside its file and puts it in the file's place only
    // when every byte was written, so that a failed save leaves the previous document as
    // it was. True on success.
    bool save();
    // True when the type matched and the whole file was read.
    bool load();

private:
    // Writes the document into a file that is not yet the bound one.
    bool writeTo(const KPath& Path);

    KFileReferencePtr m_fileReference;
    long m_type = 0;
    long m_creator = 0;
    bool m_converted = false;
};

K_POINTER_CLASS(KDocument, KNamedBagPtr);
