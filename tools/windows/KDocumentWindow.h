#pragma once
// A window whose whole content is a scroll view: the view fills the content area when the
// window opens and whenever it is resized, and draws the content.
#include "application/KWindow.h"
#include "controls/KScrollViewControl.h"

class KDocumentWindow : public KWindow {
    K_DECLARE_CLASS(KDocumentWindow)
public:
    KDocumentWindow();
    ~KDocumentWindow() override;

    void open(uint8 Mode) override;
    bool draw(KWindowEvent& E) override;
    bool resized(KWindowEvent& E) override;

    virtual void setScrollView(KScrollViewControl& View);
    virtual void releaseScrollView();

    // Error 18 when there is none.
    KScrollViewControl& getScrollView() const { return m_scrollView.getObject(); }

private:
    KScrollViewControlPtr m_scrollView;
};

K_POINTER_CLASS(KDocumentWindow, KWindowPtr);
