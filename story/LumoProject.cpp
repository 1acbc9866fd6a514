#include "story/LumoProject.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KDocument.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"
#include "story/StoryBlocks.h"
#include "story/StoryHost.h"
#include "story/StoryStage.h"
#include "story/StoryWaitCursor.h"
#include "story/oldformat/OldDocumentImport.h"

K_DEFINE_CLASS(LumoProject, KThing, 1)

namespace {
const char* const kTapeEntry = "Tape";
const char* const kWidthEntry = "DocumentW";
const char* const kHeightEntry = "DocumentH";

// The page dimension a document stores under Name, cut to 16 bits; Otherwise when the
// document has none.
short storedDimension(const KDocument& Document, const char* Name, short Otherwise)
{
    const KString name(Name);
    if (!Document.findName(name))
        return Otherwise;
    const auto* value = dynamic_cast<const KVariable*>(&Document.getNamedObject(name));
    return value ? static_cast<short>(value->getLong()) : Otherwise;
}

void showLocalizedMessage(const char* Caption, const char* Text)
{
    const StoryHost& host = StoryHost::get();
    knsMessageBox(host.getLocalizedText(Caption), host.getLocalizedText(Text));
}

// The folder "Media" beside the file.
KPath mediaPathOf(const KFileReference& File)
{
    KPath path(File.getPath());
    path.clearName();
    path.clearExtension();
    path.addDirectory(KString("Media"));
    return path;
}

void bindDocument(KDocument& Document, const KFileReference& File)
{
    KFileReferencePtr reference(new KFileReference(File));
    Document.setFileReference(*reference);
    Document.setType(LumoProject::kDocumentType);
    Document.setCreator(LumoProject::kDocumentVersion);
    // The entries a project holds: its tape and the page size.
    Document.getObjects().setReadableClasses({Tape::getClassRecord(), KVariable::getClassRecord()});
}
} // namespace

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

bool LumoProject::load(const KFileReference& File)
{
    StoryWaitCursor wait;
    if (!File.exists())
        return false;
    KFileReferencePtr reference(new KFileReference(File));
    if (OldDocumentImport::isOldDocument(*reference))
        return OldDocumentImport::load(*this, *reference);

    KFileReferencePtr previousFile = m_fileReference;
    KDirectoryPtr previousMedia = m_mediaDirectory;
    setFileReference(*reference);
    KDirectoryPtr media(new KDirectory(mediaPathOf(*reference)));
    setMediaDirectory(*media);

    KDocument document;
    bindDocument(document, *reference);
    const bool loaded = document.load();
    const KString tapeEntry(kTapeEntry);
    Tape* tape = loaded && document.findName(tapeEntry) ? dynamic_cast<Tape*>(&document.getNamedObject(tapeEntry)) : nullptr;
    if (!tape) {
        resetFileReference();
        resetMediaDirectory();
        showLocalizedMessage("Error while reading file", "This file is not a Narrabo Document File!");
        if (previousFile.hasObject(nullptr))
            setFileReference(*previousFile);
        if (previousMedia.hasObject(nullptr))
            setMediaDirectory(*previousMedia);
        return false;
    }
    if (document.isConverted() || document.getCreator() > kDocumentVersion)
        showLocalizedMessage("Load Project", "It seams that this project is of a newer version; some data was ignored");

    // Only a project gets its media folder: a file refused leaves nothing behind.
    if (!media->exists())
        media->create();
    TapePtr story(*tape);
    story->setPageWidth(storedDimension(document, kWidthEntry, story->getPageSize().getWidth()));
    story->setPageHeight(storedDimension(document, kHeightEntry, story->getPageSize().getHeight()));
    document.clear();
    setTape(*story);
    story->setFlag(Tape::MarkFlag1);
    story->findMissingMedia(media->getPath());
    setDocumentFile(*reference);
    // The reference is already the project's, so the folder is set here.
    KDirectoryPtr folder(new KDirectory(reference->getDirectory()));
    setDocumentFolder(*folder);
    StoryStage* stage = StoryStage::find();
    if (stage && stage->hasSpriteSystem())
        story->setSpriteSystem(stage->getSpriteSystem());
    story->setProject(*this);
    return true;
}

bool LumoProject::save(const KFileReference& File)
{
    if (!hasTape())
        return false;
    KDocument document;
    bindDocument(document, File);
    const KGraphicSize& page = getTape().getPageSize();
    KVariablePtr width(new KVariable(static_cast<long>(page.getWidth())));
    KVariablePtr height(new KVariable(static_cast<long>(page.getHeight())));
    document.addNamedObject(KString(kTapeEntry), getTape());
    document.addNamedObject(KString(kWidthEntry), *width);
    document.addNamedObject(KString(kHeightEntry), *height);
    return document.save();
}

void LumoProject::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, LumoProject::getClassRecord());
    writer.newSection(1);
    getTape().writeToFile(F, 1);
    writer.end();
}

void LumoProject::readFromFile(KFile& F)
{
    TapePtr tape(new Tape);
    setTape(*tape);
    kReadEachSection(F, LumoProject::getClassRecord(), [&](long ID) {
        if (ID != 1)
            return false;
        tape->readFromFile(F);
        return true;
    });
}
