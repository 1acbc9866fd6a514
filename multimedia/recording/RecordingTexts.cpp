#include "multimedia/recording/RecordingTexts.h"

#include "foundation/KLocalizer.h"

namespace {
KLocalizerPtr& localizer()
{
    static KLocalizerPtr held;
    return held;
}
} // namespace

namespace RecordingTexts {

void setLocalizer(KLocalizer* Localizer)
{
    localizer().setObjectOrNull(Localizer);
}

KString get(const char* Key)
{
    const KString key(Key);
    return localizer().hasObject(nullptr) ? localizer()->getText(key) : key;
}

} // namespace RecordingTexts
