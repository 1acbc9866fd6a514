#pragma once
// The standard about box: a picture from the program's resources and, under it, a band in
// which the owner's lines roll upwards, with one OK button. It opens where the last about
// box was closed with OK. The owner gives the picture's resource number, the title and
// the lines, then opens it modelessly.
#include "controls/KDialog.h"
#include "foundation/KBag.h"
#include "graphics/KImage.h"
#include "tools/controls/KTextDisplayControl.h"

class KAboutDialog : public KDialog {
    K_DECLARE_CLASS(KAboutDialog)
public:
    static constexpr short kBandHeight = 120;
    static constexpr short kButtonRowHeight = 40;

    KAboutDialog();
    ~KAboutDialog() override;

    // The picture over its own height, the band under it and the button row last.
    void open(uint8 Mode) override;
    bool draw(KWindowEvent& E) override;
    bool handleControlAction(KControlActionEvent& E) override;

    void setImageResourceID(short Number) { m_pictureResource = Number; }
    void setDialogTitle(const KString& Title) { m_title = Title; }
    // An empty line keeps its height in the band as a single blank.
    void addTextLine(const KString& Line);

    // Made by open; error 18 before.
    KTextDisplayControl& getTextDisplay() const { return m_textDisplay.getObject(); }
    KImage& getPicture() const { return m_picture.getObject(); }
    // Where the next about box opens.
    static const KGraphicRectangle& getRememberedFrame();

private:
    KBag m_lines;
    KImagePtr m_picture;
    KTextDisplayControlPtr m_textDisplay;
    short m_pictureResource = 0;
    KString m_title;
};

K_POINTER_CLASS(KAboutDialog, KDialogPtr);
