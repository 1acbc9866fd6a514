#pragma once
// The small modal dialog in which the user types one pronunciation exception: the written
// form, a single word without blanks, and the spoken form that speech says in its place.
// "Test" speaks the spoken form, as typed, with the voice chosen in the pop-up, so that the
// user hears it before confirming. The caller gives the two forms as the string variables
// "Word" and "Exception" among the dialog's named objects and reads them back after OK.
//
// Where it opens and the voice last tried or confirmed are remembered for the rest of the
// run; its size always follows its controls. On a machine without speech the voice pop-up
// says so, and it and "Test" stay disabled.
#include "controls/KDialog.h"
#include "controls/KPushButtonControl.h"
#include "multimedia/KSpeech.h"
#include "tools/controls/KLabelEditTextControl.h"
#include "tools/controls/KLabelPopUpListControl.h"

class KSpeechExceptionAddDialog : public KDialog {
    K_DECLARE_CLASS(KSpeechExceptionAddDialog)
public:
    static constexpr const char* kWord = "Word";
    static constexpr const char* kException = "Exception";

    KSpeechExceptionAddDialog();
    ~KSpeechExceptionAddDialog() override;

    // Shows the named forms and the remembered voice, then runs the dialog: 1 after OK,
    // 2 after Cancel.
    uint8 runModal(uint8 Mode) override;
    bool handleControlAction(KControlActionEvent& E) override;

    // Where the next entry dialog opens.
    static const KGraphicRectangle& getRememberedBounds();
    static const KString& getRememberedVoice();

    KLabelEditTextControl& getWrittenField() const { return *m_written; }
    KLabelEditTextControl& getSpokenField() const { return *m_spoken; }
    KLabelPopUpListControl& getVoiceList() const { return *m_voices; }
    KPushButtonControl& getTestButton() const { return *m_test; }
    bool hasVoices() const { return m_hasVoices; }

private:
    KLabelEditTextControlPtr makeField(const char* Label, short Top);
    void fillVoices();
    KString getNamedString(const char* Name) const;
    void setNamedString(const char* Name, const KString& Value);
    // What OK and Cancel both do before the dialog closes.
    void leave();

    KLabelEditTextControlPtr m_written;
    KLabelEditTextControlPtr m_spoken;
    KLabelPopUpListControlPtr m_voices;
    KPushButtonControlPtr m_test;
    // Speaks only the trial; the exceptions are not applied to it.
    KSpeechPtr m_speech;
    bool m_hasVoices = false;
};

K_POINTER_CLASS(KSpeechExceptionAddDialog, KDialogPtr);
