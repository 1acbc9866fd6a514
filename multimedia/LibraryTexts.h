#pragma once
// The framework's libraries each keep a localiser of their own for their texts, built the
// same way: English is the key language, and "Français", "Italiano" and "Deutsch" follow
// in this order, with one text of each key per language.
#include "foundation/KLocalizer.h"

struct KLibraryText {
    const char* key;
    // French, Italian, German, in the Windows character set. An empty text is a real
    // translation of length 0, not a missing one.
    const char* texts[3];
};

// Adds the three languages to the localiser, sets every row's texts in order and
// rebalances the keys.
void kksFillLibraryLocalizer(KLocalizer& Localizer, const KLibraryText* Rows, long Count);
