#pragma once
// Saving a file so that a failure never costs the previous one: the new contents go to a
// temporary file beside the target, which takes the target's place only once every byte
// is written. A save that fails leaves the target as it was and no temporary file behind.
#include <functional>

class KFile;
class KFileReference;

// Write gets the temporary file open in memory mode, so that class blocks may patch their
// lengths. True when the file was written whole and now stands in the target's place.
bool kksWriteReplacing(const KFileReference& Target, const std::function<void(KFile&)>& Write);
