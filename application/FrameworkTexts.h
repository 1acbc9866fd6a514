#pragma once
// The framework's own user-visible texts: English keys with their French, Italian and
// German texts, in the order the application's localizer takes them.
#include "foundation/KString.h"

class FrameworkTexts {
public:
    static long getLanguageCount();
    // "Français", "Italiano", "Deutsch".
    static KString getLanguageName(long Language);
    static long getKeyCount();
    static KString getKey(long Row);
    // The text of a key in a language (0 French, 1 Italian, 2 German).
    static KString getText(long Row, long Language);
};
