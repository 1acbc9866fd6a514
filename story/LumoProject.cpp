#include "story/LumoProject.h"

K_DEFINE_CLASS(LumoProject, KThing, 1)

LumoProject::LumoProject()
{
    TapePtr tape(new Tape);
    setTape(*tape);
}

LumoProject::~LumoProject()
{
    resetFileReference();
    resetDocumentFolder();
    resetMediaDirectory();
    resetTape();
}

void LumoProject::setFileReference(KFileReference& R) { m_fileReference.setObject(R); }
void LumoProject::resetFileReference() { m_fileReference.reset(); }
void LumoProject::setDocumentFolder(KDirectory& D) { m_documentFolder.setObject(D); }
void LumoProject::resetDocumentFolder() { m_documentFolder.reset(); }
void LumoProject::setMediaDirectory(KDirectory& D) { m_mediaDirectory.setObject(D); }
void LumoProject::resetMediaDirectory() { m_mediaDirectory.reset(); }
void LumoProject::setTape(Tape& T) { m_tape.setObject(T); }
void LumoProject::resetTape() { m_tape.reset(); }

void LumoProject::setDocumentFile(const KFileReference& File)
{
    if (hasFileReference() && &getFileReference() == &File)
        return;
    KFileReferencePtr reference(new KFileReference(File));
    setFileReference(*reference);
    KPath folderPath(File.getPath());
    folderPath.clearName();
    folderPath.clearExtension();
    KDirectoryPtr folder(new KDirectory(folderPath));
    setDocumentFolder(*folder);
    folderPath.addDirectory(KString("Media"));
    KDirectoryPtr media(new KDirectory(folderPath));
    setMediaDirectory(*media);
}
