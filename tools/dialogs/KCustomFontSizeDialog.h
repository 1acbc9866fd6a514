#pragma once
// Asks for a font size the size menu does not list. The caller hands the size to show
// under "CustomFontSize" and listens for the dialog's OK; on OK the dialog writes the size
// entered, kept within 6 to 256, back into that variable and posts it as a format change.
#include "controls/KDialog.h"

class KEditValueControl;

class KCustomFontSizeDialog : public KDialog {
    K_DECLARE_CLASS(KCustomFontSizeDialog)
public:
    // The named element that carries the size in and out.
    static constexpr const char* kCustomFontSize = "CustomFontSize";

    KCustomFontSizeDialog();
    ~KCustomFontSizeDialog() override;

    // Shows the size of "CustomFontSize", when there is one.
    void open(uint8 Mode) override;
    bool handleControlAction(KControlActionEvent& E) override;

    virtual void setSizeEditor(KEditValueControl& Editor);
    virtual void resetSizeEditor();
    // Error 18 when there is none.
    KEditValueControl& getSizeEditor() const;

private:
    KThingPtr m_sizeEditor;
};

K_POINTER_CLASS(KCustomFontSizeDialog, KDialogPtr);
