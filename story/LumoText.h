#pragma once
// A text of the story: lines of styled text drawn into a rectangle of the page and, at
// its turn on the tape, read aloud while the word being spoken is highlighted. It reads
// with speech synthesis in a chosen voice, through a speech made for each reading, or with
// a recorded sound whose word timings it keeps. Both media tell it the word they are at;
// it redraws the text with that word highlighted at its next step, at most once a tick,
// and ends itself when the medium has finished.
//
// Feedback positions count the characters of the spoken text, the lines joined by one
// blank; the highlight drawn counts the characters of the lines alone.
#include "foundation/KString.h"
#include "graphics/KColor.h"
#include "graphics/KFont.h"
#include "graphics/KImage.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextBlockObject.h"
#include "multimedia/KExtendedSpeech.h"
#include "multimedia/KSoundHiliteMedia.h"
#include "story/FeedbackRelay.h"
#include "story/TapeGraphicObject.h"

class KSpriteSystem;

class LumoText : public TapeGraphicObject {
    K_DECLARE_CLASS(LumoText)
public:
    static constexpr short kDefaultLeft = 100;
    static constexpr short kDefaultTop = 100;
    static constexpr short kDefaultWidth = 400;
    static constexpr short kDefaultHeight = 200;

    // One line of the localised "New Text" in the class defaults, 400 × 200, centred on
    // the page the application's window shows (at (100, 100) without one), in the last
    // used voice; shown only, on a painted background, highlighting in yellow.
    LumoText();
    // Lets its media go: they are its own.
    ~LumoText() override;

    // Section 1: the graphic object's block, the text block's, the voice's, the wait,
    // transparent and reading-aloud bytes, the highlight and background colours' blocks,
    // the highlight byte; section 2: the volume (a double); section 3: the recorded-
    // reading byte and the recorded reading's block, stored without its text.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;
    // The word feedback of the media: notes the range for the next step to draw. Takes
    // every feedback event.
    bool handleEvent(KEvent& E) override;

    // Draws the text and starts the reading, or ends at once when there is nothing to
    // read with or the text does not wait.
    void start() override;
    // Draws a newly heard word; ends the object once the reading has finished.
    void step() override;
    // Leaves the text on the page without highlight and lets the reading go.
    void stop() override;
    void drawOnPage() override;
    // Into the bounds moved by Destination's origin less Source's.
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    void drawKindIcon(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    // The silhouette in black: the whole rectangle of a painted text, the characters of a
    // transparent one.
    void drawWithColor(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    // The rectangle scales about its centre; the fonts keep their sizes and the text wraps
    // anew.
    void scaleFromTo(const KGraphicRectangle& From, const KGraphicRectangle& To) override;
    void scale(double Factor) override;
    void scaleXY(double XFactor, double YFactor) override;
    void offset(short DH, short DV) override;
    // Housekeeping of the recorded reading's sound file; speech needs no file.
    bool findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder) override;
    void copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder) override;
    bool replaceMediaFile(const KFileReference& Old, const KFileReference& New) override;
    void collectMediaNames(KStringBag& Names) override;
    bool usesMediaName(const KString& Name) override;
    // The bounds and base fields, the options and colours; the text block is shared with
    // Other, and the recorded reading copied only when Other reads with it.
    void copyFrom(const TapeObject& Other) override;
    bool readsAloud() const override { return m_readAloud != 0; }

    virtual void setTextBlock(KTextBlock& Block);
    virtual void resetTextBlock();

    // Error 18 without one.
    KTextBlock& getTextBlock() const { return m_textBlock.getObject(); }
    bool hasTextBlock() const { return m_textBlock.hasObject(nullptr); }
    // The lines joined by one blank: what the media read.
    KString getSpokenText() const;

