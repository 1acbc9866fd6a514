#pragma once
// "Help": the picture of the player's keys, drawn for the user interface's language, with
// an OK button. It stays open while the player goes on, and opens where the last one was
// closed.
#include "controls/KDialog.h"
#include "controls/KStaticImageControl.h"

class KeyListHelpDialog : public KDialog {
    K_DECLARE_CLASS(KeyListHelpDialog)
public:
    static constexpr short kGermanPicture = 32700;
    static constexpr short kFrenchPicture = 32701;
    static constexpr short kItalianPicture = 32702;
    static constexpr short kEnglishPicture = 32703;

    // The picture for the application's language.
    KeyListHelpDialog();
    ~KeyListHelpDialog() override;

    // The picture of a language, by its name as the preferences hold it; English for a
    // name the player does not know.
    static short pictureFor(const KString& Language);

    // Opens without waiting.
    void openDialog();
    // Remembers where the dialog was and closes it.
    void close() override;
    bool draw(KWindowEvent& E) override { return drawContent(E); }
    // A sunken frame around the picture.
    bool drawContent(KWindowEvent& E);

    KStaticImageControl& getPicture() const { return m_picture.getObject(); }
    short getPictureResource() const { return m_pictureResource; }

private:
    KStaticImageControlPtr m_picture;
    short m_pictureResource = kEnglishPicture;
};

K_POINTER_CLASS(KeyListHelpDialog, KDialogPtr);
