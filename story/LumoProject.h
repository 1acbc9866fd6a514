#pragma once
// The open project: the document file the story came from, the folder it lies in, the
// "Media" folder beside it, and the one tape that holds the story.
//
// The project document is a KDocument of type "LMDF" whose creator code is its format
// version, 3, with the entries "Tape" (the tape's block), "DocumentW" and "DocumentH"
// (longs: the page size).
#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "story/Tape.h"

class LumoProject : public KThing {
    K_DECLARE_CLASS(LumoProject)
public:
    static constexpr long kDocumentType = 0x4C4D4446; // "LMDF"
    static constexpr long kDocumentVersion = 3;

    // With one new empty tape.
    LumoProject();
    ~LumoProject() override;

    // Section 1: the tape's block. Reading gives the project a new tape first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    virtual void setFileReference(KFileReference& R);
    virtual void resetFileReference();
    virtual void setDocumentFolder(KDirectory& D);
    virtual void resetDocumentFolder();
    virtual void setMediaDirectory(KDirectory& D);
    virtual void resetMediaDirectory();
    virtual void setTape(Tape& T);
    virtual void resetTape();

    // Binds the project to the document file: its reference, its folder and the "Media"
    // folder in it. Nothing when the file is the very reference the project holds.
    void setDocumentFile(const KFileReference& File);

    // Reads the project document into this project: its tape with the page size, the
    // file and the "Media" folder beside it (made when missing). The tape then looks for
    // its missing media there and goes onto the story layer the application's window
    // shows. A file that is missing answers false silently; one that is not a project
    // document answers false with a message and leaves the project as it was. Data of a
    // newer version is read as far as it is understood, after a message.
    bool load(const KFileReference& File);
    // Writes the project document: the tape and its page size. True when the whole file
    // was written; a failed save leaves the file as it was.
    bool save(const KFileReference& File);

    // Error 18 for what is not set.
    KFileReference& getFileReference() const { return m_fileReference.getObject(); }
    bool hasFileReference() const { return m_fileReference.hasObject(nullptr); }
    KDirectory& getDocumentFolder() const { return m_documentFolder.getObject(); }
    bool hasDocumentFolder() const { return m_documentFolder.hasObject(nullptr); }
    KDirectory& getMediaDirectory() const { return m_mediaDirectory.getObject(); }
    bool hasMediaDirectory() const { return m_mediaDirectory.hasObject(nullptr); }
    Tape& getTape() const { return m_tape.getObject(); }
    bool hasTape() const { return m_tape.hasObject(nullptr); }

private:
    KFileReferencePtr m_fileReference;
    KDirectoryPtr m_documentFolder;
    KDirectoryPtr m_mediaDirectory;
    TapePtr m_tape;
};

K_POINTER_CLASS(LumoProject, KThingPtr);
