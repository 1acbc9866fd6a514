#pragma once
// A ready-made list row: a disclosure triangle, a picture and a label side by side, an
// arrangement of its own that selects and deselects its picture and label with itself.
// It can carry an object linked to the row and a bag of sub-rows.
#include "tools/igo/KArrangementIGO.h"
#include "tools/igo/KDisclosureIGO.h"
#include "tools/igo/KImageIGO.h"
#include "tools/igo/KStaticTextIGO.h"

class KListBoxElementIGO : public KArrangementIGO {
    K_DECLARE_CLASS(KListBoxElementIGO)
public:
    enum RowFlag : uint32 {
        // The row may hold sub-rows.
        ExpandableRowFlag = 0x1,
        // It holds some: set by updateRowState.
        HasSubRowsFlag = 0x2,
    };

    // 200 by 20: the triangle and the picture 20 by 20 each, the label 160 wide.
    KListBoxElementIGO();
    ~KListBoxElementIGO() override;

    // The row's selection is its label's and picture's; neither redraws by itself.
    void setSelected(bool On) override;
    void clearSelected() override;
    // The row keeps the attached object in its own member.
    void setGraphicObject(KThing& Object) override;
    void clearGraphicObject() override;

    // Each part takes the place of the one it replaces; a cleared part leaves the row.
    virtual void setTextElement(KStaticTextIGO& E);
    virtual void clearTextElement();
    virtual void setImageElement(KImageIGO& E);
    virtual void clearImageElement();
    virtual void setDisclosureElement(KDisclosureIGO& E);
    virtual void clearDisclosureElement();
    virtual void setLinkedObject(KThing& Object);
    virtual void clearLinkedObject();
    virtual void resetRowState();
    virtual void updateRowState();

    // Error 18 when the part is missing.
    KStaticTextIGO& getTextElement() const { return m_text.getObject(); }
    KImageIGO& getImageElement() const { return m_image.getObject(); }
    KDisclosureIGO& getDisclosureElement() const { return m_disclosure.getObject(); }
    bool hasTextElement() const { return m_text.hasObject(nullptr); }
    bool hasImageElement() const { return m_image.hasObject(nullptr); }
    bool hasDisclosureElement() const { return m_disclosure.hasObject(nullptr); }
    KThing& getLinkedObject() const { return m_linkedObject.getObject(); }
    bool hasLinkedObject() const { return m_linkedObject.hasObject(nullptr); }
    KThing& getRowGraphicObject() const { return m_rowObject.getObject(); }
    bool hasRowGraphicObject() const { return m_rowObject.hasObject(nullptr); }
    uint32 getRowFlags() const { return m_rowFlags.getFlags(); }
    void setRowFlags(uint32 Mask) { m_rowFlags.set(Mask); }
    KBag& getSubRows() { return m_subRows; }

private:
    // Old leaves the row and New takes its place and size (the default slot when there
    // was none).
    void replacePart(KThingPtr& Slot, KInteractiveGraphicObject* New, long Left, long Width);

    KStaticTextIGOPtr m_text;
    KImageIGOPtr m_image;
    KDisclosureIGOPtr m_disclosure;
    KThingPtr m_linkedObject;
    KThingPtr m_rowObject;
    KFlagSet m_rowFlags;
    KBag m_subRows;
};

K_POINTER_CLASS(KListBoxElementIGO, KArrangementIGOPtr);
