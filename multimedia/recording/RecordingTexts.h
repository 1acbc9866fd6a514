#pragma once
// The recording dialogs' texts come from the multimedia library's localiser, which the
// library hands over here when it is made and takes back (null) when it goes. Without
// one every text reads as its English key.
#include "foundation/KString.h"

class KLocalizer;

namespace RecordingTexts {

void setLocalizer(KLocalizer* Localizer);
// Looked up each time, so that a change of language shows in the next dialog.
KString get(const char* Key);

} // namespace RecordingTexts
