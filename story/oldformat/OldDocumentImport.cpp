#include "story/oldformat/OldDocumentImport.h"

#include "foundation/KDirectory.h"
#include "foundation/KernelFunctions.h"
#include "story/LumoProject.h"
#include "story/LumoSpriteSystem.h"
#include "story/StoryHost.h"
#include "story/StoryStage.h"
#include "story/Tape.h"
#include "story/oldformat/OldDocumentClasses.h"
#include "story/oldformat/OldTapeConversion.h"
#include "story/oldformat/ZFile.h"
#include "story/oldformat/ZStyleInfo.h"
#include "story/oldformat/ZTape.h"

bool OldDocumentImport::isOldDocument(const KFileReference& File)
{
    const KFileTypeID oldType = KFileTypeHandler::getTypeIDOfExtension(KString("LMT"));
    return oldType != kNoFileType && File.getFileTypeHandle() == oldType;
}

bool OldDocumentImport::refuse()
{
    const StoryHost& host = StoryHost::get();
    knsMessageBox(host.getLocalizedText("Error while reading file"),
                  host.getLocalizedText("This file is not a Narrabo Document File!"));
    return false;
}

bool OldDocumentImport::importOldDocument(const KFileReference& File, Tape& Target)
{
    registerOldDocumentClasses();
    // Each document says for itself which platform's points its styles count in.
    ZStyleInfo::setStylePlatform(kPlatformWindows);

    ZFile file(ZString(File.getNativePath().getText()));
    file.open();
    long type = 0;
    file.readLong(type);
    file.close();
    if (type != kDocumentType)
        return refuse();

    file.open();
    file.readLong(type);
    ZTape* tape = static_cast<ZTape*>(ZThing::assign(new ZTape));
    tape->readFromFile(file);
    const bool read = !file.hasFailed();
    file.close();
    const bool converted = read && convertFromOldTape(Target, *tape);
    ZThing::unassign(tape);
    return converted ? true : refuse();
}

bool OldDocumentImport::load(LumoProject& Project, KFileReference& Reference)
{
    TapePtr story(new Tape);
    if (!importOldDocument(Reference, *story))
        return false;
    Project.setFileReference(Reference);
    KPath mediaPath(Reference.getPath());
    mediaPath.clearName();
    mediaPath.clearExtension();
    KDirectoryPtr folder(new KDirectory(mediaPath));
    Project.setDocumentFolder(*folder);
    mediaPath.addDirectory(KString("Media"));
    KDirectoryPtr media(new KDirectory(mediaPath));
    if (media->exists())
        Project.setMediaDirectory(*media);

    story->setPageWidth(kPageWidth);
    story->setPageHeight(kPageHeight);
    Project.setTape(*story);
    story->setFlag(Tape::MarkFlag1);
    story->findMissingMedia(media->getPath());
    StoryStage* stage = StoryStage::find();
    if (stage && stage->hasSpriteSystem())
        story->setSpriteSystem(stage->getSpriteSystem());
    return true;
}
