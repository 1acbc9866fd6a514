#include "graphics/KAlphaImage.h"

#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KFileReference.h"
#include "foundation/KMemory.h"
#include "graphics/AlphaBitmapWin32.h"
#include "graphics/DeviceDrawingWin32.h"
#include "graphics/SectionOne.h"

#include <cmath>
#include <vector>

K_DEFINE_CLASS(KAlphaImage, KImage, 1)

KAlphaImage::KAlphaImage()
    : m_alphaRecord(static_cast<AlphaBitmapWin32*>(KMemory::allocate(sizeof(AlphaBitmapWin32), true)))
{
}

KAlphaImage::KAlphaImage(short ResourceNumber)
    : KAlphaImage()
{
    createFromResource(ResourceNumber);
}

KAlphaImage::KAlphaImage(short ImageResourceNumber, short MaskResourceNumber)
    : KAlphaImage()
{
    setAlphaMaskFromResource(ImageResourceNumber, MaskResourceNumber);
}

KAlphaImage::~KAlphaImage()
{
    releaseAlphaBitmapWin32(*this);
    if (m_alphaRecord)
        KMemory::dispose(m_alphaRecord);
    m_alphaRecord = nullptr;
    m_mask.reset();
}

void KAlphaImage::setAlphaMode(uint8 Mode)
{
    m_alphaMode = Mode;
    updateAlpha();
}

void KAlphaImage::setTransparency(double Transparency)
{
    if (Transparency == m_transparency)
        return;
    if (Transparency > 1.0)
        m_transparency = 1.0;
    else if (Transparency <= 0.0)
        m_transparency = 0.0;
    else
        m_transparency = Transparency;
}

void KAlphaImage::updateAlpha()
{
    releaseAlphaBitmapWin32(*this);
    if (!hasAlphaMask())
        return;
    if (m_alphaMode == kPerPixelAlpha)
        applyAlphaMaskWin32(*this);
    else
        createAlphaBitmapWin32(*this);
}

void KAlphaImage::setAlphaMask(KImage& Mask)
{
    removeAlphaMask();
    m_mask.setObject(Mask);
    updateAlpha();
}

void KAlphaImage::removeAlphaMask()
{
    if (!hasAlphaMask())
        return;
    m_mask.reset();
    updateAlpha();
}

void KAlphaImage::setAlphaMaskFromFile(const KFileReference& ImageRef, const KFileReference& MaskRef)
{
    KImage::createFromFile(ImageRef);
    KImagePtr mask(new KImage);
    mask->createFromFile(MaskRef);
    setAlphaMask(*mask);
}

void KAlphaImage::setAlphaMaskFromResource(short ImageNumber, short MaskNumber)
{
    KImage::createFromResource(ImageNumber);
    KImagePtr mask(new KImage);
    mask->createFromResource(MaskNumber);
    setAlphaMask(*mask);
}

void KAlphaImage::setAlphaMaskFromFileName(const KPath& ImagePath, const KPath& MaskPath)
{
    setAlphaMaskFromFile(KFileReference(ImagePath), KFileReference(MaskPath));
}

// A new picture has no mask: the mask goes first, the prepared copy after the load.
template <typename Load>
void KAlphaImage::reloadWithoutMask(Load&& LoadPicture)
{
    removeAlphaMask();
    LoadPicture();
    updateAlpha();
}

void KAlphaImage::createFromFile(const KFileReference& Ref)
{
    reloadWithoutMask([&] { KImage::createFromFile(Ref); });
}

void KAlphaImage::createFromResource(short Number)
{
    reloadWithoutMask([&] { KImage::createFromResource(Number); });
}

void KAlphaImage::createFromFileScaled(const KFileReference& Ref, const KGraphicSize& Size)
{
    reloadWithoutMask([&] { KImage::createFromFileScaled(Ref, Size); });
}

void KAlphaImage::createFromResourceScaled(short Number, const KGraphicSize& Size)
{
    reloadWithoutMask([&] { KImage::createFromResourceScaled(Number, Size); });
}

void KAlphaImage::createFromFileNameScaled(const KPath& Path, const KGraphicSize& Size)
{
    reloadWithoutMask([&] { KImage::createFromFileNameScaled(Path, Size); });
}

// The same turn for the picture (as a plain image) and its mask, then a new prepared copy.
template <typename TurnPicture>
void KAlphaImage::turnWithMask(TurnPicture&& Picture, void (KImage::*Turn)())
{
    Picture();
    if (hasAlphaMask())
        (getAlphaMask().*Turn)();
    updateAlpha();
}

void KAlphaImage::flipHorizontal()
{
    turnWithMask([&] { KImage::flipHorizontal(); }, &KImage::flipHorizontal);
}

void KAlphaImage::flipVertical()
{
    turnWithMask([&] { KImage::flipVertical(); }, &KImage::flipVertical);
}

void KAlphaImage::rotateClockwise()
{
    turnWithMask([&] { KImage::rotateClockwise(); }, &KImage::rotateClockwise);
}

void KAlphaImage::rotateCounterClockwise()
{
    turnWithMask([&] { KImage::rotateCounterClockwise(); }, &KImage::rotateCounterClockwise);
}

void KAlphaImage::drawAt(KGraphicDevice& D, const KGraphicPoint& P)
{
    draw(D, KGraphicRectangle(P.getH(), P.getV(), getSize().getWidth(), getSize().getHeight()));
}

void KAlphaImage::draw(KGraphicDevice& D, const KGraphicRectangle& R)
{
    drawPart(D, KGraphicRectangle(0, 0, getSize().getWidth(), getSize().getHeight()), R);
}

