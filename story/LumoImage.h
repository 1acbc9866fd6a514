#pragma once
// A picture of the story: a file (normally in the project's "Media" folder) drawn once,
// scaled into its bounds, onto the page when the tape reaches it, so that it stays under
// the sprites. It ends in the tick that starts it. The picture may be drawn through a mask
// made from its own brightness (hard-edged or soft-edged) and mirrored either way.
#include "foundation/KFileReference.h"
#include "story/TapeGraphicObject.h"

class KAlphaImage;
class KAlphaImagePtr;
class KColor;
class KImage;
class KImagePtr;

class LumoImage : public TapeGraphicObject {
    K_DECLARE_CLASS(LumoImage)
public:
    static constexpr long kDefaultMaskLevel = 0xFE00;
    // What a picture stored before the soft mask existed reads as.
    static constexpr long kStoredMaskLevel = 0xFFFF;
    static constexpr short kDefaultWidth = 320;
    static constexpr short kDefaultHeight = 240;

    // 320 × 240, centred on the page of the story layer the application's window shows
    // (a new document's page without one).
    LumoImage();
    ~LumoImage() override;

    // Section 1: the graphic object's block, the file reference's block and the mask byte;
    // section 2: the two flip bytes; section 3: the soft-mask byte and the mask level.
    // Sections may come in any order; without section 3 the mask is hard, at 0xFFFF.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Draws the picture onto the page, then ends at once, drawn or not.
    void start() override;
    void step() override;
    void stop() override;
    // Into the bounds moved by Destination's origin less Source's; a missing or empty
    // picture draws a placeholder frame.
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    void drawKindIcon(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    // The silhouette: the masked shape in black, else the bounds framed in black.
    void drawWithColor(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    // Toggles a flip flag; the bounds stay where they are.
    void flip(bool Horizontal, short Axis) override;
    void redraw() override;
    bool findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder) override;
    void copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder) override;
    bool replaceMediaFile(const KFileReference& Old, const KFileReference& New) override;
    void collectMediaNames(KStringBag& Names) override;
    bool usesMediaName(const KString& Name) override;
    void copyFrom(const TapeObject& Other) override;

    void setFileReference(const KFileReference& File) { m_imageFile = File; }
    const KFileReference& getFileReference() const { return m_imageFile; }
    // The mask option.
    void setFlag(uint8 Masked) { m_masked = Masked; }
    bool isMasked() const { return m_masked == 1; }
    void setSoftMask(bool On) { m_softMask = On ? 1 : 0; }
    bool hasSoftMask() const { return m_softMask != 0; }
    void setMaskLevel(long Level) { m_maskLevel = Level; }
    long getMaskLevel() const { return m_maskLevel; }
    bool isFlippedHorizontally() const { return m_flippedHorizontally != 0; }
    bool isFlippedVertically() const { return m_flippedVertically != 0; }

private:
    // The picture loaded afresh, without mask.
    KAlphaImagePtr loadPicture() const;
    // The loaded picture made into its mask by brightness, in the way the options say,
    // with the alpha mode that goes with it in Mode; none when the picture is not masked.
    KImagePtr makeMask(KImage& Picture, uint8& Mode) const;
    // Mask (when there is one) and flips on a loaded picture.
    void preparePicture(KAlphaImage& Picture, const KImagePtr& Mask, uint8 Mode) const;
    // The same, with the mask made from the picture itself.
    void preparePicture(KAlphaImage& Picture) const;
    // The bounds moved by Destination's origin less Source's.
    KGraphicRectangle targetOf(const KGraphicRectangle& Source, const KGraphicRectangle& Destination) const;
    static void frameTwice(KGraphicDevice& D, KGraphicRectangle R, const KColor& Outer, const KColor& Inner);

    KFileReference m_imageFile;
    uint8 m_masked = 0;
    uint8 m_softMask = 1;
    long m_maskLevel = kDefaultMaskLevel;
    uint8 m_flippedHorizontally = 0;
    uint8 m_flippedVertically = 0;
};

K_POINTER_CLASS(LumoImage, TapeGraphicObjectPtr);