    void setVoice(const KString& Voice) { m_voice = Voice; }
    const KString& getVoice() const { return m_voice; }
    void setWaitUntilDone(uint8 Wait) { m_waitUntilDone = Wait; }
    bool waitsUntilDone() const { return m_waitUntilDone != 0; }
    void setReadAloud(uint8 ReadAloud) { m_readAloud = ReadAloud; }
    void setTransparentBackground(uint8 Transparent) { m_transparentBackground = Transparent; }
    bool hasTransparentBackground() const { return m_transparentBackground != 0; }
    void setHighlightText(uint8 Highlight) { m_highlightText = Highlight; }
    bool highlightsText() const { return m_highlightText != 0; }
    void setSoundHighlight(uint8 SoundHighlight) { m_soundHighlight = SoundHighlight; }
    bool readsWithSound() const { return m_soundHighlight != 0; }
    void setHighlightColor(const KColor& Color) { m_highlightColor = Color; }
    const KColor& getHighlightColor() const { return m_highlightColor; }
    void setBackgroundColor(const KColor& Color) { m_backgroundColor = Color; }
    const KColor& getBackgroundColor() const { return m_backgroundColor; }
    void setVolume(double Volume) { m_volume = Volume; }
    double getVolume() const { return m_volume; }

    // The recorded reading, which the text always has and keeps.
    KSoundHiliteMedia& getSoundHighlightMedia() const { return m_soundHighlightMedia.getObject(); }
    // Unloads the recorded reading first.
    void setSoundFile(const KFileReference& File);
    const KFileReference& getSoundFile() const { return getSoundHighlightMedia().getSoundFile(); }
    bool hasSoundFile() const { return getSoundHighlightMedia().hasSoundFile(); }

    // While a reading runs: the speech, and the laid-out text with its highlight.
    bool hasSpeech() const { return m_speech.hasObject(nullptr); }
    KExtendedSpeech& getSpeech() const { return m_speech.getObject(); }
    bool hasTextObject() const { return m_textObject.hasObject(nullptr); }
    KTextBlockObject& getTextObject() const { return m_textObject.getObject(); }

    // What new texts are made with; the player sets them as it starts.
    static void setDefaultFont(const KFont& Font);
    static void setDefaultTextColor(const KColor& Color);
    static void setDefaultBackgroundColor(const KColor& Color);
    static void setDefaultAlignment(uint8 Alignment);
    static const KFont& getDefaultFont();
    static const KColor& getDefaultTextColor();
    static const KColor& getDefaultBackgroundColor();
    static uint8 getDefaultAlignment();

private:
    // The text laid out in the rectangle's width, without highlight.
    KTextBlockObjectPtr makeTextObject() const;
    // The rectangle painted with the background colour, or the page saved under it put
    // back for a transparent text.
    void prepareBackground(KGraphicDevice& Page, const KGraphicRectangle& R) const;
    // Redraws the running text with the word range heard last; CutAtEnd keeps the range
    // within the text.
    void drawHeardWords(bool CutAtEnd);
    // The heard range as positions in the characters of the lines alone.
    void lineRangeOfHeardWords(bool CutAtEnd, long& Start, long& End) const;
    // Either the medium tells this text its words until the reading ends, or the text
    // ends at once and the medium reads on alone.
    void followReading(KAbstractMedia& Medium);
    void readWithSpeech();
    void readWithSound();
    void endOnTape();
    void dropTextObject();

    // Stored.
    KTextBlockPtr m_textBlock;
    KString m_voice;
    uint8 m_transparentBackground = 0;
    uint8 m_waitUntilDone = 1;
    uint8 m_readAloud = 0;
    double m_volume = 1.0;
    KColor m_highlightColor;
    KColor m_backgroundColor;
    uint8 m_highlightText = 0;
    uint8 m_soundHighlight = 0;
    KSoundHiliteMediaPtr m_soundHighlightMedia;

    // While running.
    uint8 m_highlightPending = 0;
    long m_highlightStart = -1;
    long m_highlightLength = -1;
    KExtendedSpeechPtr m_speech;
    KTextBlockObjectPtr m_textObject;
    KImagePtr m_savedBackground;
    FeedbackRelayPtr m_feedbackRelay;
};
