#pragma once
// The open project: the document file the story came from, the folder it lies in, the
// "Media" folder beside it, and the one tape that holds the story.
#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "story/Tape.h"

class LumoProject : public KThing {
    K_DECLARE_CLASS(LumoProject)
public:
    // With one new empty tape.
    LumoProject();
    ~LumoProject() override;

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
