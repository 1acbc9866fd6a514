#pragma once
// A picture that changes with the element's hilite state: one graphic object for each of
// the normal, rollover, pressed and dimmed looks (the normal one also while selected),
// shown through a source rectangle, placed by one of five modes and kept an inset away
// from the edges of the rectangle it is drawn into. The source rectangle is taken from
// the first picture drawn and kept until changed.
#include "graphics/KGraphicObject.h"
#include "tools/igo/KInteractiveGraphicObject.h"

class KImageIGO : public KInteractiveGraphicObject {
    K_DECLARE_CLASS(KImageIGO)
public:
    enum Placement : uint8 {
        // Natural size at the top-left, cut at the destination's edges.
        NaturalPlacement = 0,
        FittedPlacement = 1,
        StretchedPlacement = 2,
        CenteredPlacement = 3,
        FittedCenteredPlacement = 4,
    };

    KImageIGO();
    ~KImageIGO() override;

    // At the picture's own size.
    void drawAt(KGraphicDevice& Dev, const KGraphicPoint& At) override;
    // Inside Dst less the inset; a selected picture sits on a cyan field.
    void draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst) override;
    // Src within the source rectangle, of the look of the hilite state.
    void drawPart(KGraphicDevice& Dev, const KGraphicRectangle& Src, const KGraphicRectangle& Dst) override;

    virtual void setNormalImage(KGraphicObject& O);
    virtual void clearNormalImage();
    virtual void setRolloverImage(KGraphicObject& O);
    virtual void clearRolloverImage();
    virtual void setPressedImage(KGraphicObject& O);
    virtual void clearPressedImage();
    virtual void setDimmedImage(KGraphicObject& O);
    virtual void clearDimmedImage();

    // Error 18 when the look is not set.
    KGraphicObject& getNormalImage() const { return m_looks[NormalHilite].getObject(); }
    KGraphicObject& getRolloverImage() const { return m_looks[HoverHilite].getObject(); }
    KGraphicObject& getPressedImage() const { return m_looks[PressedHilite].getObject(); }
    KGraphicObject& getDimmedImage() const { return m_looks[DisabledHilite].getObject(); }
    bool hasNormalImage() const { return m_looks[NormalHilite].hasObject(nullptr); }
    bool hasRolloverImage() const { return m_looks[HoverHilite].hasObject(nullptr); }
    bool hasPressedImage() const { return m_looks[PressedHilite].hasObject(nullptr); }
    bool hasDimmedImage() const { return m_looks[DisabledHilite].hasObject(nullptr); }

    void setSourceRect(const KGraphicRectangle& R) { m_sourceRect = R; }
    const KGraphicRectangle& getSourceRect() const { return m_sourceRect; }
    void setPlacement(uint8 Mode) { m_placement = Mode; }
    uint8 getPlacement() const { return m_placement; }
    void setInset(short Inset) { m_inset = Inset; }
    short getInset() const { return m_inset; }

    // Places the source rectangle of Image into Dst by the placement mode.
    void drawImage(KGraphicDevice& Dev, KGraphicObject& Image, const KGraphicRectangle& Dst);

private:
    // The look of the hilite state; null when it has none.
    KGraphicObject* lookForHilite() const;
    KGraphicObject* lookAt(uint8 Hilite) const { return m_looks[Hilite].get(); }
    void takeSourceRectFrom(const KGraphicObject& Image);

    KGraphicObjectPtr m_looks[4];
    KGraphicRectangle m_sourceRect;
    uint8 m_placement = NaturalPlacement;
    short m_inset = 4;
};

// Also made from a plain pointer; newObject holds a new default image element.
class KImageIGOPtr : public KTypedPtr<KImageIGO, KInteractiveGraphicObjectPtr> {
public:
    using KTypedPtr<KImageIGO, KInteractiveGraphicObjectPtr>::KTypedPtr;
    using KTypedPtr<KImageIGO, KInteractiveGraphicObjectPtr>::operator=;
    KImageIGOPtr() = default;
    KImageIGOPtr(const KImageIGOPtr& P)
        : KTypedPtr<KImageIGO, KInteractiveGraphicObjectPtr>(P)
    {
    }
    KImageIGOPtr& operator=(const KImageIGOPtr& P)
    {
        KTypedPtr<KImageIGO, KInteractiveGraphicObjectPtr>::operator=(P);
        return *this;
    }
    void newObject() { setObject(new KImageIGO); }
};
