#include "tools/igo/KListBoxElementIGO.h"

namespace {
constexpr long kRowWidth = 200;
constexpr long kRowHeight = 20;
constexpr long kPartSide = 20;
constexpr long kDisclosureLeft = 0;
constexpr long kImageLeft = 20;
constexpr long kTextLeft = 40;
constexpr long kTextWidth = 160;
} // namespace

K_DEFINE_CLASS(KListBoxElementIGO, KArrangementIGO, 1)

KListBoxElementIGO::KListBoxElementIGO()
{
    setSize(KWideSize(kRowWidth, kRowHeight));
    KDisclosureIGOPtr disclosure = new KDisclosureIGO;
    KImageIGOPtr image = new KImageIGO;
    KStaticTextIGOPtr text = new KStaticTextIGO;
    disclosure->clearStateFlags(HoverLookFlag);
    image->clearStateFlags(HoverLookFlag | PressedLookFlag);
    text->clearStateFlags(HoverLookFlag | PressedLookFlag);
    setDisclosureElement(*disclosure);
    setImageElement(*image);
    setTextElement(*text);
}

KListBoxElementIGO::~KListBoxElementIGO()
{
    m_text.reset();
    m_image.reset();
    m_disclosure.reset();
    m_linkedObject.reset();
    m_rowObject.reset();
    m_subRows.clear();
}

void KListBoxElementIGO::setSelected(bool On)
{
    if (On == isSelected() || !isEnabled())
        return;
    if (!On) {
        clearSelected();
        return;
    }
    setStateFlags(SelectedFlag);
    if (hasTextElement())
        m_text->setSelected(true);
    if (hasImageElement())
        m_image->setSelected(true);
}

void KListBoxElementIGO::clearSelected()
{
    if (!isSelected() || !isEnabled())
        return;
    clearStateFlags(SelectedFlag);
    if (hasTextElement())
        m_text->clearSelected();
    if (hasImageElement())
        m_image->clearSelected();
}

void KListBoxElementIGO::setGraphicObject(KThing& Object) { m_rowObject = Object; }
void KListBoxElementIGO::clearGraphicObject() { m_rowObject.reset(); }

void KListBoxElementIGO::replacePart(KThingPtr& Slot, KInteractiveGraphicObject* New, long Left, long Width)
{
    KWidePoint position(Left, 0);
    KWideSize size(Width, kPartSide);
    if (Slot.hasObject(nullptr)) {
        auto& old = static_cast<KInteractiveGraphicObject&>(Slot.getObject());
        position = old.getPosition();
        size = old.getSize();
        removeElement(old);
    }
    Slot = New;
    if (New)
        addElement(*New, position, size);
}

void KListBoxElementIGO::setTextElement(KStaticTextIGO& E) { replacePart(m_text, &E, kTextLeft, kTextWidth); }
void KListBoxElementIGO::clearTextElement() { replacePart(m_text, nullptr, kTextLeft, kTextWidth); }
void KListBoxElementIGO::setImageElement(KImageIGO& E) { replacePart(m_image, &E, kImageLeft, kPartSide); }
void KListBoxElementIGO::clearImageElement() { replacePart(m_image, nullptr, kImageLeft, kPartSide); }

void KListBoxElementIGO::setDisclosureElement(KDisclosureIGO& E)
{
    replacePart(m_disclosure, &E, kDisclosureLeft, kPartSide);
}

void KListBoxElementIGO::clearDisclosureElement() { replacePart(m_disclosure, nullptr, kDisclosureLeft, kPartSide); }

void KListBoxElementIGO::setLinkedObject(KThing& Object) { m_linkedObject = Object; }
void KListBoxElementIGO::clearLinkedObject() { m_linkedObject.reset(); }

void KListBoxElementIGO::resetRowState() { m_rowFlags.clear(ExpandableRowFlag); }

void KListBoxElementIGO::updateRowState()
{
    if ((m_rowFlags.getFlags() & ExpandableRowFlag) && m_subRows.getCount() > 0)
        m_rowFlags.set(HasSubRowsFlag);
}
