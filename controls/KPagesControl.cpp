#include "controls/KPagesControl.h"

#include "application/KKeyboardManager.h"

namespace {
// The strip's height and the frame around the pages.
constexpr short kPageLeft = 2;
constexpr short kPageTop = 21;
constexpr short kPageWidthInset = 4;
constexpr short kPageHeightInset = 23;
} // namespace

K_DEFINE_CLASS(KPagesControl, KTabControl, 1)

KPagesControl::KPagesControl() { clearStateFlags(AcceptsFocusFlag); }

KPagesControl::~KPagesControl() = default;

void KPagesControl::layoutSubControls()
{
    KGraphicRectangle area;
    getPageBounds(area);
    for (long i = 0; i < m_pages.getCount(); ++i)
        pageAt(i).setBounds(area);
}

void KPagesControl::draw()
{
    if (!isVisible() || !hasParentWindow())
        return;
    if (hasPage(getSelectedTab()))
        pageAt(getSelectedTab()).draw();
    KTabControl::draw();
}

bool KPagesControl::handleNativeEvent(KNativeEvent& Event) { return KTabControl::handleNativeEvent(Event); }

void KPagesControl::selectTab(long Index)
{
    const long old = getSelectedTab();
    if (Index == old || Index >= getTabCount() || !hasPage(Index))
        return;
    if (hasPage(old))
        leavePage(old);
    KTabControl::selectTab(Index);
    KControl& page = pageAt(Index);
    page.enable(true);
    page.show(true);
    bringControlToFront(page);
    if (!hasParentWindow())
        return;
    KControl* remembered = m_rememberedFocus[Index];
    if (remembered && containsControl(*remembered) && KKeyboardManager::exists())
        KKeyboardManager::getManager().setFocusElement(*remembered);
    else
        getParentWindow().focusFirstElement();
    draw();
}

void KPagesControl::leavePage(long Index)
{
    KControl& page = pageAt(Index);
    if (KKeyboardManager::exists() && KKeyboardManager::getManager().hasFocusElement()) {
        auto* focus = dynamic_cast<KControl*>(&KKeyboardManager::getManager().getFocusElement());
        if (focus && page.containsControl(*focus))
            m_rememberedFocus[Index] = focus;
    }
    page.hide();
    page.disable();
}

void KPagesControl::addPage(KControl& Page)
{
    if (m_pages.has(Page))
        return;
    KControlPtr hold(Page);
    const bool selected = m_pages.getCount() == getSelectedTab();
    m_pages.add(Page);
    m_rememberedFocus.push_back(nullptr);
    KGraphicRectangle area;
    getPageBounds(area);
    Page.setBounds(area);
    if (selected) {
        Page.enable(true);
        Page.show(true);
    } else {
        Page.hide();
        Page.disable();
    }
    addControl(Page);
}

void KPagesControl::getPageBounds(KGraphicRectangle& R) const
{
    R = KGraphicRectangle(kPageLeft, kPageTop, static_cast<short>(getWidth() - kPageWidthInset),
                          static_cast<short>(getHeight() - kPageHeightInset));
}
