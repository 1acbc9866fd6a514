#include "tools/controls/KLabelPopUpListControl.h"

#include "application/KControlActionEvent.h"
#include "foundation/KernelFunctions.h"
#include "tools/controls/CompoundControls.h"

namespace {
constexpr short kDefaultLabelWidth = 64;
constexpr short kListGap = 6;
constexpr short kWidth = 80;
constexpr short kMacHeight = 20;
constexpr short kHeight = 22;
} // namespace

K_DEFINE_CLASS(KLabelPopUpListControl, KControl, 1)

KLabelPopUpListControl::KLabelPopUpListControl()
    : m_labelWidth(kDefaultLabelWidth)
{
    m_label = new KStaticTextNativeControl;
    addControl(*m_label);
    m_list = new KPopUpListControl;
    addControl(*m_list);
    setVariantSize(kPlatformMac, KGraphicSize(kWidth, kMacHeight));
    setVariantSize(kPlatformWindows, KGraphicSize(kWidth, kHeight));
    setSize(KGraphicSize(kWidth, kHeight));
}

KLabelPopUpListControl::~KLabelPopUpListControl() = default;

void KLabelPopUpListControl::layoutSubControls()
{
    if (!m_label.hasObject(nullptr) || !m_list.hasObject(nullptr))
        return;
    const short w = getWidth(), h = getHeight(), lw = m_labelWidth;
    const short labelHeight = m_label->getVariantSize(knsGetPlatform()).getHeight();
    m_list->setBounds(KGraphicRectangle(static_cast<short>(lw + kListGap), 0, static_cast<short>(w - lw - kListGap), h));
    if (labelHeight < h) {
        m_label->setSize(KGraphicSize(lw, labelHeight));
        m_label->placeNextTo(*m_list, KControl::LeftCentered, kListGap);
    } else {
        m_label->setBounds(KGraphicRectangle(0, 0, lw, h));
    }
}

void KLabelPopUpListControl::draw() { drawCompoundControl(*this); }

bool KLabelPopUpListControl::handleAction(KControlActionEvent& E)
{
    if (!E.hasSource() || &E.getSource() != m_list.get())
        return false;
    resendAsFrom(*this, E);
    return true;
}

void KLabelPopUpListControl::appendItem(const KString& Item)
{
    KString copy(Item);
    m_list->appendItem(copy);
}

void KLabelPopUpListControl::appendItems(const KStringBag& Items)
{
    for (long i = 0; i < Items.getCount(); ++i)
        appendItem(Items.getStringAt(i));
}

void KLabelPopUpListControl::removeAllItems() { m_list->removeAllItems(); }
bool KLabelPopUpListControl::hasItem(const KString& Item, long* Position) const { return m_list->hasItem(Item, Position); }
void KLabelPopUpListControl::selectItemText(const KString& Item) { m_list->selectItemText(Item); }
KString KLabelPopUpListControl::getSelectedItem() const { return m_list->getSelectedItem(); }
long KLabelPopUpListControl::getItemCount() const { return m_list->getItemCount(); }
void KLabelPopUpListControl::setLabel(const KString& Text) { m_label->setText(Text); }

void KLabelPopUpListControl::setLabelWidth(short Width)
{
    m_labelWidth = Width;
    layoutSubControls();
}
