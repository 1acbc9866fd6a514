#pragma once
// How long the word that an engine reports at a character position is, as the word
// feedback measures it on both engine layers: from the position up to and including the
// first word separator (blank, "-" or ";"), or to the end of the text when none follows.
// A position outside the text measures 0.
long kssMeasureSpokenWord(const char* Text, long Length, long Position);
