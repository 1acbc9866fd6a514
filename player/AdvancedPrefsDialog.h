#pragma once
// "Advanced Features": the speed at which the story's speech speaks, either the voice's
// own or a custom one from 0 (slowest) to 100 (fastest), which the user can try at once
// on a sample sentence with a chosen voice. The caller hands in "SpeechSpeed" (short),
// "CustomSpeechSpeed" and "AllowDuplicatedActors" (bool) as named variables, runs the
// dialog and, on OK (1), reads them back; the dialog touches neither the application nor
// the preferences.
#include "controls/KDialog.h"
#include "controls/KCheckBoxControl.h"
#include "controls/KPushButtonControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "multimedia/KExtendedSpeech.h"
#include "tools/controls/KGraphicSliderControl.h"
#include "tools/controls/KLabelEditTextControl.h"
#include "tools/controls/KLabelPopUpListControl.h"

class AdvancedPrefsDialog : public KDialog {
    K_DECLARE_CLASS(AdvancedPrefsDialog)
public:
    // The speed value that leaves the voice at its own speed; 50 counts the same.
    static constexpr short kDefaultSpeed = -1;
    static constexpr short kMiddleSpeed = 50;
    // The voice offered when the system has none.
    static constexpr const char* kFallbackVoice = "Fred";

    AdvancedPrefsDialog();
    ~AdvancedPrefsDialog() override;

    // Shows the values handed in, opens the dialog where the last one was closed and
    // waits for it; the result byte: 1 OK, 2 Cancel.
    uint8 run();

    // Ends a trial whose speech has finished.
    void periodicTask() override;
    // Stops a trial still speaking, remembers where the dialog was and closes it.
    void close() override;
    bool handleControlAction(KControlActionEvent& E) override { return handleControl(E); }
    // Never handles the action, so that OK and Cancel go on to close the dialog.
    bool handleControl(KControlActionEvent& E);
    void updateSpeedLabel();

    short getSpeed() const { return m_speed; }
    bool isSpeaking() const { return m_speaking; }
    bool hasTrialSpeech() const { return m_trial.hasObject(nullptr); }
    KExtendedSpeech& getTrialSpeech() const { return m_trial.getObject(); }
    KCheckBoxControl& getCustomSpeedBox() const { return m_customSpeed.getObject(); }
    KGraphicSliderControl& getSpeedSlider() const { return m_slider.getObject(); }
    KStaticTextNativeControl& getSpeedLabel() const { return m_speedLabel.getObject(); }
    KLabelEditTextControl& getTextField() const { return m_text.getObject(); }
    KLabelPopUpListControl& getVoiceList() const { return m_voices.getObject(); }
    KPushButtonControl& getTryButton() const { return m_tryButton.getObject(); }
    // Shown only where the system offers no voice.
    bool hasNoVoiceNotice() const { return m_noVoiceNotice.hasObject(nullptr); }
    KStaticTextNativeControl& getNoVoiceNotice() const { return m_noVoiceNotice.getObject(); }

private:
    void startTrial();
    // Back to the idle state; StopSpeech when the trial is cut short.
    void endTrial(bool StopSpeech);
    // The controls that a trial locks.
    void enableControls(bool On);
    void storeValues();

    short m_speed = kDefaultSpeed;
    KCheckBoxControlPtr m_customSpeed;
    KGraphicSliderControlPtr m_slider;
    KStaticTextNativeControlPtr m_speedLabel;
    // Handed back unchanged: the player has no control for it.
    bool m_allowDuplicatedActors = false;
    KLabelEditTextControlPtr m_text;
    KLabelPopUpListControlPtr m_voices;
    KPushButtonControlPtr m_tryButton;
    KStaticTextNativeControlPtr m_noVoiceNotice;
    KExtendedSpeechPtr m_trial;
    bool m_speaking = false;
};

K_POINTER_CLASS(AdvancedPrefsDialog, KDialogPtr);
