#pragma once
// The ready-made "Format" menu: "Text Format..." and six sub-menus, "Font", "Size",
// "Style", "Alignment", "Text Color" and "Background Color", each of which sends its own
// choices. "Text Format..." opens the text format dialog on the sub-menus' values; when
// the user confirms it, this menu sends the dialog's four values as one format change,
// with the dialog as source.
#include "application/KMenu.h"

class KBackgroundColorMenu;
class KFontColorMenu;
class KFontFaceMenu;
class KFontSizeMenu;
class KFontStyleMenu;
class KTextAlignmentMenu;

class KTextFormatMenu : public KMenu {
    K_DECLARE_CLASS(KTextFormatMenu)
public:
    static constexpr long kTextFormatCommand = 10000;

    KTextFormatMenu();
    ~KTextFormatMenu() override;

    // The confirmation of a text format dialog this menu opened.
    bool handleEvent(KEvent& E) override;
    bool doMenuItem(KMenuEvent& E) override;

    virtual void setFontFaceMenu(KFontFaceMenu& Menu);
    virtual void resetFontFaceMenu();
    virtual void setFontSizeMenu(KFontSizeMenu& Menu);
    virtual void resetFontSizeMenu();
    virtual void setFontStyleMenu(KFontStyleMenu& Menu);
    virtual void resetFontStyleMenu();
    virtual void setAlignmentMenu(KTextAlignmentMenu& Menu);
    virtual void resetAlignmentMenu();
    virtual void setFontColorMenu(KFontColorMenu& Menu);
    virtual void resetFontColorMenu();
    virtual void setBackgroundColorMenu(KBackgroundColorMenu& Menu);
    virtual void resetBackgroundColorMenu();

    // Error 18 when empty.
    KFontFaceMenu& getFontFaceMenu() const;
    bool hasFontFaceMenu() const { return m_faceMenu.hasObject(nullptr); }
    KFontSizeMenu& getFontSizeMenu() const;
    bool hasFontSizeMenu() const { return m_sizeMenu.hasObject(nullptr); }
    KFontStyleMenu& getFontStyleMenu() const;
    bool hasFontStyleMenu() const { return m_styleMenu.hasObject(nullptr); }
    KTextAlignmentMenu& getAlignmentMenu() const;
    KFontColorMenu& getFontColorMenu() const;
    bool hasFontColorMenu() const { return m_colorMenu.hasObject(nullptr); }
    KBackgroundColorMenu& getBackgroundColorMenu() const;

private:
    KThingPtr m_faceMenu;
    KThingPtr m_sizeMenu;
    KThingPtr m_styleMenu;
    KThingPtr m_alignmentMenu;
    KThingPtr m_colorMenu;
    KThingPtr m_backgroundMenu;
    KString m_dialogItemTitle;
};

K_POINTER_CLASS(KTextFormatMenu, KMenuPtr);
