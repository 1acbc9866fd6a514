#pragma once
// An image drawn through a second image, its mask, and with a constant transparency. Black
// mask pixels show the image, white ones hide it, and in the per-pixel mode grey levels
// show it in part. A 32-bit copy prepared from image and mask is kept for drawing and
// rebuilt whenever the image, the mask or the mode changes.
#include "graphics/KImage.h"

struct AlphaBitmapWin32;

class KAlphaImage : public KImage {
    K_DECLARE_CLASS(KAlphaImage)
public:
    enum AlphaMode : uint8 {
        // Where the mask is white the destination stays, where black the image is copied.
        kMaskByRaster = 0,
        // The same, blended onto the destination with the constant transparency.
        kBlendWithMask = 1,
        // Alpha from the mask pixel by pixel, with the constant transparency; without a
        // mask it draws as kBlendWithMask. Higher modes draw nothing.
        kPerPixelAlpha = 2,
    };

    KAlphaImage();
    explicit KAlphaImage(short ResourceNumber);
    KAlphaImage(short ImageResourceNumber, short MaskResourceNumber);
    ~KAlphaImage() override;

    // The image's block, the mask's block (an image block without bitmap when there is no
    // mask), the point, the mode and the transparency.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void drawAt(KGraphicDevice& D, const KGraphicPoint& P) override;
    void draw(KGraphicDevice& D, const KGraphicRectangle& R) override;
    void drawPart(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D) override;

    // Loading a new picture drops the mask.
    void createFromFile(const KFileReference& Ref) override;
    void createFromResource(short Number) override;
    void createFromFileScaled(const KFileReference& Ref, const KGraphicSize& Size) override;
    void createFromResourceScaled(short Number, const KGraphicSize& Size) override;
    void createFromFileNameScaled(const KPath& Path, const KGraphicSize& Size) override;

    // The mask turns with the image.
    void flipHorizontal() override;
    void flipVertical() override;
    void rotateClockwise() override;
    void rotateCounterClockwise() override;

    // The "ARGB" file: only for a per-pixel image with both bitmaps.
    void saveAsBMP(const KFileReference& Ref) override;

    virtual void setAlphaMask(KImage& Mask);
    virtual void removeAlphaMask();
    // The image is loaded without dropping the mask first; the mask comes from the second
    // file or resource.
    virtual void setAlphaMaskFromFile(const KFileReference& ImageRef, const KFileReference& MaskRef);
    virtual void setAlphaMaskFromResource(short ImageNumber, short MaskNumber);
    virtual void setAlphaMaskFromFileName(const KPath& ImagePath, const KPath& MaskPath);
    // Draws at full strength into another alpha image, mask into mask.
    virtual void drawInto(KAlphaImage& Destination, const KGraphicRectangle& S, const KGraphicRectangle& D);

    bool hasAlphaMask() const { return m_mask.hasObject(nullptr); }
    // Error 18 without a mask.
    KImage& getAlphaMask() const { return m_mask.getObject(); }
    uint8 getAlphaMode() const { return m_alphaMode; }
    void setAlphaMode(uint8 Mode);
    double getTransparency() const { return m_transparency; }
    // Kept within 0.0 (full strength) and 1.0 (invisible); the prepared copy stays.
    void setTransparency(double Transparency);
    // Stored with the image and otherwise unused.
    const KGraphicPoint& getPoint() const { return m_point; }
    void setPoint(const KGraphicPoint& P) { m_point = P; }

    // Drops the prepared copy and, with a mask, builds it again for the mode.
    void updateAlpha();
    AlphaBitmapWin32* getAlphaRecord() const { return m_alphaRecord; }

private:
    template <typename Load>
    void reloadWithoutMask(Load&& LoadPicture);
    template <typename TurnPicture>
    void turnWithMask(TurnPicture&& Picture, void (KImage::*Turn)());
    uint8 getConstantAlpha() const;
    void drawBlendedThroughMask(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D);

    KImagePtr m_mask;
    AlphaBitmapWin32* m_alphaRecord = nullptr;
    KGraphicPoint m_point;
    uint8 m_alphaMode = kMaskByRaster;
    double m_transparency = 0.0;
};

K_POINTER_CLASS(KAlphaImage, KImagePtr);
