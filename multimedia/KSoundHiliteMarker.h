#pragma once
// One word of a recorded reading: the millisecond of the sound at which the word begins
// and where the word stands in the text. The sound-highlight editor shows markers on a
// time line and selects them; the media walks them to know which word is being heard.
#include "foundation/KClass.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KGraphicDevice;

class KSoundHiliteMarker : public KThing {
    K_DECLARE_CLASS(KSoundHiliteMarker)
public:
    KSoundHiliteMarker();
    KSoundHiliteMarker(const KSoundHiliteMarker& Other);
    KSoundHiliteMarker& operator=(const KSoundHiliteMarker&) = delete;
    ~KSoundHiliteMarker() override;

    // Section 1 holds the time, word start and word length (32-bit each), the word's own
    // block and the selected byte. Another first section leaves the marker as it is.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void setTime(long Time) { m_time = Time; }
    void setWordStart(long Start) { m_wordStart = Start; }
    void setWordLength(long Length) { m_wordLength = Length; }
    // Also sets the word length to the word's.
    void setWord(const KString& Word);
    void setSelected(uint8 Selected) { m_selected = Selected; }
    void deselect() { m_selected = 0; }

    long getTime() const { return m_time; }
    long getWordStart() const { return m_wordStart; }
    long getWordLength() const { return m_wordLength; }
    const KString& getWord() const { return m_word; }
    bool isSelected() const { return m_selected != 0; }

    // Where the marker stands on a time line that shows Duration milliseconds across the
    // track: 3 pixels wide around its time, as high as the track.
    KGraphicRectangle getMarkerRect(const KGraphicRectangle& Track, long Duration) const;
    // The marker's bar and its word's label.
    void draw(KGraphicDevice& Device, const KGraphicRectangle& Track, long Duration) const;

private:
    short getMarkerPosition(const KGraphicRectangle& Track, long Duration) const;

    long m_time = 0;
    long m_wordStart = 0;
    long m_wordLength = 0;
    KString m_word;
    uint8 m_selected = 0;
};

K_POINTER_CLASS(KSoundHiliteMarker, KThingPtr);
