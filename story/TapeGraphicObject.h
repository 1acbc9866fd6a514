#pragma once
// A tape object that occupies a rectangle of the page: strokes, texts, page transitions,
// movies and images. It draws itself into the page (the story sprite layer's background)
// and has the compositor show the change.
#include "foundation/KGraphicRectangle.h"
#include "story/TapeObject.h"

class KSpriteSystem;

class TapeGraphicObject : public TapeObject {
    K_DECLARE_CLASS(TapeGraphicObject)
public:
    TapeGraphicObject();
    ~TapeGraphicObject() override;

    // Section 1 holds the nested TapeObject block, then the bounds' block.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // The object's own draw onto the page, then the page invalidated in the compositor.
    // Nothing while the object's tape has no story sprite layer or that layer no page.
    void drawOnPage() override;
    void getBounds(KGraphicRectangle& Out) const override;
    // The base fields and the bounds.
    void copyFrom(const TapeObject& Other) override;
    // Inside the bounds, right and bottom edges excluded; kinds with a finer shape refine
    // it.
    virtual bool containsPoint(const KGraphicPoint& P) const;

    void setBounds(const KGraphicRectangle& R) { m_bounds = R; }

protected:
    // The compositor of the story layer of the object's tape, when it has a page to draw
    // into; null otherwise.
    KSpriteSystem* findPageCompositor() const;

private:
    KGraphicRectangle m_bounds;
};

K_POINTER_CLASS(TapeGraphicObject, TapeObjectPtr);
