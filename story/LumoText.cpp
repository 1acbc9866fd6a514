#include "story/LumoText.h"

#include "foundation/KClassWriter.h"
#include "foundation/KDirectory.h"
#include "foundation/KFile.h"
#include "graphics/KAlphaImage.h"
#include "graphics/KGraphicDevice.h"
#include "multimedia/KMediaFeedbackEvent.h"
#include "multimedia/KSpriteSystem.h"
#include "story/ShownPage.h"
#include "story/StoryBlocks.h"
#include "story/StoryHost.h"
#include "story/StoryMediaSupport.h"
#include "story/Tape.h"
#include "story/TapeMediaFile.h"

#include <cmath>

K_DEFINE_CLASS(LumoText, TapeGraphicObject, 1)

namespace {
// The marker of the current object: two frames of this width around the bounds.
constexpr short kFrameStep = 2;
constexpr short kHighlightPen = 2;
// New texts highlight in yellow.
constexpr uint16 kFullComponent = 0xFFFF;

struct TextDefaults {
    KFont font;
    KColor textColor;
    KColor backgroundColor;
    uint8 alignment = kAlignLeft;
};

TextDefaults& defaults()
{
    static TextDefaults values;
    return values;
}

// Where a position of the spoken text lies: its line, and whether it is the blank that
// joins that line to the next one.
struct SpokenPlace {
    long line = 0;
    bool joiningBlank = false;
};

SpokenPlace placeOf(const KTextBlock& Block, long Position)
{
    SpokenPlace place;
    long lineStart = 0;
    for (long i = 0; i < Block.getLineCount(); ++i) {
        const long length = Block.getLineAt(i).getLength();
        place.line = i;
        place.joiningBlank = Position - lineStart >= length;
        if (Position <= lineStart + length)
            break;
        lineStart += length + 1;
    }
    return place;
}

KGraphicRectangle atOrigin(const KGraphicRectangle& R) { return KGraphicRectangle(0, 0, R.getWidth(), R.getHeight()); }
} // namespace

LumoText::LumoText()
    : m_voice(StoryHost::get().getSpeechVoice())
    , m_highlightColor(kFullComponent, kFullComponent, 0)
    , m_backgroundColor(getDefaultBackgroundColor())
    , m_soundHighlightMedia(new KSoundHiliteMedia)
    , m_feedbackRelay(new FeedbackRelay(*this))
{
    setKind(TextKind);
    KTextBlockPtr block(new KTextBlock);
    auto* line = new KTextLine;
    line->appendStyleRun(StoryHost::get().getLocalizedText("New Text"), getDefaultFont(), getDefaultTextColor());
    block->addLine(line);
    block->setAlignment(getDefaultAlignment());
    setTextBlock(*block);
    KGraphicRectangle bounds(kDefaultLeft, kDefaultTop, kDefaultWidth, kDefaultHeight);
    KGraphicRectangle page;
    if (kFindShownPage(page))
        bounds.centerIn(page);
    setBounds(bounds);
}

LumoText::~LumoText()
{
    m_feedbackRelay->detach();
    if (hasSpeech()) {
        m_speech->stop();
        m_speech->unload();
    }
    // Loaded, the recorded reading would stay listed with the media manager.
    getSoundHighlightMedia().stop();
    getSoundHighlightMedia().unload();
}

void LumoText::setTextBlock(KTextBlock& Block) { m_textBlock.setObject(Block); }
void LumoText::resetTextBlock() { m_textBlock.reset(); }

KString LumoText::getSpokenText() const { return hasTextBlock() ? getTextBlock().getText(KString(" ")) : KString(); }

void LumoText::setSoundFile(const KFileReference& File)
{
    KSoundHiliteMedia& medium = getSoundHighlightMedia();
    medium.stop();
    medium.unload();
    medium.setSoundFile(File);
}

// Class defaults ---------------------------------------------------------------------------

