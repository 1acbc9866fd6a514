#include "speechextras/SoundHiliteMarkers.h"

#include "multimedia/KSoundHiliteMarker.h"

#include <algorithm>

namespace {
constexpr char kBlank = ' ';

void addMarker(KBag& Markers, const KString& Word, long Start, long Time)
{
    KSoundHiliteMarkerPtr marker = new KSoundHiliteMarker;
    if (!marker.hasObject(nullptr))
        return;
    marker->setWord(Word);
    marker->setWordStart(Start);
    marker->setTime(Time);
    Markers.add(*marker);
}
} // namespace

KSoundHiliteMarker& SoundHiliteMarkers::at(const KBag& Markers, long Index)
{
    return static_cast<KSoundHiliteMarker&>(Markers[Index]);
}

bool SoundHiliteMarkers::buildFromText(const KString& Text, long SoundLength, KBag& Markers)
{
    const long length = Text.getLength();
    if (length == 0)
        return false;
    Markers.clear();
    // Exact in 64 bits: a word's time is its place's share of the sound.
    auto timeOf = [&](long Start) { return static_cast<long>(static_cast<long long>(Start) * SoundLength / length); };
    long wordStart = 0;
    for (long i = 0; i <= length; ++i) {
        if (i < length && Text.getCharAt(i) != kBlank)
            continue;
        if (i > wordStart)
            addMarker(Markers, Text.getMid(wordStart, i - wordStart), wordStart, timeOf(wordStart));
        wordStart = i + 1;
    }
    return true;
}

long SoundHiliteMarkers::countSelected(const KBag& Markers)
{
    long count = 0;
    for (long i = 0; i < Markers.getCount(); ++i)
        count += at(Markers, i).isSelected() ? 1 : 0;
    return count;
}

void SoundHiliteMarkers::deselectAll(const KBag& Markers)
{
    for (long i = 0; i < Markers.getCount(); ++i)
        at(Markers, i).deselect();
}

long SoundHiliteMarkers::findWordStart(const KBag& Markers, long WordStart)
{
    for (long i = 0; i < Markers.getCount(); ++i) {
        if (at(Markers, i).getWordStart() == WordStart)
            return i;
    }
    return -1;
}

void SoundHiliteMarkers::dragLimits(const KBag& Markers, long Index, long SoundLength, long& Low, long& High)
{
    Low = Index > 0 ? at(Markers, Index - 1).getTime() + 1 : 0;
    High = Index + 1 < Markers.getCount() ? at(Markers, Index + 1).getTime() - 1 : SoundLength;
}

SoundHiliteMarkers::Selection SoundHiliteMarkers::findSelectedRun(const KBag& Markers, long& First, long& Last)
{
    First = -1;
    Last = -1;
    bool runEnded = false;
    for (long i = 0; i < Markers.getCount(); ++i) {
        if (!at(Markers, i).isSelected()) {
            runEnded = First >= 0;
            continue;
        }
        if (runEnded)
            return Scattered;
        if (First < 0)
            First = i;
        Last = i;
    }
    return Last > First ? Contiguous : TooFew;
}

void SoundHiliteMarkers::merge(KBag& Markers, long First, long Last, long TextLength)
{
    if (First < 0 || Last <= First || Last >= Markers.getCount())
        return;
    KString word;
    for (long i = First; i <= Last; ++i) {
        word += at(Markers, i).getWord();
        word += kBlank;
    }
    KSoundHiliteMarker& merged = at(Markers, First);
    merged.setWord(word);
    // The blank after the last word of the text is no character of the text.
    const long room = std::max(0L, TextLength - merged.getWordStart());
    merged.setWordLength(std::min(merged.getWordLength(), room));
    for (long i = First; i < Last; ++i)
        Markers.removeAt(First + 1);
}
