#include "story/LumoImage.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "graphics/KAlphaImage.h"
#include "graphics/KGraphicDevice.h"
#include "multimedia/KSpriteSystem.h"
#include "story/LumoSpriteSystem.h"
#include "story/StoryBlocks.h"
#include "story/StoryHost.h"
#include "story/StoryStage.h"
#include "story/Tape.h"
#include "story/TapeMediaFile.h"

K_DEFINE_CLASS(LumoImage, TapeGraphicObject, 1)

namespace {
// The highlight's frames around the bounds, and the gap between the placeholder's frames.
constexpr short kFrameStep = 2;
constexpr short kHighlightPen = 2;

bool isEmptyPicture(const KImage& Picture) { return Picture.getSize().getWidth() <= 0 || Picture.getSize().getHeight() <= 0; }

// The page of the story layer that the application's window shows, at (0, 0).
KGraphicRectangle shownPage()
{
    StoryStage* stage = StoryStage::find();
    if (stage && stage->hasSpriteSystem()) {
        const KGraphicRectangle& bounds = stage->getSpriteSystem().getSpriteSystem().getBounds();
        return KGraphicRectangle(0, 0, bounds.getWidth(), bounds.getHeight());
    }
    const KGraphicSize page = StoryHost::get().getNewDocumentSize();
    return KGraphicRectangle(0, 0, page.getWidth(), page.getHeight());
}
} // namespace

LumoImage::LumoImage()
{
    setKind(ImageKind);
    KGraphicRectangle bounds(0, 0, kDefaultWidth, kDefaultHeight);
    bounds.centerIn(shownPage());
    setBounds(bounds);
}

LumoImage::~LumoImage() = default;

// The picture ------------------------------------------------------------------------------

KAlphaImagePtr LumoImage::loadPicture() const
{
    KAlphaImagePtr picture(new KAlphaImage);
    picture->setAlphaMode(KAlphaImage::kMaskByRaster);
    picture->createFromFile(m_imageFile);
    return picture;
}

KImagePtr LumoImage::makeMask(KImage& Picture, uint8& Mode) const
{
    Mode = KAlphaImage::kMaskByRaster;
    if (m_masked != 1)
        return KImagePtr();
    // The picture as loaded is the file's picture: a copy of it spares a second decoding.
    KImagePtr mask(new KImage);
    mask->create(Picture.getSize());
    if (Picture.hasBitmap() && mask->hasBitmap())
        Picture.getGraphicDevice().copyBitsAt(mask->getGraphicDevice(), KGraphicPoint(0, 0));
    const auto level = static_cast<uint16>(m_maskLevel & 0xFFFF);
    if (m_softMask != 0) {
        mask->makeSmoothBlackAndWhite(level);
        Mode = KAlphaImage::kPerPixelAlpha;
    } else {
        // 0xFFFF reads as -1: the platform's own black-and-white conversion.
        mask->makeBlackAndWhite(static_cast<short>(level));
    }
    return mask;
}

void LumoImage::preparePicture(KAlphaImage& Picture, const KImagePtr& Mask, uint8 Mode) const
{
    if (Mask.hasObject(nullptr)) {
        Picture.setAlphaMode(Mode);
        Picture.setAlphaMask(*Mask);
    }
    // The alpha image turns its mask with it.
    if (m_flippedHorizontally != 0)
        Picture.flipHorizontal();
    if (m_flippedVertically != 0)
        Picture.flipVertical();
}

void LumoImage::preparePicture(KAlphaImage& Picture) const
{
    uint8 mode = KAlphaImage::kMaskByRaster;
    const KImagePtr mask = makeMask(Picture, mode);
    preparePicture(Picture, mask, mode);
}

KGraphicRectangle LumoImage::targetOf(const KGraphicRectangle& Source, const KGraphicRectangle& Destination) const
{
    KGraphicRectangle target;
    getBounds(target);
    target.offset(static_cast<short>(Destination.getH() - Source.getH()),
                  static_cast<short>(Destination.getV() - Source.getV()));
    return target;
}

void LumoImage::frameTwice(KGraphicDevice& D, KGraphicRectangle R, const KColor& Outer, const KColor& Inner)
{
    D.outlineRect(R, Outer);
    R.inset(kFrameStep, kFrameStep);
    D.outlineRect(R, Inner);
}

// Playing and drawing ----------------------------------------------------------------------

void LumoImage::start()
{
    KSpriteSystem* compositor = findPageCompositor();
    if (compositor && m_imageFile.exists()) {
        KGraphicRectangle bounds;
        getBounds(bounds);
        KAlphaImagePtr picture = loadPicture();
        preparePicture(*picture);
        picture->draw(compositor->getBackground().getGraphicDevice(), bounds);
        picture->removeAlphaMask();
        compositor->invalidate(bounds);
    }
    if (hasTape())
        getTape().resetRunningObject();
}

void LumoImage::step() {}
void LumoImage::stop() {}
void LumoImage::redraw() {}

void LumoImage::draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination)
{
    const KGraphicRectangle target = targetOf(Source, Destination);
    if (!m_imageFile.exists()) {
        D.outlineRect(target, kBlack);
        D.paintRect(target, kWhite);
        return;
    }
    KAlphaImagePtr picture = loadPicture();
    if (isEmptyPicture(*picture)) {
        frameTwice(D, target, kBlack, kWhite);
        return;
    }
    preparePicture(*picture);
    picture->draw(D, target);
    picture->removeAlphaMask();
}

