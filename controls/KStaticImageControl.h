#pragma once
// A picture drawn by the framework into the control's plain native window; a grey area
// while it has none. It reports nothing.
#include "controls/KControl.h"
#include "graphics/KImage.h"

class KStaticImageControl : public KControl {
    K_DECLARE_CLASS(KStaticImageControl)
public:
    // Visible and enabled only: no focus, no looks.
    KStaticImageControl();
    // The program's bitmap or icon resource of that number, at its own size.
    explicit KStaticImageControl(long ResourceNumber);
    ~KStaticImageControl() override;

    void draw() override;
    virtual void setImage(KImage& Image);
    virtual void clearImage();

    KImage& getImage() const { return m_image.getObject(); }
    bool hasImage() const { return m_image.hasObject(nullptr); }

private:
    KImagePtr m_image;
};

K_POINTER_CLASS(KStaticImageControl, KControlPtr);
