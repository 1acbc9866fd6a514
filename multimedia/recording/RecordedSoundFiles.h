#pragma once
// Where the recording dialogs put a sound: a file of a folder, named by the user, of the
// first file type sounds are recorded in.
#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileType.h"

// Empty when the sound support knows no type to record in.
KFileTypePtr recordableFileType();
// The extension of that type; empty when there is none.
KString recordableExtension();
KFileReference recordedSoundFile(const KDirectory& Folder, const KString& Name);
