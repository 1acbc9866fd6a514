#pragma once
// The container of a media file on disk, read through the system before a path is handed
// to DirectShow.
#include "multimedia/MediaContainer.h"

// Broken when the file cannot be opened for reading.
MediaContainer::Kind identifyMediaFileWin32(const wchar_t* Path);
