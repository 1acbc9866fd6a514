#pragma once
// What the sound-highlight editor does to its markers: a bag of KSoundHiliteMarkers in
// text order, which is also time order. Markers are built one per word of the text with
// first times proportional to the words' places; a dragged marker stays strictly between
// its neighbours; a run of selected markers merges into its first.
#include "foundation/KBag.h"
#include "foundation/KString.h"

class KSoundHiliteMarker;

class SoundHiliteMarkers {
public:
    enum Selection : uint8 {
        // None or one selected: nothing to merge.
        TooFew = 0,
        Contiguous = 1,
        // Selected markers with an unselected one between them.
        Scattered = 2,
    };

    static KSoundHiliteMarker& at(const KBag& Markers, long Index);

    // One marker per word, words being separated by blanks only (line breaks and
    // punctuation belong to their words). False, and the bag as it was, for an empty text.
    static bool buildFromText(const KString& Text, long SoundLength, KBag& Markers);

    static long countSelected(const KBag& Markers);
    static void deselectAll(const KBag& Markers);
    // The index of the first marker whose word starts at WordStart, -1 for none.
    static long findWordStart(const KBag& Markers, long WordStart);

    // A dragged marker takes only times strictly between Low and High: 0 or the time of
    // the marker before, the sound's length or the time of the marker after.
    static void dragLimits(const KBag& Markers, long Index, long SoundLength, long& Low, long& High);

    // The first and last selected markers, found as the editor's single pass finds them.
    static Selection findSelectedRun(const KBag& Markers, long& First, long& Last);
    // The markers First to Last become one whose word is theirs, each followed by a
    // blank, at the time and place of the first. Its range never reaches past the end
    // of a text TextLength long, so the highlight it gives stays within the text.
    static void merge(KBag& Markers, long First, long Last, long TextLength);
};