void LumoText::setDefaultFont(const KFont& Font) { defaults().font = Font; }
void LumoText::setDefaultTextColor(const KColor& Color) { defaults().textColor = Color; }
void LumoText::setDefaultBackgroundColor(const KColor& Color) { defaults().backgroundColor = Color; }
void LumoText::setDefaultAlignment(uint8 Alignment) { defaults().alignment = Alignment; }
const KFont& LumoText::getDefaultFont() { return defaults().font; }
const KColor& LumoText::getDefaultTextColor() { return defaults().textColor; }
const KColor& LumoText::getDefaultBackgroundColor() { return defaults().backgroundColor; }
uint8 LumoText::getDefaultAlignment() { return defaults().alignment; }

// Drawing ----------------------------------------------------------------------------------

KTextBlockObjectPtr LumoText::makeTextObject() const
{
    KGraphicRectangle bounds;
    getBounds(bounds);
    KTextBlockObjectPtr object(new KTextBlockObject);
    object->setWrap(true);
    object->setWidth(bounds.getWidth());
    if (hasTextBlock())
        object->setTextBlock(getTextBlock());
    object->layout();
    return object;
}

KGraphicRectangle LumoText::targetOf(const KGraphicRectangle& Source, const KGraphicRectangle& Destination) const
{
    KGraphicRectangle target;
    getBounds(target);
    target.offset(static_cast<short>(Destination.getH() - Source.getH()),
                  static_cast<short>(Destination.getV() - Source.getV()));
    return target;
}

void LumoText::invalidateBounds() const
{
    if (KSpriteSystem* compositor = findPageCompositor()) {
        KGraphicRectangle bounds;
        getBounds(bounds);
        compositor->invalidate(bounds);
    }
}

void LumoText::prepareBackground(KGraphicDevice& Page, const KGraphicRectangle& R) const
{
    if (m_transparentBackground == 0)
        Page.paintRect(R, m_backgroundColor);
    else if (m_savedBackground.hasObject(nullptr))
        m_savedBackground->drawPart(Page, atOrigin(R), R);
}

void LumoText::draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination)
{
    const KGraphicRectangle target = targetOf(Source, Destination);
    if (m_transparentBackground == 0)
        D.paintRect(target, m_backgroundColor);
    makeTextObject()->draw(D, target);
    invalidateBounds();
}

void LumoText::drawOnPage()
{
    KSpriteSystem* compositor = findPageCompositor();
    if (!compositor)
        return;
    KGraphicRectangle bounds;
    getBounds(bounds);
    draw(compositor->getBackground().getGraphicDevice(), bounds, bounds);
}

void LumoText::drawWithColor(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination)
{
    const KGraphicRectangle target = targetOf(Source, Destination);
    if (m_transparentBackground == 0) {
        D.paintRect(target, kBlack);
    } else {
        KTextBlockObjectPtr object = makeTextObject();
        object->setHighlightColor(kBlack);
        object->highlightAll();
        object->draw(D, target);
    }
    invalidateBounds();
}

void LumoText::drawKindIcon(KGraphicDevice& D, const KGraphicRectangle&, const KGraphicRectangle&)
{
    KGraphicRectangle target;
    getBounds(target);
    target.expand(2 * kFrameStep, 2 * kFrameStep);
    D.saveState();
    D.setPenSize(kHighlightPen);
    D.outlineRect(target, kWhite);
    target.inset(kFrameStep, kFrameStep);
    D.outlineRect(target, kBlack);
    D.restoreState();
    target.inset(kFrameStep, kFrameStep);

    // The text in inverted colours, through a mask of its characters when transparent.
    KTextBlockObjectPtr object = makeTextObject();
    const KGraphicRectangle whole = atOrigin(target);
    KAlphaImagePtr image(new KAlphaImage);
    image->setAlphaMode(KAlphaImage::kMaskByRaster);
    image->create(target.getSize());
    KGraphicDevice& device = image->getGraphicDevice();
    if (m_transparentBackground != 0) {
        object->draw(device, whole);
        image->invertImage();
        object->setHighlightColor(kBlack);
        object->highlightAll();
        KImagePtr mask(new KImage);
        mask->create(target.getSize());
        mask->getGraphicDevice().paintRect(whole, kWhite);
        object->draw(mask->getGraphicDevice(), whole);
        image->setAlphaMask(*mask);
    } else {
        device.paintRect(whole, m_backgroundColor);
        object->draw(device, whole);
        image->invertImage();
    }
    image->draw(D, target);
    if (KSpriteSystem* compositor = findPageCompositor())
        compositor->invalidate(target);
}

