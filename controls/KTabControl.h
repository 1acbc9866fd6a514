#pragma once
// A native tab strip. The control keeps the tab titles and the selected tab (0 is the
// first); the strip gets them when it is made and follows every later change. A tab the
// user chooses goes through selectTab, which derived controls extend; no action is
// reported.
#include "controls/KControl.h"
#include "foundation/KBag.h"
#include "foundation/KString.h"

class KTabControl : public KControl {
    K_DECLARE_CLASS(KTabControl)
public:
    KTabControl();
    ~KTabControl() override;

    void setHilite(uint8 H) override;
    void createNativeControl() override;
    void destroyNativeControl() override;
    // The native strip paints itself.
    void draw() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    KEventReturn mouseDownEvent(KMouseEvent& E) override;

    // Ignored unless Index names a tab.
    virtual void selectTab(long Index);

    // The new tab's index. A tab the native strip refuses is reported (error 18).
    long appendTab(KString& S);
    long getSelectedTab() const { return m_selectedTab; }
    long getTabCount() const { return m_tabs.getCount(); }
    const KBag& getTabs() const { return m_tabs; }

private:
    void insertNativeTab(const KString& S);

    KBag m_tabs;
    long m_selectedTab = 0;
};

K_POINTER_CLASS(KTabControl, KControlPtr);
