#include "controls/KPileControl.h"

K_DEFINE_CLASS(KPileControl, KGroupControl, 1)

KPileControl::KPileControl()
{
    setStateFlags(EraseBackgroundFlag);
    clearStateFlags(AcceptsFocusFlag);
    setFramed(false);
}

KPileControl::~KPileControl() = default;

void KPileControl::showCurrentPage()
{
    for (long page = 0; page < m_pages.getCount(); ++page) {
        const KBag& controls = getPage(page);
        // A hidden pile shows none of its pages: its controls would still take the
        // mouse and the focus.
        const bool shown = page == m_currentPage && isVisible();
        for (long i = 0; i < controls.getCount(); ++i) {
            auto& control = static_cast<KControl&>(controls[i]);
            if (shown)
                control.show(true);
            else
                control.hide();
        }
    }
}

void KPileControl::show(bool On)
{
    KControl::show(On);
    showCurrentPage();
    invalidateWindowArea();
}

void KPileControl::hide()
{
    KControl::hide();
    showCurrentPage();
    invalidateWindowArea();
}

void KPileControl::enable(bool On)
{
    KGroupControl::enable(On);
    invalidateWindowArea();
}

void KPileControl::disable()
{
    KGroupControl::disable();
    invalidateWindowArea();
}

long KPileControl::addPage()
{
    m_pages.add(*new KBag);
    return m_pages.getCount() - 1;
}

void KPileControl::addControlToPage(long Page, KControl& C)
{
    if (Page < 0 || Page >= m_pages.getCount())
        return;
    KControlPtr hold(C);
    static_cast<KBag&>(m_pages[Page]).add(C);
    if (Page != m_currentPage)
        C.hide();
    addControl(C);
}

void KPileControl::setCurrentPage(long Page)
{
    if (Page < 0 || Page >= m_pages.getCount())
        return;
    m_currentPage = Page;
    showCurrentPage();
}

void KPileControl::invalidateWindowArea()
{
    KWindowPtr window;
    if (findParentWindow(window))
        window->invalidateRect(getGlobalBounds());
}