void LumoImage::drawKindIcon(KGraphicDevice& D, const KGraphicRectangle&, const KGraphicRectangle&)
{
    KGraphicRectangle target;
    getBounds(target);
    target.expand(2 * kFrameStep, 2 * kFrameStep);
    D.saveState();
    D.setPenSize(kHighlightPen);
    D.paintRect(target, kWhite);
    target.inset(kFrameStep, kFrameStep);
    D.paintRect(target, kBlack);
    target.inset(kFrameStep, kFrameStep);
    KAlphaImagePtr picture;
    if (m_imageFile.exists())
        picture = loadPicture();
    if (!picture.hasObject(nullptr)) {
        frameTwice(D, target, kWhite, kBlack);
    } else if (isEmptyPicture(*picture)) {
        frameTwice(D, target, kBlack, kWhite);
    } else {
        // The picture's own edge is outlined in inverted pixels; the mask is the file's.
        uint8 mode = KAlphaImage::kMaskByRaster;
        const KImagePtr mask = makeMask(*picture, mode);
        picture->getGraphicDevice().invertOutlineRect(
            KGraphicRectangle(0, 0, picture->getSize().getWidth(), picture->getSize().getHeight()));
        preparePicture(*picture, mask, mode);
        picture->draw(D, target);
        picture->removeAlphaMask();
    }
    D.restoreState();
}

void LumoImage::drawWithColor(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination)
{
    const KGraphicRectangle target = targetOf(Source, Destination);
    KAlphaImagePtr picture;
    if (m_imageFile.exists())
        picture = loadPicture();
    if (!picture.hasObject(nullptr) || isEmptyPicture(*picture) || m_masked == 0) {
        D.outlineRect(target, kBlack);
        return;
    }
    // The mask drawn into the picture itself leaves the shape black on white, and the
    // mask then lets only the shape through.
    uint8 mode = KAlphaImage::kMaskByRaster;
    KImagePtr mask = makeMask(*picture, mode);
    if (m_flippedHorizontally != 0) {
        picture->flipHorizontal();
        mask->flipHorizontal();
    }
    if (m_flippedVertically != 0) {
        picture->flipVertical();
        mask->flipVertical();
    }
    mask->drawAt(picture->getGraphicDevice(), KGraphicPoint(0, 0));
    picture->setAlphaMode(mode);
    picture->setAlphaMask(*mask);
    picture->draw(D, target);
    picture->removeAlphaMask();
}

void LumoImage::flip(bool Horizontal, short)
{
    uint8& flag = Horizontal ? m_flippedHorizontally : m_flippedVertically;
    flag = flag != 0 ? 0 : 1;
}

// Media ------------------------------------------------------------------------------------

bool LumoImage::findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder)
{
    return TapeMediaFile::findMissing(m_imageFile, MediaFolder, FurtherFolder);
}

void LumoImage::copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder)
{
    TapeMediaFile::copyTo(m_imageFile, SourceFolder, TargetFolder);
}

bool LumoImage::replaceMediaFile(const KFileReference& Old, const KFileReference& New)
{
    return TapeMediaFile::replace(m_imageFile, Old, New);
}

void LumoImage::collectMediaNames(KStringBag& Names) { TapeMediaFile::collectName(m_imageFile, Names); }

bool LumoImage::usesMediaName(const KString& Name) { return TapeMediaFile::usesName(m_imageFile, Name); }

// Copies and blocks ------------------------------------------------------------------------

void LumoImage::copyFrom(const TapeObject& Other)
{
    TapeGraphicObject::copyFrom(Other);
    const auto* other = dynamic_cast<const LumoImage*>(&Other);
    if (!other)
        return;
    m_masked = other->m_masked;
    m_softMask = other->m_softMask;
    m_maskLevel = other->m_maskLevel;
    m_imageFile = other->m_imageFile;
    m_flippedHorizontally = other->m_flippedHorizontally;
    m_flippedVertically = other->m_flippedVertically;
}

void LumoImage::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, LumoImage::getClassRecord());
    writer.newSection(1);
    TapeGraphicObject::writeToFile(F, 1);
    m_imageFile.writeToFile(F, 1);
    F.writeByte(m_masked);
    writer.newSection(2);
    F.writeByte(m_flippedHorizontally);
    F.writeByte(m_flippedVertically);
    writer.newSection(3);
    F.writeByte(m_softMask);
    F.writeLong(m_maskLevel);
    writer.end();
}

void LumoImage::readFromFile(KFile& F)
{
    m_softMask = 0;
    m_maskLevel = kStoredMaskLevel;
    kReadEachSection(F, LumoImage::getClassRecord(), [&](long ID) {
        switch (ID) {
        case 1:
            TapeGraphicObject::readFromFile(F);
            setKind(ImageKind);
            m_imageFile.readFromFile(F);
            F.readByte(m_masked);
            return true;
        case 2:
            F.readByte(m_flippedHorizontally);
            F.readByte(m_flippedVertically);
            return true;
        case 3:
            F.readByte(m_softMask);
            F.readLong(m_maskLevel);
            return true;
        default:
            return false;
        }
    });
}
