#pragma once
// The multi-line text editor: a native RichEdit window with selection, edit commands and
// character and paragraph formats. The native window is the only keeper of the text and
// its formats: the stored text only starts each new native window, so what was typed goes
// with the window. Without a native window every command does nothing and every query
// gives its default.
//
// Action events, sent at once with the field as source: 2 when it is disabled, 5 after an
// edit command changed the text, 6 when the mouse goes down in it.
#include "controls/KRichEditControl.h"
#include "foundation/KFlagSet.h"
#include "foundation/KString.h"
#include "graphics/KColor.h"

enum class EditCommand : uint8;
struct EditCharacterFormat;

class KEditFieldControl : public KRichEditControl {
    K_DECLARE_CLASS(KEditFieldControl)
public:
    // The native window's look, read when it is made.
    enum EditFlag : uint32 {
        BorderFlag = 0x1,
        DefaultFlag = 0x2,
        HorizontalScrollFlag = 0x8,
        VerticalScrollFlag = 0x10,
    };

    explicit KEditFieldControl(uint32 EditFlags = BorderFlag | DefaultFlag);
    ~KEditFieldControl() override;

    void disable() override;
    // Escape goes on to the window or dialog; the native window takes every other key.
    bool keyTyped(KKeyEvent& E) override;
    void createNativeControl() override;
    // A transparent field shows its parent through itself only once it is redrawn.
    void draw() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    KEventReturn mouseDownEvent(KMouseEvent& E) override;

    // No selection at all.
    void selectNone() override;
    void doUndo() override;
    void doRedo() override;
    // Cut and copy also give the selected text to the clipboard manager.
    void doCut() override;
    void doCopy() override;
    void doPaste() override;
    void doDelete() override;
    // The formats of the selection; the alignment is that of the whole text.
    virtual void setFontName(const KString& Name);
    virtual void setFontSize(double Size, uint8 Platform);
    virtual void setFontStyle(const KFlagSet& Style);
    virtual void setAlignment(uint8 Alignment);
    virtual void setColor(const KColor& Color);
    virtual KString getFontName();
    // In points, to the twentieth the native height is kept in.
    virtual double getFontSize();
    virtual KFlagSet getFontStyle();
    virtual uint8 getAlignment();
    virtual KColor getColor();

    // A colour of transparency 1.0 makes the field transparent.
    void setBackgroundColor(const KColor& Color);
    const KColor& getBackgroundColor() const { return m_backgroundColor; }
    // The native window's text; empty without one.
    KString getText() const;
    // The text a new native window starts with.
    void setInitialText(const KString& Text) { m_text = Text; }
    const KString& getInitialText() const { return m_text; }
    uint32 getEditFlags() const { return m_editFlags.getFlags(); }

private:
    // The native command, then the text-changed action.
    void runTextCommand(EditCommand Command);
    void giveToClipboard(const KString& Text);
    // The parts named of Format, given to the selection.
    void setCharacterFormat(const EditCharacterFormat& Format, uint32 Parts);

    KString m_text;
    KFlagSet m_editFlags;
    KColor m_backgroundColor;
};

K_POINTER_CLASS(KEditFieldControl, KControlPtr);
