#pragma once
// The single-line text entry: a native RichEdit window in plain-text mode. Unlike the
// multi-line field it keeps its text: the stored text goes into every new native window
// and is read back before one goes, so it survives the native window. Typing and pasting
// can be held to a set of accepted characters and stop at a length limit (a setText may
// go past it); Tab never reaches the native window. With the action on Return set, a
// first Return posts a text-changed action (type 5) and selects the text; a Return with
// everything selected goes on to the window, so a dialog's default button answers it.
#include "controls/KRichEditControl.h"
#include "foundation/KString.h"

class KEditTextControl : public KRichEditControl {
    K_DECLARE_CLASS(KEditTextControl)
public:
    static constexpr long kDefaultMaximumLength = 250;

    KEditTextControl();
    ~KEditTextControl() override;

    // Sends a disabled action (type 2) first, while the field has the keyboard focus.
    void disable() override;
    bool keyTyped(KKeyEvent& E) override;
    bool focusLost(KKeyEvent& E) override;
    void createNativeControl() override;
    void destroyNativeControl() override;
    bool handleNativeEvent(KNativeEvent& Event) override;

    // The caret before the first character.
    void selectNone() override;
    // Not offered by this control: each shows the "Not Yet Implemented!" box. The native
    // window still cuts, copies and pastes with its own keys.
    void doUndo() override;
    void doRedo() override;
    void doCut() override;
    void doCopy() override;
    void doPaste() override;
    void doDelete() override;

    void setText(const KString& Text);
    // The native window's text, which becomes the stored one; the stored one without a
    // native window.
    const KString& getText();
    // Empty: every character may be typed.
    void setAcceptedCharacters(const KString& Characters) { m_acceptedCharacters = Characters; }
    const KString& getAcceptedCharacters() const { return m_acceptedCharacters; }
    long getMaximumLength() const { return m_maximumLength; }
    // 1: Return posts the text-changed action and selects the text.
    void setActionOnReturn(uint8 Value) { m_actionOnReturn = Value; }
    uint8 getActionOnReturn() const { return m_actionOnReturn; }

private:
    // Whether the native window is to see the typed character.
    bool acceptsTyped(uint8 Character) const;
    // Whether the character may stand in the field at all.
    bool acceptsCharacter(uint8 Character) const;
    // The clipboard's text as far as typing it would have gone in.
    void pasteFiltered();

    KString m_text;
    KString m_acceptedCharacters;
    const long m_maximumLength = kDefaultMaximumLength;
    uint8 m_actionOnReturn = 0;
};

K_POINTER_CLASS(KEditTextControl, KControlPtr);
