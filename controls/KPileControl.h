#pragma once
// A frameless group that shows the controls of one page out of a pile of pages, without
// any tab strip: the owner chooses the page. The pages' controls are the pile's
// sub-controls; only the current page's show, and none while the pile itself is hidden.
#include "controls/KGroupControl.h"
#include "foundation/KBag.h"

class KPileControl : public KGroupControl {
    K_DECLARE_CLASS(KPileControl)
public:
    KPileControl();
    ~KPileControl() override;

    void enable(bool On) override;
    void disable() override;
    void show(bool On) override;
    void hide() override;

    // Shows the current page's controls and hides those of every other page.
    void showCurrentPage();
    // A new empty page; its index.
    long addPage();
    // C joins the pile and the page; an index without a page changes nothing.
    void addControlToPage(long Page, KControl& C);
    // An index without a page changes nothing.
    void setCurrentPage(long Page);
    long getCurrentPage() const { return m_currentPage; }
    long getPageCount() const { return m_pages.getCount(); }
    // The controls of a page, in order.
    const KBag& getPage(long Page) const { return static_cast<const KBag&>(m_pages[Page]); }

private:
    void invalidateWindowArea();

    // Each element is a bag of the controls shown together.
    KBag m_pages;
    long m_currentPage = 0;
};

K_POINTER_CLASS(KPileControl, KGroupControlPtr);
