#pragma once
// The "Sound Highlight Editor": edits one recorded reading (a KSoundHiliteMedia), that is
// a sound, the text read with it and one marker per word that says at which millisecond
// the word begins. The text stands in an edit field; the markers stand on a time line
// under it that scrolls sideways. The user builds the markers from the text, drags one to
// a new time between its neighbours, merges a run of them into one, and plays the reading
// while the marker of the word being heard lights up ("Looping" starts it over at its
// end). The sound is chosen or recorded here, and the whole reading can be kept in and
// taken from a sound-highlight ("SHI") file.
//
// The creator hands the reading in as a KVariable named "SoundHighlite" before open and
// finds it there again after OK, with the editor's text, markers and sound. The markers
// are the editor's own copies until Play, Save or OK hands copies over. Every text shown
// comes from the speech extras library's localiser.
//
// While open, the editor is an idle handler of the application: it notices the end of
// play. A sound whose duration cannot be read is timed by playing it through once; the
// editor's commands are ignored until that is done.
#include "controls/KCheckBoxControl.h"
#include "controls/KDialog.h"
#include "controls/KPushButtonControl.h"
#include "controls/KScrollBarControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "foundation/KBag.h"
#include "foundation/KFileReference.h"
#include "foundation/KTimer.h"
#include "multimedia/KSound.h"
#include "multimedia/KSoundHiliteMedia.h"
#include "multimedia/recording/KSoundRecordDialog.h"
#include "speechextras/SoundHiliteTimeline.h"
#include "tools/controls/KLabelEditTextControl.h"

class KSoundHiliteEditorDialog : public KDialog {
    K_DECLARE_CLASS(KSoundHiliteEditorDialog)
public:
    // The name under which the reading comes in and goes back.
    static constexpr const char* kMediaName = "SoundHighlite";
    // Where the time line shows in the window.
    static constexpr short kTimelineLeft = 10;
    static constexpr short kTimelineTop = 120;
    // Timing a sound by playing it ends after an hour at the latest.
    static constexpr long kLongestMeasure = 3600000;
    // How often the timing looks whether the sound still plays: the length it finds is
    // at most this much too long.
    static constexpr uint32 kMeasurePollPeriod = 100;

    KSoundHiliteEditorDialog();
    ~KSoundHiliteEditorDialog() override;

    // The playing reading's feedback: the heard word's marker selected, the time shown.
    bool handleEvent(KEvent& E) override;
    // Notices the end of play, and starts over when looping.
    void periodicTask() override;
    // Takes the reading named "SoundHighlite", when there is one, then opens.
    void open(uint8 Mode) override;
    // However it closes, the editor stops the reading and is no idle handler any more.
    void close() override;
    // Refused while a sound is being timed.
    uint8 closeRequest(KWindowEvent& E) override;
    bool draw(KWindowEvent& E) override;
    KEventReturn mouseDown(KMouseEvent& E) override;
    KEventReturn mouseMove(KMouseEvent& E) override;
    KEventReturn mouseUp(KMouseEvent& E) override;
    bool handleControlAction(KControlActionEvent& E) override;

    // Replaces the markers by one per word of the text; an empty text changes nothing.
    void buildMarkersFromText();
    // A new image sized for the markers, scrolled to its start.
    void rebuildTimeline();
    void renderTimeline();
    void drawTimeline();
    long countSelectedMarkers() const;
    void deselectAllMarkers();
    // Asks first; a selection with gaps is refused with a message.
    void mergeMarkers();

    KLabelEditTextControl& getTextField() const { return m_textField.getObject(); }
    KPushButtonControl& getUpdateButton() const { return m_updateButton.getObject(); }
    KPushButtonControl& getSelectButton() const { return m_selectButton.getObject(); }
    KPushButtonControl& getRecordButton() const { return m_recordButton.getObject(); }
    KCheckBoxControl& getLoopingBox() const { return m_loopingBox.getObject(); }
    KPushButtonControl& getPlayButton() const { return m_playButton.getObject(); }
    KPushButtonControl& getMergeButton() const { return m_mergeButton.getObject(); }
    KPushButtonControl& getSaveButton() const { return m_saveButton.getObject(); }
    KPushButtonControl& getLoadButton() const { return m_loadButton.getObject(); }
    KStaticTextNativeControl& getElapsedTimeLabel() const { return m_elapsedTimeLabel.getObject(); }
    KScrollBarControl& getScrollBar() const { return m_scrollBar.getObject(); }
    const SoundHiliteTimeline& getTimeline() const { return m_timeline; }
    const KFileReference& getSoundFile() const { return m_soundFile; }
    const KBag& getMarkers() const { return m_markers; }
    KSoundHiliteMedia& getMedia() const { return m_media.getObject(); }
    long getSoundLength() const { return m_soundLength; }
    long getDraggedMarker() const { return m_draggedMarker; }
    bool isPlaying() const { return m_playing != 0; }
    bool isMeasuring() const { return m_measuring; }
    static const KGraphicRectangle& getRememberedFrame();

protected:
    // The sound that reads a sound file's length, and plays when its duration reads 0,
    // and the recording dialog, made here so that a derived editor can make others.
    virtual KSoundPtr makeSound();
    virtual KSoundRecordDialogPtr makeRecorder();

private:
    KString localized(const char* Key) const;
    bool askToProceed(const char* Question) const;
    long imageX(short WindowX) const;

    // The commands. OK leaves as Cancel does, then hands the reading over.
    void accept();
    void cancel();
    void selectSound();
    void recordSound();
    void save();
    void load();
    // An SHI file to write or to read; false when none was chosen.
    bool chooseFile(bool ToSave, const KString& Title, KFileReference& File) const;
    void togglePlay();
    void update();

    void takeMedia(KSoundHiliteMedia& Media);
    // The editor's text, markers and sound, in the reading.
    void handOver();
    void takeMarkersFrom(const KSoundHiliteMedia& Media);
    void showWholeTimeline();
    // Asks for a sound file that is named but not found.
    void relocateSound(const KString& Title);
    // The new sound's length, with the markers rebuilt for it when there is a text.
    void adoptSound(const KFileReference& File);
    // Milliseconds, truncated; 0 when the duration cannot be read, unless it may be
    // timed by playing it.
    long readSoundLength(const KFileReference& File, bool MayMeasure);
    long measureByPlaying(KSound& Sound);
    void startMedia();
    void stopPlaying();
    void endPlaying();
    void showElapsedTime(long Milliseconds);

    KLabelEditTextControlPtr m_textField;
    KPushButtonControlPtr m_updateButton;
    KPushButtonControlPtr m_selectButton;
    KPushButtonControlPtr m_recordButton;
    KCheckBoxControlPtr m_loopingBox;
    KPushButtonControlPtr m_playButton;
    KPushButtonControlPtr m_mergeButton;
    KPushButtonControlPtr m_saveButton;
    KPushButtonControlPtr m_loadButton;
    KStaticTextNativeControlPtr m_elapsedTimeLabel;
    KFileReference m_soundFile;
    KGraphicRectangle m_timelineArea;
    KScrollBarControlPtr m_scrollBar;
    SoundHiliteTimeline m_timeline;
    KTimerPtr m_measuringTimer;
    KBag m_markers;
    long m_draggedMarker = -1;
    long m_soundLength = 100;
    uint8 m_playing = 0;
    bool m_measuring = false;
    KSoundHiliteMediaPtr m_media;
};

K_POINTER_CLASS(KSoundHiliteEditorDialog, KDialogPtr);