// Reading ----------------------------------------------------------------------------------

void LumoText::endOnTape()
{
    if (hasTape())
        getTape().resetRunningObject();
}

void LumoText::dropTextObject() { m_textObject = nullptr; }

void LumoText::start()
{
    const bool bySpeech = m_readAloud != 0 && kStoryHasSpeechEngine();
    const bool waitsForReading = (bySpeech || m_soundHighlight != 0) && m_waitUntilDone != 0;
    KGraphicRectangle bounds;
    getBounds(bounds);
    m_textObject = makeTextObject();
    m_textObject->setHighlightColor(m_highlightColor);
    if (KSpriteSystem* compositor = findPageCompositor()) {
        KGraphicDevice& page = compositor->getBackground().getGraphicDevice();
        if (m_transparentBackground == 0) {
            page.paintRect(bounds, m_backgroundColor);
        } else if (waitsForReading) {
            // Each highlighted word is drawn over the page as it was, not over the last one.
            KImagePtr saved(new KImage);
            saved->create(bounds.getSize());
            page.copyBits(saved->getGraphicDevice(), bounds, atOrigin(bounds));
            m_savedBackground = saved;
        }
        m_textObject->draw(page, bounds);
        compositor->invalidate(bounds);
    }
    if (bySpeech)
        readWithSpeech();
    else
        readWithSound();
}

void LumoText::readWithSpeech()
{
    KExtendedSpeechPtr speech(new KExtendedSpeech);
    m_speech = speech;
    const KSpeechSupport& support = KSpeechSupport::getSpeechSupport();
    speech->setVoice(support.hasVoice(m_voice) ? m_voice : support.getDefaultVoice());
    speech->setVolume(m_volume);
    speech->setText(getSpokenText());
    speech->play();
    followReading(*speech);
}

void LumoText::readWithSound()
{
    KSoundHiliteMedia& medium = getSoundHighlightMedia();
    if (m_soundHighlight == 0 || !medium.hasSoundFile()) {
        dropTextObject();
        endOnTape();
        return;
    }
    // A reading still going on from a text that did not wait starts again.
    medium.stop();
    medium.load();
    if (medium.getState() != KAbstractMedia::Loaded) {
        dropTextObject();
        endOnTape();
        return;
    }
    medium.setVolume(m_volume);
    medium.setText(getSpokenText());
    medium.play();
    followReading(medium);
}

void LumoText::followReading(KAbstractMedia& Medium)
{
    // A word left over from an interrupted reading does not carry over into this one.
    m_highlightPending = 0;
    m_highlightStart = 0;
    m_highlightLength = 0;
    if (m_waitUntilDone == 0) {
        dropTextObject();
        endOnTape();
        return;
    }
    Medium.setMediaFlags(KAbstractMedia::FeedbackFlag);
    if (!Medium.getReceivers().has(*m_feedbackRelay))
        Medium.getReceivers().add(*m_feedbackRelay);
    m_textObject->clearHighlight();
    m_textObject->setHighlightColor(m_highlightColor);
}

bool LumoText::handleEvent(KEvent& E)
{
    auto* feedback = dynamic_cast<KMediaFeedbackEvent*>(&E);
    if (!feedback)
        return false;
    long start = 0;
    long length = 0;
    if (feedback->findLong(KMediaFeedbackEvent::kWordStart, start) &&
        feedback->findLong(KMediaFeedbackEvent::kWordLength, length)) {
        // Words heard since the last step are drawn together, from the first one on.
        if (m_highlightPending != 0) {
            m_highlightLength = start + length - m_highlightStart;
        } else {
            m_highlightStart = start;
            m_highlightLength = length;
            m_highlightPending = 1;
        }
    }
    return true;
}

