#pragma once
// A window whose whole content is a multi-line edit field, and the usual handler of the
// format events: edit commands and format changes go to the edit field that has the
// keyboard focus in this window (or, when nothing has the focus, to the one that had it
// last). A format event counts as handled even when no such field is found.
#include "application/KWindow.h"
#include "controls/KEditFieldControl.h"

class KTextDocumentWindow : public KWindow {
    K_DECLARE_CLASS(KTextDocumentWindow)
public:
    KTextDocumentWindow();
    ~KTextDocumentWindow() override;

    bool handleEvent(KEvent& E) override;
    void open(uint8 Mode) override;
    bool draw(KWindowEvent& E) override;
    bool resized(KWindowEvent& E) override;

    virtual void setTextControl(KEditFieldControl& Field);
    virtual void releaseTextControl();

    // Error 18 when there is none.
    KEditFieldControl& getTextControl() const { return m_textControl.getObject(); }

private:
    // The edit field a format event is for; null when there is none.
    KEditFieldControl* findTarget() const;

    KEditFieldControlPtr m_textControl;
};

K_POINTER_CLASS(KTextDocumentWindow, KWindowPtr);
