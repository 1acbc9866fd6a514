#pragma once
// An about box of the player's own: a picture in a sunken frame, the product's name,
// version and build stamp in four text fields under it, and an OK button. It opens where
// the last one of its class was closed. The player's About command uses the tools
// library's about box; this one and its animated kind are made through the class
// registry.
#include "controls/KDialog.h"
#include "controls/KPushButtonControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "foundation/KGraphicSize.h"
#include "graphics/KImage.h"
#include "player/DialogPlace.h"

class ZAboutDialog : public KDialog {
    K_DECLARE_CLASS(ZAboutDialog)
public:
    // The picture the class registry's dialogs show.
    static constexpr short kPictureResource = 32767;
    // The layout is never smaller than this, whatever the picture.
    static constexpr short kMinimumWidth = 220;
    static constexpr short kMinimumHeight = 150;

    explicit ZAboutDialog(short PictureResource = kPictureResource);
    ~ZAboutDialog() override;

    // Remembers where the box was and takes its OK button away, so that it can open again
    // with or without it.
    void close() override;
    bool draw(KWindowEvent& E) override { return drawContent(E); }
    // Its own OK button closes it.
    bool handleControlAction(KControlActionEvent& E) override;

    // Opens the box without waiting, where the last one of its class was closed (centred
    // the first time): the picture with the texts, and the OK button when WithButton.
    virtual void openAbout(bool WithButton);

    // The picture in its sunken frame, stretched to the layout size.
    bool drawContent(KWindowEvent& E);

    const KGraphicSize& getLayoutSize() const { return m_layoutSize; }
    KImage& getPicture() const { return m_picture.getObject(); }
    KPushButtonControl& getOwnOKButton() const { return m_okButton.getObject(); }
    KStaticTextNativeControl& getLeftText() const { return m_leftText.getObject(); }
    // 1 to 3, top to bottom.
    KStaticTextNativeControl& getRightText(int Number) const;

protected:
    // Where the dialogs of this class open; each class keeps its own.
    virtual DialogPlace& place() const;
    // The window's size for the layout, with or without the button row.
    KGraphicSize frameSize(bool WithButton) const;

private:
    KPushButtonControlPtr m_okButton;
    KImagePtr m_picture;
    KStaticTextNativeControlPtr m_rightText1;
    KStaticTextNativeControlPtr m_rightText2;
    KStaticTextNativeControlPtr m_rightText3;
    KStaticTextNativeControlPtr m_leftText;
    KGraphicSize m_layoutSize;
};

K_POINTER_CLASS(ZAboutDialog, KDialogPtr);