void LumoText::lineRangeOfHeardWords(bool CutAtEnd, long& Start, long& End) const
{
    const KTextBlock& block = getTextBlock();
    const long lineCount = block.getLineCount();
    const long textLength = block.getCharacterCount();
    const long spokenLength = lineCount > 0 ? textLength + lineCount - 1 : 0;
    Start = m_highlightStart;
    End = m_highlightStart + m_highlightLength;
    if (Start >= 0 && Start < spokenLength) {
        // The blanks that join the lines are no characters of the lines: both ends move
        // back by the lines before them, and a word that ends on a joining blank ends
        // with its line.
        const long spokenStart = Start;
        Start -= placeOf(block, spokenStart).line;
        if (End <= spokenStart) {
            End = Start + (End - spokenStart);
        } else if (End > spokenLength) {
            End -= lineCount - 1;
        } else {
            const SpokenPlace last = placeOf(block, End - 1);
            End = End - 1 - last.line + (last.joiningBlank ? 0 : 1);
        }
    }
    if (CutAtEnd && End > textLength)
        End = textLength;
}

void LumoText::drawHeardWords(bool CutAtEnd)
{
    m_highlightPending = 0;
    KSpriteSystem* compositor = findPageCompositor();
    if (!compositor || !hasTextObject() || !hasTextBlock())
        return;
    KGraphicDevice& page = compositor->getBackground().getGraphicDevice();
    KGraphicRectangle bounds;
    getBounds(bounds);
    prepareBackground(page, bounds);
    long start = 0;
    long end = 0;
    lineRangeOfHeardWords(CutAtEnd, start, end);
    m_textObject->setHighlightRange(start, end);
    m_textObject->draw(page, bounds);
    compositor->invalidate(bounds);
}

void LumoText::step()
{
    if (m_readAloud != 0 && m_waitUntilDone != 0 && kStoryHasSpeechEngine()) {
        if (m_highlightText != 0 && m_highlightPending != 0)
            drawHeardWords(false);
        if (!hasSpeech() || !m_speech->isPlaying()) {
            stop();
            endOnTape();
        }
    } else if (m_soundHighlight != 0) {
        if (m_highlightText != 0 && m_highlightPending != 0)
            drawHeardWords(true);
        if (!getSoundHighlightMedia().isPlaying()) {
            stop();
            endOnTape();
        }
    }
}

void LumoText::stop()
{
    KSpriteSystem* compositor = findPageCompositor();
    if (m_highlightText != 0 && hasTextObject() && compositor) {
        KGraphicDevice& page = compositor->getBackground().getGraphicDevice();
        KGraphicRectangle bounds;
        getBounds(bounds);
        prepareBackground(page, bounds);
        m_textObject->clearHighlight();
        m_textObject->draw(page, bounds);
        compositor->invalidate(bounds);
    }
    if (hasSpeech()) {
        KExtendedSpeechPtr speech = m_speech;
        m_speech = nullptr;
        speech->stop();
        speech->unload();
    }
    KSoundHiliteMedia& medium = getSoundHighlightMedia();
    medium.stop();
    medium.getReceivers().remove(*m_feedbackRelay);
    dropTextObject();
    m_savedBackground = nullptr;
}

// Geometry ---------------------------------------------------------------------------------

void LumoText::scaleFromTo(const KGraphicRectangle& From, const KGraphicRectangle& To)
{
    // An empty rectangle gives no ratio.
    if (From.getWidth() == 0 || From.getHeight() == 0)
        return;
    scaleXY(static_cast<double>(To.getWidth()) / From.getWidth(),
            static_cast<double>(To.getHeight()) / From.getHeight());
}

void LumoText::scale(double Factor) { scaleXY(Factor, Factor); }

void LumoText::scaleXY(double XFactor, double YFactor)
{
    if (XFactor == 1.0 && YFactor == 1.0)
        return;
    KGraphicRectangle bounds;
    getBounds(bounds);
    const long centreH = bounds.getH() + bounds.getWidth() / 2;
    const long centreV = bounds.getV() + bounds.getHeight() / 2;
    const auto width = static_cast<short>(std::trunc(bounds.getWidth() * XFactor));
    const auto height = static_cast<short>(std::trunc(bounds.getHeight() * YFactor));
    setBounds(KGraphicRectangle(static_cast<short>(centreH - width / 2), static_cast<short>(centreV - height / 2),
                                width, height));
}

void LumoText::offset(short DH, short DV)
{
    KGraphicRectangle bounds;
    getBounds(bounds);
    bounds.offset(DH, DV);
    setBounds(bounds);
}

// Media ------------------------------------------------------------------------------------

