#pragma once
// The player's own texts: every user-visible text of the player and of the story engine,
// keyed by its English text, with its French, Italian and German translations. The keys
// also carry the vocabulary of the editing functions, which the player shares with its
// editor.
#include "foundation/KLocalizer.h"

class LumoTextTable {
public:
    // Adds "Français", "Italiano" and "Deutsch" in this order, sets the three texts of
    // every key and balances the key tree.
    static void fill(KLocalizer& Localizer);
    // The number of keys the table holds.
    static long getKeyCount();
};
