#include "application/FrameworkTexts.h"

#include "foundation/KernelFunctions.h"

namespace {
struct Row {
    const char* key;
    const char* texts[3];
    // The platform whose character set the texts' bytes are written in.
    uint8 platform;
};

// "Préférences..." was written on the Mac: its accents are Mac OS Roman bytes (0x8E),
// converted to the running platform's set when the text is made.
const Row kRows[] = {
    {"OK", {"OK", "OK", "OK"}, kPlatformWindows},
    {"Cancel", {"Annuler", "Annulla", "Abbrechen"}, kPlatformWindows},
    {"E&xit\tAlt+F4", {"Quitter\tAlt+F4", "Esci\tAlt+F4", "Beenden\tAlt+F4"}, kPlatformWindows},
    {"Help", {"Aide", "?", "?"}, kPlatformWindows},
    {"Preferences...", {"Pr\x8E" "f\x8E" "rences...", "Preferenze...", "Voreinstellungen..."}, kPlatformMac},
};

const char* const kLanguages[] = {"Fran\xE7" "ais", "Italiano", "Deutsch"};

constexpr long kRowCount = sizeof kRows / sizeof kRows[0];
constexpr long kLanguageCount = sizeof kLanguages / sizeof kLanguages[0];
} // namespace

long FrameworkTexts::getLanguageCount() { return kLanguageCount; }

KString FrameworkTexts::getLanguageName(long Language)
{
    if (Language < 0 || Language >= kLanguageCount)
        return KString();
    return KString(kLanguages[Language], kPlatformWindows);
}

long FrameworkTexts::getKeyCount() { return kRowCount; }

KString FrameworkTexts::getKey(long Row)
{
    if (Row < 0 || Row >= kRowCount)
        return KString();
    return KString(kRows[Row].key);
}

KString FrameworkTexts::getText(long Row, long Language)
{
    if (Row < 0 || Row >= kRowCount || Language < 0 || Language >= kLanguageCount)
        return KString();
    return KString(kRows[Row].texts[Language], kRows[Row].platform);
}
