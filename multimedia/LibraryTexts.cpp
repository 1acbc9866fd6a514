#include "multimedia/LibraryTexts.h"

#include "foundation/KernelFunctions.h"

namespace {
const char* const kLanguages[] = {"Fran\xE7" "ais", "Italiano", "Deutsch"};
constexpr long kLanguageCount = sizeof kLanguages / sizeof kLanguages[0];
} // namespace

void kksFillLibraryLocalizer(KLocalizer& Localizer, const KLibraryText* Rows, long Count)
{
    long indexes[kLanguageCount];
    for (long language = 0; language < kLanguageCount; ++language)
        Localizer.addLanguage(KString(kLanguages[language], kPlatformWindows));
    // Looked up by name: a localiser that already held a language keeps its place for it.
    for (long language = 0; language < kLanguageCount; ++language)
        indexes[language] = Localizer.findLanguage(KString(kLanguages[language], kPlatformWindows));
    for (long row = 0; row < Count; ++row) {
        const KString key(Rows[row].key);
        for (long language = 0; language < kLanguageCount; ++language)
            Localizer.setText(key, indexes[language], KString(Rows[row].texts[language], kPlatformWindows));
    }
    Localizer.finish();
}
