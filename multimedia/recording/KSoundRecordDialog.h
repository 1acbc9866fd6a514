#pragma once
// The "Record Sound" dialog: Record, Play and Stop buttons and the time recorded so far.
// A take is recorded into a temporary file through the sound recorder and can be heard
// before it is kept. OK copies it to its place, chosen with the save-file dialog (option
// 1, the default) or by a name in the destination folder (option 0), and leaves the chosen
// file under the named object "Recorded Sound"; Cancel throws the take away. Closed in any
// other way, the dialog throws it away too.
//
// While open, the dialog is an idle handler of the application: it feeds the level meter,
// when one is set, and notices when the take has played to its end. The source and quality
// pop-ups and the level meter are the caller's to add: the dialog makes none of them.
#include "controls/KDialog.h"
#include "controls/KPopUpListControl.h"
#include "controls/KPushButtonControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "foundation/KDirectory.h"
#include "foundation/KPath.h"
#include "foundation/KTimer.h"
#include "multimedia/KSound.h"
#include "multimedia/recording/KLevelMeterControl.h"

class KControlActionEvent;
class KFileReference;

class KSoundRecordDialog : public KDialog {
    K_DECLARE_CLASS(KSoundRecordDialog)
public:
    enum Option : uint8 {
        // OK asks for a name and a folder with the save-file dialog.
        SaveFileOption = 1,
        // OK proposes a free name in the destination folder.
        NameOption = 0,
    };

    KSoundRecordDialog();
    // Stops the timer.
    ~KSoundRecordDialog() override;

    // Only the dialog's own timer counts: a second more recorded.
    void doTimer(KTimer& T) override;
    void periodicTask() override;
    // Builds the controls, opens the capture device and starts the idle handling.
    void open(uint8 Mode) override;
    // A dialog closed without OK or Cancel throws its take away as Cancel does.
    void close() override;
    bool handleControlAction(KControlActionEvent& E) override;

    // A choice in the source pop-up opens the recorder again on that source; one in the
    // quality pop-up gives the recorder its quality index.
    virtual void setSourcePopUp(KPopUpListControl& C);
    virtual void resetSourcePopUp();
    virtual void setQualityPopUp(KPopUpListControl& C);
    virtual void resetQualityPopUp();
    virtual void setRecordButton(KPushButtonControl& C);
    virtual void resetRecordButton();
    virtual void setPlayButton(KPushButtonControl& C);
    virtual void resetPlayButton();
    virtual void setStopButton(KPushButtonControl& C);
    virtual void resetStopButton();
    virtual void setLevelMeter(KLevelMeterControl& C);
    virtual void resetLevelMeter();
    virtual void setTimeText(KStaticTextNativeControl& C);
    virtual void resetTimeText();
    virtual void setSound(KSound& S);
    virtual void resetSound();
    virtual void setTimer(KTimer& T);
    virtual void resetTimer();

    // Each getter is error 18 when the field is empty.
    KPopUpListControl& getSourcePopUp() const { return m_sourcePopUp.getObject(); }
    KPopUpListControl& getQualityPopUp() const { return m_qualityPopUp.getObject(); }
    KPushButtonControl& getRecordButton() const { return m_recordButton.getObject(); }
    KPushButtonControl& getPlayButton() const { return m_playButton.getObject(); }
    KPushButtonControl& getStopButton() const { return m_stopButton.getObject(); }
    KLevelMeterControl& getLevelMeter() const { return m_levelMeter.getObject(); }
    bool hasLevelMeter() const { return m_levelMeter.hasObject(nullptr); }
    KStaticTextNativeControl& getTimeText() const { return m_timeText.getObject(); }
    bool hasTimeText() const { return m_timeText.hasObject(nullptr); }
    KSound& getSound() const { return m_sound.getObject(); }
    bool hasSound() const { return m_sound.hasObject(nullptr); }
    KTimer& getTimer() const { return m_timer.getObject(); }

    void setDirectory(const KDirectory& Directory) { m_directory = Directory; }
    const KDirectory& getDirectory() const { return m_directory; }
    void setSoundName(const KString& Name) { m_soundName = Name; }
    const KString& getSoundName() const { return m_soundName; }
    void setOption(uint8 O) { m_option = O; }
    uint8 getOption() const { return m_option; }
    // The temporary file of the take.
    const KPath& getRecordingPath() const { return m_recordingPath; }
    long getElapsedTime() const { return m_elapsedTime; }

private:
    bool record();
    bool stop();
    bool play();
    bool accept();
    bool cancel();
    bool choose(KPopUpListControl& PopUp);
    // Each answers whether the take was kept, after which the dialog closes.
    bool saveThroughFileDialog();
    bool saveUnderNewName();
    // The take copied to File, which the caller then finds under "Recorded Sound".
    bool keep(const KFileReference& File);
    // Ends the recording or the playback, whichever runs.
    void stopTake();
    void stopSound();
    // The take is thrown away and the idle handling ends.
    void finish();
    void setButtons(bool Record, bool Play, bool Stop, bool OKAndCancel);
    void enableStandardButtons(bool On);
    void showElapsedTime();
    void dropOwnControls();

    KPopUpListControlPtr m_sourcePopUp;
    KPopUpListControlPtr m_qualityPopUp;
    KPushButtonControlPtr m_recordButton;
    KPushButtonControlPtr m_playButton;
    KPushButtonControlPtr m_stopButton;
    KLevelMeterControlPtr m_levelMeter;
    KStaticTextNativeControlPtr m_timeText;
    KSoundPtr m_sound;
    KTimerPtr m_timer;
    KString m_warningTitle;
    KString m_warningText;
    KPath m_recordingPath;
    long m_elapsedTime = 0;
    KDirectory m_directory;
    KString m_soundName;
    uint8 m_option = SaveFileOption;
    // Set from open to OK, Cancel or close: the dialog is an idle handler and owns a take.
    bool m_active = false;
};

K_POINTER_CLASS(KSoundRecordDialog, KDialogPtr);