bool LumoText::findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder)
{
    if (m_soundHighlight == 0 || !hasSoundFile() || getSoundFile().exists())
        return false;
    KFileReference file(getSoundFile());
    const bool gaveUp = TapeMediaFile::findMissing(file, MediaFolder, FurtherFolder);
    if (file != getSoundFile())
        setSoundFile(file);
    return gaveUp;
}

void LumoText::copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder)
{
    findMissingMedia(SourceFolder.getPath(), KPathPtr());
    if (m_soundHighlight == 0 || !hasSoundFile() || !getSoundFile().exists())
        return;
    KFileReference file(getSoundFile());
    TapeMediaFile::copyTo(file, SourceFolder, TargetFolder);
    setSoundFile(file);
}

bool LumoText::replaceMediaFile(const KFileReference& Old, const KFileReference& New)
{
    if (!hasSoundFile() || getSoundFile() != Old)
        return false;
    setSoundFile(New);
    return true;
}

void LumoText::collectMediaNames(KStringBag& Names)
{
    if (hasSoundFile())
        TapeMediaFile::collectName(getSoundFile(), Names);
}

bool LumoText::usesMediaName(const KString& Name)
{
    return hasSoundFile() && !Name.isEmpty() && TapeMediaFile::usesName(getSoundFile(), Name);
}

// Copies and blocks ------------------------------------------------------------------------

void LumoText::copyFrom(const TapeObject& Other)
{
    TapeGraphicObject::copyFrom(Other);
    const auto* other = dynamic_cast<const LumoText*>(&Other);
    if (!other || other == this)
        return;
    if (other->hasTextBlock())
        setTextBlock(other->getTextBlock());
    m_voice = other->m_voice;
    m_transparentBackground = other->m_transparentBackground;
    m_waitUntilDone = other->m_waitUntilDone;
    m_readAloud = other->m_readAloud;
    m_volume = other->m_volume;
    m_highlightText = other->m_highlightText;
    m_soundHighlight = other->m_soundHighlight;
    if (other->m_soundHighlight != 0) {
        getSoundHighlightMedia().stop();
        getSoundHighlightMedia().unload();
        m_soundHighlightMedia = new KSoundHiliteMedia(other->getSoundHighlightMedia());
    }
    m_highlightColor = other->m_highlightColor;
    m_backgroundColor = other->m_backgroundColor;
}

void LumoText::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, LumoText::getClassRecord());
    writer.newSection(1);
    TapeGraphicObject::writeToFile(F, 1);
    (hasTextBlock() ? m_textBlock : KTextBlockPtr(new KTextBlock))->writeToFile(F, 1);
    m_voice.writeToFile(F, 1);
    F.writeByte(m_waitUntilDone);
    F.writeByte(m_transparentBackground);
    F.writeByte(m_readAloud);
    m_highlightColor.writeToFile(F, 1);
    m_backgroundColor.writeToFile(F, 1);
    F.writeByte(m_highlightText);
    writer.newSection(2);
    F.writeDouble(m_volume);
    // The text read comes from the text block at each reading.
    KSoundHiliteMedia& medium = getSoundHighlightMedia();
    medium.setText(KString(""));
    writer.newSection(3);
    F.writeByte(m_soundHighlight);
    medium.writeToFile(F, 1);
    writer.end();
}

void LumoText::readFromFile(KFile& F)
{
    kReadEachSection(F, LumoText::getClassRecord(), [&](long ID) {
        switch (ID) {
        case 1: {
            TapeGraphicObject::readFromFile(F);
            KTextBlockPtr block(new KTextBlock);
            block->readFromFile(F);
            setKind(TextKind);
            setTextBlock(*block);
            m_voice.readFromFile(F);
            F.readByte(m_waitUntilDone);
            F.readByte(m_transparentBackground);
            F.readByte(m_readAloud);
            m_highlightColor.readFromFile(F);
            m_backgroundColor.readFromFile(F);
            F.readByte(m_highlightText);
            return true;
        }
        case 2:
            F.readDouble(m_volume);
            return true;
        case 3:
            F.readByte(m_soundHighlight);
            getSoundHighlightMedia().readFromFile(F);
            return true;
        default:
            return false;
        }
    });
}
