#pragma once
// A drawable object that draws another (its content) into a rectangle in one of four
// modes: 0 natural size, clipped to the rectangle; 1 stretched to it; 2 scaled to fill it
// in one dimension, keeping the proportions; 3 the part of the content seen from a scroll
// origin at a zoom (a percentage). A view without content draws a white frame.
#include "foundation/KGraphicPoint.h"
#include "graphics/KGraphicObject.h"

class KView : public KGraphicObject {
    K_DECLARE_CLASS(KView)
public:
    enum Mode : uint8 {
        NaturalSize = 0,
        Stretched = 1,
        Proportional = 2,
        OriginAndZoom = 3,
    };

    KView();
    ~KView() override;

    // Into the rectangle at P of the view's own size.
    void drawAt(KGraphicDevice& D, const KGraphicPoint& P) override;
    void draw(KGraphicDevice& D, const KGraphicRectangle& R) override;
    // Through an off-screen image of D's size.
    void drawPart(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D) override;

    virtual void setContent(KGraphicObject& Object);
    virtual void clearContent();

    // Error 18 when there is none.
    KGraphicObject& getContent() const { return static_cast<KGraphicObject&>(m_content.getObject()); }
    bool hasContent() const { return m_content.hasObject(nullptr); }
    void setMode(uint8 M) { m_mode = M; }
    uint8 getMode() const { return m_mode; }
    void setOrigin(const KGraphicPoint& P) { m_origin = P; }
    const KGraphicPoint& getOrigin() const { return m_origin; }
    // Ignored unless above 0.
    void setZoom(float Zoom);
    float getZoom() const { return m_zoom; }
    // Zoom / 100.
    double getScale() const { return m_zoom / 100.0; }

private:
    void drawProportional(KGraphicDevice& D, const KGraphicRectangle& R, const KGraphicRectangle& Whole);
    void drawFromOrigin(KGraphicDevice& D, const KGraphicRectangle& R, const KGraphicRectangle& Whole);

    KThingPtr m_content;
    uint8 m_mode = NaturalSize;
    KGraphicPoint m_origin;
    float m_zoom = 100.0f;
};

K_POINTER_CLASS(KView, KGraphicObjectPtr);
