#include "controls/KPopUpListControl.h"

#include "application/KControlActionEvent.h"
#include "application/KNativeEvent.h"
#include "application/NativeWindowWin32.h"
#include "controls/ChoiceControlsWin32.h"
#include "controls/ImmediateActions.h"
#include "controls/NativeControlBindingWin32.h"
#include "controls/NativeControlsWin32.h"

namespace {
constexpr short kWidth = 80;
constexpr short kMacHeight = 20;
constexpr short kHeight = 22;
} // namespace

K_DEFINE_CLASS(KPopUpListControl, KControl, 1)

KPopUpListControl::KPopUpListControl()
{
    setVariantSize(1, KGraphicSize(kWidth, kMacHeight));
    setVariantSize(2, KGraphicSize(kWidth, kHeight));
    setVariantSize(3, KGraphicSize(kWidth, kHeight));
    setSize(KGraphicSize(kWidth, kHeight));
}

KPopUpListControl::~KPopUpListControl() = default;

void KPopUpListControl::setHilite(uint8 H) { KControl::setHilite(H); }

void KPopUpListControl::enable(bool On)
{
    if (!On) {
        disable();
        return;
    }
    KInteractiveElement::enable(true);
    void* window = getNativeWindow();
    if (window && m_items.getCount() > 0)
        enableNativeWindowWin32(window, true);
    draw();
    for (long i = 0; i < getControls().getCount(); ++i)
        static_cast<KControl&>(getControls()[i]).enable(true);
}

void KPopUpListControl::disable() { KControl::disable(); }

void KPopUpListControl::createNativeControl()
{
    if (!makeNativeWindow("combobox", "", kDropDownListStyle))
        return;
    void* window = getNativeWindow();
    short x = 0, y = 0, width = 0, height = 0;
    if (getNativeControlFrameWin32(*this, x, y, width, height))
        moveNativeChildWin32(window, x, y, width, kDropDownListHeight);
    if (m_items.getCount() == 0) {
        enableNativeWindowWin32(window, false);
        return;
    }
    for (long i = 0; i < m_items.getCount(); ++i)
        addComboItemWin32(window, static_cast<const KString&>(m_items[i]).getText());
    setValue(m_value);
    if (!isEnabled())
        enableNativeWindowWin32(window, false);
}

bool KPopUpListControl::handleNativeEvent(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    // The control's bounds give the height of the closed list only.
    if (message && keepDropDownHeightWin32(*message))
        return false;
    if (message && isComboSelectionChangeWin32(*message) && getNativeWindow()) {
        const long selected = getComboSelectionWin32(getNativeWindow());
        if (selected != kNoComboSelection) {
            m_value = selected + 1;
            sendControlActionNow(*this, KControlActionEvent::Done);
        }
    }
    return KControl::handleNativeEvent(Event);
}

KEventReturn KPopUpListControl::mouseDownEvent(KMouseEvent&) { return 1; }

bool KPopUpListControl::handleAction(KControlActionEvent&) { return false; }

void KPopUpListControl::appendItem(KString& S)
{
    if (S.isOnHeap())
        m_items.add(S);
    else
        m_items.add(*new KString(S));
    void* window = getNativeWindow();
    if (!window)
        return;
    addComboItemWin32(window, S.getText());
    if (isEnabled() && !isNativeWindowEnabledWin32(window))
        enableNativeWindowWin32(window, true);
}

void KPopUpListControl::appendItems(KBag& Items)
{
    for (long i = 0; i < Items.getCount(); ++i) {
        if (auto* text = dynamic_cast<KString*>(&Items[i]))
            appendItem(*text);
    }
}

bool KPopUpListControl::hasItem(const KString& S, long* Index) const
{
    for (long i = 0; i < m_items.getCount(); ++i) {
        if (static_cast<const KString&>(m_items[i]) == S) {
            if (Index)
                *Index = i + 1;
            return true;
        }
    }
    return false;
}

void KPopUpListControl::removeAllItems()
{
    if (void* window = getNativeWindow()) {
        removeAllComboItemsWin32(window);
        enableNativeWindowWin32(window, false);
    }
    m_items.clear();
}

void KPopUpListControl::selectItemText(const KString& S)
{
    long index = 0;
    if (hasItem(S, &index))
        setValue(index);
}

void KPopUpListControl::setValue(long Value)
{
    if (Value < 1 || Value > m_items.getCount())
        return;
    m_value = Value;
    if (void* window = getNativeWindow())
        setComboSelectionWin32(window, Value - 1);
}

const KString& KPopUpListControl::getSelectedItem() const
{
    // After the lines were emptied and fewer added, the value may name none.
    if (m_value < 1 || m_value > m_items.getCount())
        return m_emptyItem;
    return static_cast<const KString&>(m_items[m_value - 1]);
}
