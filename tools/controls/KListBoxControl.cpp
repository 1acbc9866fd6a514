#include "tools/controls/KListBoxControl.h"

#include "application/InputWin32.h"
#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "application/KMouseEvent.h"
#include "controls/ImmediateActions.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KImage.h"
#include "tools/controls/ControlLooks.h"
#include "tools/controls/HostedElementMouse.h"
#include "tools/igo/KStaticTextIGO.h"

namespace {
constexpr short kMargin = 2;
constexpr short kFocusInset = 4;
// Elements draw their focus look only while this state flag is set (it is by default).
constexpr uint32 kShowsFocusFlag = 0x8000;
} // namespace

K_DEFINE_CLASS(KListBoxControl, KControl, 1)

KListBoxControl::KListBoxControl()
    : m_scrollBar(new KScrollBarControl)
{
    setStateFlags(AcceptsFocusFlag);
    m_scrollBar->setMinimum(0);
    m_scrollBar->setValue(0, true);
    m_scrollBar->setLineStep(1);
    addControl(*m_scrollBar);
    KListArrangementIGOPtr list = new KListArrangementIGO;
    setList(*list);
    list->setSelectionMode(KArrangementIGO::SingleSelection);
}

KListBoxControl::~KListBoxControl()
{
    releaseList();
    m_scrollBar.reset();
}

void KListBoxControl::releaseList()
{
    if (!hasList())
        return;
    KListArrangementIGOPtr list = m_list;
    m_list.reset();
    if (list->hasParent() && &list->getParent() == this)
        list->resetParent();
}

void KListBoxControl::setList(KListArrangementIGO& L)
{
    KListArrangementIGOPtr hold(L);
    if (m_list != L)
        releaseList();
    m_list = L;
    L.setParent(*this);
}

void KListBoxControl::clearList() { releaseList(); }

bool KListBoxControl::requireList() const
{
    if (hasList())
        return true;
    getList();
    return false;
}

void KListBoxControl::relayout()
{
    if (!requireList())
        return;
    m_list->relayout();
    updateScrollBar();
}

void KListBoxControl::setFlag800()
{
    if (isUpdating() || !requireList())
        return;
    KControl::setFlag800();
    m_list->beginUpdate();
}

void KListBoxControl::clearFlag800()
{
    if (!isUpdating() || !requireList())
        return;
    KControl::clearFlag800();
    m_list->endUpdate();
    updateScrollBar();
}

template <typename Change>
void KListBoxControl::inBatch(Change Do)
{
    if (!requireList())
        return;
    if (isUpdating()) {
        Do();
        return;
    }
    beginUpdate();
    Do();
    endUpdate();
}

void KListBoxControl::appendItem(const KString& Text, KThing& Object)
{
    inBatch([&] {
        KStaticTextIGOPtr row = new KStaticTextIGO;
        row->setText(Text);
        row->setHighlightExtent(KStaticTextIGO::DestinationHighlight);
        row->setGraphicObject(Object);
        row->setSize(KWideSize(row->getTextObject().getSize()));
        m_list->addElement(*row);
    });
}

void KListBoxControl::removeItem(long Index)
{
    inBatch([&] { m_list->removeElementAt(Index); });
}

void KListBoxControl::removeAllItems()
{
    inBatch([&] { m_list->removeAllElements(); });
}

void KListBoxControl::setItemText(long Index, const KString& Text)
{
    if (!requireList())
        return;
    if (auto* row = dynamic_cast<KStaticTextIGO*>(&m_list->getElementAt(Index)))
        row->setText(Text);
}

bool KListBoxControl::findItem(const KString& Text, long& Index) const
{
    if (!requireList())
        return false;
    for (long i = 0; i < m_list->getElementCount(); ++i) {
        auto* row = dynamic_cast<KStaticTextIGO*>(&m_list->getElementAt(i));
        if (row && row->getText() == Text) {
            Index = i;
            return true;
        }
    }
    return false;
}