uint8 KAlphaImage::getConstantAlpha() const { return uint8(255 - long(std::trunc(m_transparency * 255))); }

void KAlphaImage::drawPart(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D)
{
    if (!Device.isBound() || !hasBitmap())
        return;
    switch (m_alphaMode) {
    case kMaskByRaster:
        if (hasAlphaMask()) {
            copyBitsWin32(getAlphaMask().getGraphicDevice(), Device, S, D, kRopMergePaint);
            copyAlphaImageBitsWin32(*this, Device, S, D, kRopSourceAnd);
        } else {
            copyAlphaImageBitsWin32(*this, Device, S, D, kRopSourceCopy);
        }
        break;
    case kBlendWithMask:
    case kPerPixelAlpha:
        if (!hasAlphaMask())
            alphaBlendAlphaImageWin32(*this, Device, S, D, getConstantAlpha(), false);
        else if (m_alphaMode == kBlendWithMask)
            drawBlendedThroughMask(Device, S, D);
        else
            alphaBlendAlphaImageWin32(*this, Device, S, D, getConstantAlpha(), true);
        break;
    default:
        break;
    }
}

// The destination's pixels are taken into a scratch image, masked there as mode 0 would
// draw them, and the result blended back with the constant transparency.
void KAlphaImage::drawBlendedThroughMask(KGraphicDevice& Device, const KGraphicRectangle& S,
                                         const KGraphicRectangle& D)
{
    const KGraphicRectangle scratchArea(0, 0, D.getWidth(), D.getHeight());
    KImage scratch;
    scratch.create(D.getWidth(), D.getHeight());
    KGraphicDevice& scratchDevice = scratch.getGraphicDevice();
    copyBitsWin32(Device, scratchDevice, D, scratchArea, kRopSourceCopy);
    copyBitsWin32(getAlphaMask().getGraphicDevice(), scratchDevice, S, scratchArea, kRopMergePaint);
    copyAlphaImageBitsWin32(*this, scratchDevice, S, scratchArea, kRopSourceAnd);
    alphaBlendWin32(scratchDevice, Device, scratchArea, D, getConstantAlpha());
}

void KAlphaImage::drawInto(KAlphaImage& Destination, const KGraphicRectangle& S, const KGraphicRectangle& D)
{
    const double transparency = m_transparency;
    m_transparency = 0.0;
    if (!hasAlphaMask()) {
        drawPart(Destination.getGraphicDevice(), S, D);
    } else {
        KImagePtr mask(m_mask);
        removeAlphaMask();
        drawPart(Destination.getGraphicDevice(), S, D);
        setAlphaMask(*mask);
        if (Destination.hasAlphaMask()) {
            mask->drawPart(Destination.getAlphaMask().getGraphicDevice(), S, D);
            Destination.updateAlpha();
        }
    }
    m_transparency = transparency;
}

// A missing mask is written as an image block without bitmap, in the same layout, and such
// a block reads back as no mask.
void KAlphaImage::writeToFile(KFile& F, long Ver)
{
    KClassWriter writer;
    writer.begin(F, getClassRecord());
    writer.newSection(1);
    KImage::writeToFile(F, Ver);
    if (hasAlphaMask())
        getAlphaMask().writeToFile(F, 1);
    else
        KImage().writeToFile(F, 1);
    m_point.writeToFile(F, 1);
    F.writeShort(m_alphaMode);
    F.writeDouble(m_transparency);
    writer.end();
}

void KAlphaImage::readFromFile(KFile& F)
{
    KClassReader reader;
    if (beginSectionOne(reader, F, getClassRecord())) {
        KImage::readFromFile(F);
        KImagePtr mask(new KImage);
        mask->readFromFile(F);
        m_mask.reset();
        if (mask->hasBitmap())
            m_mask = mask;
        m_point.readFromFile(F);
        short mode = 0;
        F.readShort(mode);
        m_alphaMode = uint8(mode);
        F.readDouble(m_transparency);
        updateAlpha();
    }
    reader.end();
}

void KAlphaImage::saveAsBMP(const KFileReference& Ref)
{
    if (!hasBitmap() || m_alphaMode != kPerPixelAlpha || !hasAlphaMask() || !getAlphaMask().hasBitmap())
        return;
    const short width = getSize().getWidth(), height = getSize().getHeight();
    KGraphicDevice& image = getGraphicDevice();
    KGraphicDevice& mask = getAlphaMask().getGraphicDevice();
    // The pixels go out in one write, each big-endian: alpha, red, green, blue.
    std::vector<uint8> pixels;
    pixels.reserve(size_t(width > 0 ? width : 0) * size_t(height > 0 ? height : 0) * 4);
    for (short y = 0; y < height; ++y) {
        for (short x = 0; x < width; ++x) {
            const KColor shade = mask.getPixel(x, y);
            const KColor color = image.getPixel(x, y);
            const uint32 alpha = 0xFFFF - (uint32(shade.getRed()) + shade.getGreen() + shade.getBlue()) / 3;
            pixels.push_back(uint8(alpha >> 8));
            pixels.push_back(uint8(color.getRed() >> 8));
            pixels.push_back(uint8(color.getGreen() >> 8));
            pixels.push_back(uint8(color.getBlue() >> 8));
        }
    }
    KFile file(Ref);
    file.create();
    file.open();
    file.writeLong(0x41524742); // "ARGB"
    file.writeLong(0);
    file.writeShort(width);
    file.writeShort(height);
    file.write(pixels.data(), long(pixels.size()));
    file.close();
}
