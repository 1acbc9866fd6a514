#pragma once
// A tab strip that shows, under the strip, the page control of the selected tab: the
// other pages are hidden and disabled. Each page keeps the control that had the keyboard
// focus when it was left, and gets the focus back there when its tab is chosen again; a
// page shown for the first time leaves the focus to the window's first focusable element.
#include "controls/KTabControl.h"
#include "foundation/KBag.h"

#include <vector>

class KPagesControl : public KTabControl {
    K_DECLARE_CLASS(KPagesControl)
public:
    KPagesControl();
    ~KPagesControl() override;

    void layoutSubControls() override;
    void draw() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    // Nothing for the selected tab, or for a tab without a page.
    void selectTab(long Index) override;

    // The page of the next tab without one: a sub-control placed under the strip, shown
    // only while its tab is selected.
    void addPage(KControl& Page);
    const KBag& getPages() const { return m_pages; }
    // The area under the strip, inside its frame, in this control's coordinates.
    void getPageBounds(KGraphicRectangle& R) const;

private:
    bool hasPage(long Index) const { return Index >= 0 && Index < m_pages.getCount(); }
    KControl& pageAt(long Index) const { return static_cast<KControl&>(m_pages[Index]); }
    // Remembers the page's focus control, then hides and disables the page.
    void leavePage(long Index);

    KBag m_pages;
    // Plain references: a remembered control is only compared until the page holds it.
    std::vector<KControl*> m_rememberedFocus;
};

K_POINTER_CLASS(KPagesControl, KTabControlPtr);
