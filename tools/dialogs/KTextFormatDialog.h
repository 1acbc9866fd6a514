#pragma once
// Face, size, style and text colour chosen together, with a sample line in that format.
// Four picture buttons pop up the face, size, style and colour menus; the preview follows
// every choice. The caller hands the current values under "FontFace", "FontSize",
// "FontStyle" and "FontColor" and listens for the dialog's OK, on which the dialog writes
// the chosen values back into the same variables. While it is the front dialog it keeps
// the format changes of every menu from reaching a document: only the change its caller
// sends for it, with the dialog as source, passes.
#include "controls/KDialog.h"
#include "foundation/KFlagSet.h"
#include "graphics/KColor.h"

class KImagePopUpMenuControl;
class KMenu;

class KTextFormatDialog : public KDialog {
    K_DECLARE_CLASS(KTextFormatDialog)
public:
    // The system font's face and size, plain, black.
    KTextFormatDialog();
    ~KTextFormatDialog() override;

    bool handleEvent(KEvent& E) override;
    // Reads the inputs and builds the four buttons, then opens.
    void open(uint8 Mode) override;
    // The preview; the controls draw themselves.
    bool draw(KWindowEvent& E) override;
    bool handleControlAction(KControlActionEvent& E) override;

    virtual void setFaceButton(KImagePopUpMenuControl& Button);
    virtual void resetFaceButton();
    virtual void setStyleButton(KImagePopUpMenuControl& Button);
    virtual void resetStyleButton();
    virtual void setSizeButton(KImagePopUpMenuControl& Button);
    virtual void resetSizeButton();
    virtual void setColorButton(KImagePopUpMenuControl& Button);
    virtual void resetColorButton();

    // Error 18 before open has made them.
    KImagePopUpMenuControl& getFaceButton() const;
    KImagePopUpMenuControl& getStyleButton() const;
    KImagePopUpMenuControl& getSizeButton() const;
    KImagePopUpMenuControl& getColorButton() const;

    const KString& getFace() const { return m_face; }
    short getSize() const { return m_size; }
    const KFlagSet& getStyle() const { return m_style; }
    const KColor& getColor() const { return m_color; }
    // The preview's line: face, the styles ("Plain" for none) and the size, each followed
    // by ", " but the last, as "Arial, Bold, Italic, 12".
    KString getSampleText() const;
    // The white preview area with its etched edge and the sample line, on any device.
    void drawPreview(KGraphicDevice& D) const;

private:
    // A button of the row: its picture, its menu, its place; the old one of that place, if
    // an earlier opening made one, leaves the window first.
    void buildButton(KThingPtr& Field, short Picture, KMenu& Menu, short Left);
    // The value that the button's menu holds becomes the dialog's.
    void takeValueOf(const KThing& Button);
    void takeAllValues();
    void writeResults() const;

    KThingPtr m_faceButton;
    KThingPtr m_styleButton;
    KThingPtr m_sizeButton;
    KThingPtr m_colorButton;
    KString m_face;
    short m_size = 0;
    KFlagSet m_style;
    KColor m_color = KColor(kBlack);
};

K_POINTER_CLASS(KTextFormatDialog, KDialogPtr);