long KListBoxControl::getSelectedIndex() const { return requireList() ? m_list->getSelectedIndex() : -1; }

void KListBoxControl::selectItem(long Index)
{
    if (!requireList())
        return;
    m_list->selectElementAt(Index);
    if (getActionMask().isSet(SelectionChangedAction))
        sendControlActionNow(*this, SelectionChangedAction);
}

void KListBoxControl::updateScrollBar()
{
    if (!m_scrollBar.hasObject(nullptr) || !requireList())
        return;
    KWideSize content;
    m_list->getContentSize(content);
    KScrollBarControl& bar = *m_scrollBar;
    bar.setMinimum(0);
    bar.setMaximum(content.getHeight() - getHeight() + 2 * kMargin);
    bar.setValue(m_list->getScrollOffset().getY(), true);
    bar.setLineStep(1);
    bar.setPageSize((bar.getMaximum() - bar.getMinimum()) / 10);
}

void KListBoxControl::layoutSubControls()
{
    if (!m_scrollBar.hasObject(nullptr) || !hasList())
        return;
    const short width = getWidth(), height = getHeight();
    KScrollBarControl& bar = *m_scrollBar;
    const short barWidth = bar.getVariantSize(knsGetPlatform()).getWidth();
    KWideSize content;
    m_list->getContentSize(content);
    bar.setMaximum(content.getHeight() - height + 2 * kMargin);
    bar.setPageSize(height - 2 * kMargin);
    bar.setBounds(KGraphicRectangle(static_cast<short>(width - barWidth - kMargin), kMargin, barWidth,
                                    static_cast<short>(height - 2 * kMargin)));
    const long oldWidth = m_list->getSize().getWidth();
    m_list->setPosition(KWidePoint(kMargin, kMargin));
    m_list->setSize(KWideSize(width - barWidth - 2 * kMargin, height - 2 * kMargin));
    // Rows stretch across the list, so a list of another width lays them out again.
    if (m_list->getSize().getWidth() != oldWidth && m_list->getElementCount() > 0)
        m_list->relayout();
}

bool KListBoxControl::handleAction(KActionEvent& E)
{
    switch (E.getType()) {
    case KArrangementIGO::ScrolledAction:
        updateScrollBar();
        return false;
    case KArrangementIGO::SelectionChangedAction:
        if (getActionMask().isSet(SelectionChangedAction))
            sendControlActionNow(*this, SelectionChangedAction);
        return true;
    default:
        return false;
    }
}

bool KListBoxControl::handleAction(KControlActionEvent& E)
{
    if (!E.hasSource() || m_scrollBar.get() != &E.getSource() || !hasList())
        return false;
    m_list->setScrollOffset(KWidePoint(0, m_scrollBar->getValue()));
    draw();
    return false;
}

bool KListBoxControl::keyTyped(KKeyEvent& E)
{
    if (E.getKey() == KKeyboardManager::TabKey) {
        KWindowPtr window;
        if (findParentWindow(window)) {
            if (E.getModifiers() & KKeyEvent::Shift)
                window->focusPreviousElement();
            else
                window->focusNextElement();
        }
        return true;
    }
    if (!requireList())
        return false;
    KListArrangementIGOPtr list = m_list;
    const bool handled = list->keyTyped(E);
    updateScrollBar();
    return handled;
}

bool KListBoxControl::focusGained(KKeyEvent&) { return true; }

bool KListBoxControl::focusLost(KKeyEvent&)
{
    if (isVisible() && hasParentWindow())
        draw();
    return true;
}

void KListBoxControl::invalidate() { draw(); }
void KListBoxControl::invalidateRect(const KWideRectangle&) { draw(); }

