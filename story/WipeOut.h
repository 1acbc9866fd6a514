#pragma once
// The page transition: a page of the story begins here. At its turn it hides the actors
// of the old page, builds the new page's background (a colour or a picture scaled to the
// page) and brings it onto the page with one of its effects, one step per tape tick; the
// fade follows the millisecond clock instead. Then it ends itself and the objects after it
// draw onto the new page. When a page is drawn again it paints its background at once.
#include "foundation/KArray.h"
#include "foundation/KFileReference.h"
#include "graphics/KAlphaImage.h"
#include "graphics/KColor.h"
#include "story/TapeGraphicObject.h"

class KSpriteSystem;

class WipeOut : public TapeGraphicObject {
    K_DECLARE_CLASS(WipeOut)
public:
    enum Effect : uint8 {
        Cut = 0,
        Fade = 1,
        ClosingFrame = 2,
        OpeningBox = 3,
        WipeRight = 4,
        WipeLeft = 5,
        WipeDown = 6,
        WipeUp = 7,
        RandomBlocks = 8,
        InterlacedLines = 9,
    };
    // What the new page shows.
    enum Source : uint8 {
        ColorSource = 0,
        ImageSource = 1,
    };
    // The number of steps after the first of most effects.
    static constexpr long kStepCount = 120;
    // The fade lasts this many tape ticks.
    static constexpr long kFadeTicks = 100;
    // Random blocks: the page in a grid of this many columns and rows.
    static constexpr long kBlockGrid = 10;

    WipeOut();
    ~WipeOut() override;

    // Section 1: the nested TapeGraphicObject block, the colour's and the image file's
    // blocks, the effect and the source (16 bits each, of which the low byte counts) and
    // the hide-actors byte. The reader takes section 1 only when it comes first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Hides the actors (when asked to), builds the new page and prepares the effect; the
    // cut shows the new page at once and ends the transition here.
    void start() override;
    // One step of the effect; past the last step the whole new page is shown and the
    // transition ends.
    void step() override;
    // The page keeps what was drawn so far.
    void stop() override;
    // The background painted over the whole page at once, after hiding the actors.
    void drawOnPage() override;
    // The colour, or the picture scaled, into the destination, which the story's page
    // then shows.
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    void redraw() override;
    // A page transition covers the whole page.
    bool containsPoint(const KGraphicPoint& P) const override;
    // The picture of an image background.
    bool findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder) override;
    void copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder) override;
    bool replaceMediaFile(const KFileReference& Old, const KFileReference& New) override;
    void collectMediaNames(KStringBag& Names) override;
    bool usesMediaName(const KString& Name) override;
    // Effect, source, colour, image file and hide-actors of another transition: not the
    // base fields, not the bounds.
    void copyFrom(const TapeObject& Other) override;

    uint8 getEffect() const { return m_effect; }
    void setEffect(uint8 Effect) { m_effect = Effect; }
    uint8 getSource() const { return m_source; }
    void setSource(uint8 Source) { m_source = Source; }
    const KColor& getColor() const { return m_color; }
    void setColor(const KColor& Color) { m_color = Color; }
    const KFileReference& getFileReference() const { return m_imageFile; }
    void setFileReference(const KFileReference& File) { m_imageFile = File; }
    // The tape reads it when it redraws a page: the actors before a transition that hides
    // them are not on its page.
    bool hidesActors() const { return m_hideActors != 0; }
    void setHideActors(bool On) { m_hideActors = On ? 1 : 0; }

    // While the transition runs.
    long getStepCount() const { return m_stepCount; }
    // The order in which random blocks are revealed, kept from one run to the next.
    const KArray& getBlockOrder() const { return m_blockOrder; }

private:
    // The compositor of the story's page; null while there is none.
    KSpriteSystem* getCompositor() const;
    KGraphicRectangle getPageRect() const;
    void hideActors();
    void invalidate(const KGraphicRectangle& R);
    // The new page's rectangle copied onto the page.
    void reveal(const KGraphicRectangle& R);
    bool buildNewPage(KSpriteSystem& Compositor);
    void prepareEffect(KSpriteSystem& Compositor);
    void shuffleBlocks();
    void drawStep(long K);
    void fadeStep(long& K);
    void finish();
    // Ends the transition on its tape.
    void endRun();

    uint8 m_effect = Cut;
    uint8 m_source = ColorSource;
    KColor m_color{0, 0, 0};
    KFileReference m_imageFile;
    uint8 m_hideActors = 1;

    KAlphaImagePtr m_newPage;
    KImagePtr m_oldPage;
    long m_stepIndex = 0;
    long m_stepCount = 0;
    long m_duration = 0;
    uint32 m_startTime = 0;
    KArray m_blockOrder;
};
