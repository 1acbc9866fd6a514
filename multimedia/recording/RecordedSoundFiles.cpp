#include "multimedia/recording/RecordedSoundFiles.h"

#include "multimedia/soundengine/KSoundSupport.h"

KFileTypePtr recordableFileType()
{
    if (!KSoundSupport::exists())
        return KFileTypePtr();
    KBagPtr types = KSoundSupport::getInstance().getRecordableFileTypes();
    return types->getCount() > 0 ? KFileTypePtr(static_cast<KFileType&>((*types)[0])) : KFileTypePtr();
}

KString recordableExtension()
{
    KFileTypePtr type = recordableFileType();
    return type.hasObject(nullptr) ? type->getExtension() : KString();
}

KFileReference recordedSoundFile(const KDirectory& Folder, const KString& Name)
{
    KPath path(Folder.getPath());
    path.setName(Name);
    path.setExtension(recordableExtension());
    return KFileReference(path);
}