void KListBoxControl::draw()
{
    drawOnControl(*this, [this](KGraphicDevice& Dev, const KGraphicRectangle& Area) {
        Dev.drawSunkenEdge(Area);
        if (hasList())
            drawList(Dev, Area);
        if (showsFocus()) {
            KGraphicRectangle focus = Area;
            focus.setWidth(static_cast<short>(focus.getWidth() - m_scrollBar->getWidth()));
            focus.inset(kFocusInset, kFocusInset);
            Dev.drawFocusRect(focus);
        }
    });
}

void KListBoxControl::drawList(KGraphicDevice& Dev, const KGraphicRectangle& Area)
{
    KListArrangementIGOPtr list = m_list;
    const KGraphicRectangle frame = list->getFrame();
    if (frame.getWidth() <= 0 || frame.getHeight() <= 0)
        return;
    KImagePtr image = new KImage;
    image->create(frame.getSize());
    list->draw(image->getGraphicDevice(), KGraphicRectangle(0, 0, frame.getWidth(), frame.getHeight()));
    image->draw(Dev, KGraphicRectangle(static_cast<short>(Area.getH() + frame.getH()),
                                       static_cast<short>(Area.getV() + frame.getV()), frame.getWidth(),
                                       frame.getHeight()));
}

bool KListBoxControl::showsFocus() const
{
    KWindowPtr window;
    return findParentWindow(window) && window->ownsKeyboardFocus() && (getStateFlags() & kShowsFocusFlag)
           && KKeyboardManager::exists() && KKeyboardManager::getManager().hasFocusElement()
           && &KKeyboardManager::getManager().getFocusElement() == this;
}

bool KListBoxControl::handleNativeEvent(KNativeEvent& Event)
{
    return swallowEraseBackground(Event) || KControl::handleNativeEvent(Event);
}

bool KListBoxControl::targets(const KMouseEvent& E) const { return E.hasTarget() && &E.getTarget() == this; }

KEventReturn KListBoxControl::mouseDownEvent(KMouseEvent& E)
{
    if (!targets(E) || !hasList())
        return 0;
    if (KKeyboardManager::exists())
        KKeyboardManager::getManager().setFocusElement(*this);
    else if (void* native = getNativeWindow())
        setNativeFocusWin32(native);
    // A double (or triple) click is the owner's: the list does not see it.
    if (E.getDoubleClick()) {
        sendControlActionNow(*this, DoubleClickAction);
        return 0;
    }
    KListArrangementIGOPtr list = m_list;
    const KWidePoint p = controlPointOf(*this, E);
    if (!list->containsPoint(p) || !list->mouseDown(list->toLocal(p), E))
        return 0;
    setStateFlags(TrackingFlag);
    return 4;
}

KEventReturn KListBoxControl::mouseMoveEvent(KMouseEvent& E)
{
    return hasList() ? moveOverHosted(*m_list, controlPointOf(*this, E), (getStateFlags() & TrackingFlag) != 0) : 0;
}

KEventReturn KListBoxControl::mouseRepeatEvent(KMouseEvent& E)
{
    if (hasList()) {
        KListArrangementIGOPtr list = m_list;
        list->mouseLeave(list->toLocal(controlPointOf(*this, E)));
    }
    return 0;
}

KEventReturn KListBoxControl::mouseUpEvent(KMouseEvent& E)
{
    if (E.hasTarget() && m_scrollBar.get() == &E.getTarget()) {
        releaseMouseCaptureWin32();
        return 0;
    }
    if (!targets(E) || !hasList())
        return 0;
    const bool tracking = (getStateFlags() & TrackingFlag) != 0;
    clearStateFlags(TrackingFlag);
    return releaseOverHosted(*m_list, controlPointOf(*this, E), tracking);
}

KEventReturn KListBoxControl::mouseEnterEvent(KMouseEvent& E)
{
    return targets(E) && hasList() ? enterHosted(*m_list, controlPointOf(*this, E)) : 0;
}

KEventReturn KListBoxControl::mouseExitEvent(KMouseEvent& E)
{
    return targets(E) && hasList() ? leaveHosted(*m_list, E) : 0;
}
