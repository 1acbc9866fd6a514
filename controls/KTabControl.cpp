#include "controls/KTabControl.h"

#include "application/KNativeEvent.h"
#include "application/NativeWindowWin32.h"
#include "controls/ChoiceControlsWin32.h"
#include "controls/NativeControlsWin32.h"
#include "foundation/ErrorTable.h"

K_DEFINE_CLASS(KTabControl, KControl, 1)

KTabControl::KTabControl() = default;
KTabControl::~KTabControl() = default;

void KTabControl::setHilite(uint8 H) { KControl::setHilite(H); }

void KTabControl::createNativeControl()
{
    if (!makeNativeWindow("SysTabControl32", "", 0))
        return;
    void* window = getNativeWindow();
    updateNativeChildWin32(window);
    for (long i = 0; i < m_tabs.getCount(); ++i)
        insertNativeTab(static_cast<const KString&>(m_tabs[i]));
    if (m_selectedTab != 0)
        selectNativeTabWin32(window, m_selectedTab);
}

void KTabControl::destroyNativeControl() { KControl::destroyNativeControl(); }

void KTabControl::draw() {}

bool KTabControl::handleNativeEvent(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    if (!message || !isNotifyWin32(*message))
        return KControl::handleNativeEvent(Event);
    if (isTabSelectionChangeWin32(*message) && getNativeWindow())
        selectTab(getSelectedNativeTabWin32(getNativeWindow()));
    return false;
}

KEventReturn KTabControl::mouseDownEvent(KMouseEvent& E) { return KControl::mouseDownEvent(E); }

void KTabControl::selectTab(long Index)
{
    if (Index < 0 || Index >= m_tabs.getCount())
        return;
    void* window = getNativeWindow();
    if (window && Index != m_selectedTab)
        selectNativeTabWin32(window, Index);
    m_selectedTab = Index;
}

long KTabControl::appendTab(KString& S)
{
    m_tabs.add(*new KString(S));
    if (getNativeWindow())
        insertNativeTab(S);
    return m_tabs.getCount() - 1;
}

void KTabControl::insertNativeTab(const KString& S)
{
    if (appendNativeTabWin32(getNativeWindow(), S.getText()) == -1)
        kksReportError(18, "long KTabControl::appendTab(KString& S)");
}
