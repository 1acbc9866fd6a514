#include "story/WipeOut.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KDirectory.h"
#include "foundation/KFile.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/KSpriteSystem.h"
#include "story/Actor.h"
#include "story/LumoSpriteSystem.h"
#include "story/Tape.h"
#include "story/TapeMediaFile.h"

K_DEFINE_CLASS(WipeOut, TapeGraphicObject, 1)

namespace {
// Steps of the fade, of random blocks and of effects this version does not know.
constexpr long kFadeSteps = 100;
constexpr long kBlockSteps = 99;
constexpr long kUnknownEffectSteps = 100;
constexpr long kBlockSwaps = 200;

short to16(long Value) { return static_cast<short>(Value); }
} // namespace

WipeOut::WipeOut()
{
    setKind(PageTransitionKind);
    m_blockOrder.setIsDirect(true);
}

WipeOut::~WipeOut() = default;

void WipeOut::copyFrom(const TapeObject& Other)
{
    const auto* other = dynamic_cast<const WipeOut*>(&Other);
    if (!other)
        return;
    m_effect = other->m_effect;
    m_source = other->m_source;
    m_color = other->m_color;
    m_imageFile = other->m_imageFile;
    m_hideActors = other->m_hideActors;
}

bool WipeOut::containsPoint(const KGraphicPoint&) const { return true; }

// The class block -------------------------------------------------------------------------

void WipeOut::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, WipeOut::getClassRecord());
    writer.newSection(1);
    TapeGraphicObject::writeToFile(F, 1);
    m_color.writeToFile(F, 1);
    m_imageFile.writeToFile(F, 1);
    F.writeShort(m_effect);
    F.writeShort(m_source);
    F.writeByte(m_hideActors);
    writer.end();
}

void WipeOut::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, WipeOut::getClassRecord(), 1)) {
        TapeGraphicObject::readFromFile(F);
        setKind(PageTransitionKind);
        m_color.readFromFile(F);
        m_imageFile.readFromFile(F);
        short effect = 0;
        short source = 0;
        F.readShort(effect);
        F.readShort(source);
        F.readByte(m_hideActors);
        m_effect = static_cast<uint8>(effect);
        m_source = static_cast<uint8>(source);
    }
    reader.end();
}

// The page --------------------------------------------------------------------------------

KSpriteSystem* WipeOut::getCompositor() const
{
    if (!hasTape() || !getTape().hasSpriteSystem())
        return nullptr;
    KSpriteSystem& compositor = getTape().getSpriteSystem().getSpriteSystem();
    return compositor.hasBackground() ? &compositor : nullptr;
}

KGraphicRectangle WipeOut::getPageRect() const
{
    const KSpriteSystem* compositor = getCompositor();
    if (!compositor)
        return KGraphicRectangle();
    const KGraphicSize& size = compositor->getBackground().getSize();
    return KGraphicRectangle(0, 0, size.getWidth(), size.getHeight());
}

void WipeOut::invalidate(const KGraphicRectangle& R)
{
    if (KSpriteSystem* compositor = getCompositor())
        compositor->invalidate(R);
}

void WipeOut::reveal(const KGraphicRectangle& R)
{
    KSpriteSystem* compositor = getCompositor();
    if (!compositor || !m_newPage.hasObject(nullptr))
        return;
    m_newPage->drawPart(compositor->getBackground().getGraphicDevice(), R, R);
    compositor->invalidate(R);
}

void WipeOut::hideActors()
{
    if (!hasTape())
        return;
    Tape& tape = getTape();
    tape.hideCast();
    if (tape.hasSpriteSystem() && tape.getSpriteSystem().hasFirstLayer())
        tape.getSpriteSystem().getFirstLayer().removeAllSprites();
    const KBag& cast = tape.getCast().getObjects();
    for (long i = 0; i < cast.getCount(); ++i)
        static_cast<Actor&>(cast[i]).stopAnimation();
}

void WipeOut::endRun()
{
    if (hasTape())
        getTape().resetRunningObject();
}

// Playing ---------------------------------------------------------------------------------

void WipeOut::start()
{
    if (hidesActors())
        hideActors();
    m_stepIndex = 0;
    m_stepCount = kStepCount;
    KSpriteSystem* compositor = getCompositor();
    // Without a page there is nothing to bring a new one onto.
    if (!compositor || !buildNewPage(*compositor)) {
        endRun();
        return;
    }
    prepareEffect(*compositor);
}

bool WipeOut::buildNewPage(KSpriteSystem& Compositor)
{
    const KGraphicRectangle page = getPageRect();
    m_newPage = new KAlphaImage;
    if (!m_newPage.hasObject(nullptr))
        return false;
    m_newPage->create(page.getSize());
    KGraphicDevice& device = m_newPage->getGraphicDevice();
    switch (m_source) {
    case ColorSource:
        device.paintRect(page, m_color);
        break;
    case ImageSource:
        // A picture that cannot be read leaves the new page black.
        if (m_imageFile.exists()) {
            KImagePtr picture(new KImage);
            picture->createFromFile(m_imageFile);
            picture->draw(device, page);
        }
        break;
    default:
        // A damaged source names no background: the page stays as it is.
        Compositor.getBackground().draw(device, page);
        break;
    }
    return true;
}

void WipeOut::prepareEffect(KSpriteSystem& Compositor)
{
    const KGraphicRectangle page = getPageRect();
    switch (m_effect) {
    case Cut:
        m_newPage->draw(Compositor.getBackground().getGraphicDevice(), page);
        invalidate(page);
        m_newPage.reset();
        endRun();
        break;
    case Fade:
        m_oldPage = new KImage;
        m_oldPage->create(page.getSize());
        Compositor.getBackground().draw(m_oldPage->getGraphicDevice(), page);
        m_newPage->setAlphaMode(KAlphaImage::kBlendWithMask);
        m_duration = kFadeTicks * (hasTape() ? getTape().getTickInterval() : Tape::kDefaultTickInterval);
        m_startTime = knsGetTicks();
        m_stepCount = kFadeSteps;
        break;
    case ClosingFrame:
    case OpeningBox:
    case WipeRight:
    case WipeLeft:
    case WipeDown:
    case WipeUp:
        break;
    case RandomBlocks:
        shuffleBlocks();
        m_stepCount = kBlockSteps;
        break;
    case InterlacedLines:
        m_stepCount = page.getHeight() / 4 + 1;
        break;
    default:
        m_stepCount = kUnknownEffectSteps;
        break;
    }
}

void WipeOut::shuffleBlocks()
{
    const long blocks = kBlockGrid * kBlockGrid;
    if (m_blockOrder.getSize() == 0) {
        m_blockOrder.setSize(blocks);
        for (long i = 0; i < blocks; ++i)
            m_blockOrder.putDirectDataAt(i, i);
    }
    for (long i = 0; i < kBlockSwaps; ++i) {
        const uint16 a = knsRandom(0, blocks - 1);
        const uint16 b = knsRandom(0, blocks - 1);
        m_blockOrder.swap(a, b);
    }
}

void WipeOut::step()
{
    if (!m_newPage.hasObject(nullptr) || !getCompositor()) {
        endRun();
        return;
    }
    long k = m_stepIndex;
    if (m_effect == Fade)
        fadeStep(k);
    else
        drawStep(k);
    m_stepIndex = k + 1;
    if (m_stepIndex > m_stepCount)
        finish();
}

void WipeOut::fadeStep(long& K)
{
    // A tape that ticks at no interval gives the fade no length: it ends at once.
    double t = 1.0;
    if (m_duration > 0)
        t = static_cast<int32>(knsGetTicks() - m_startTime) / static_cast<double>(m_duration);
    if (t >= 1.0) {
        t = 1.0;
        K = m_stepCount;
    }
    m_newPage->setTransparency(1.0 - t);
    const KGraphicRectangle page = getPageRect();
    KGraphicDevice& device = getCompositor()->getBackground().getGraphicDevice();
    m_oldPage->draw(device, page);
    m_newPage->draw(device, page);
    invalidate(page);
}

void WipeOut::drawStep(long K)
{
    const KGraphicRectangle page = getPageRect();
    const long w = page.getWidth();
    const long h = page.getHeight();
    const long n = m_stepCount;
    switch (m_effect) {
    case ClosingFrame: {
        const long dx = w / (2 * n);
        const long dy = h / (2 * n);
        reveal(KGraphicRectangle(0, to16(K * dy), to16(w), to16(dy + 1)));
        reveal(KGraphicRectangle(0, to16(h - K * dy), to16(w), to16(dy + 1)));
        reveal(KGraphicRectangle(to16(w - K * dx), 0, to16(dx + 1), to16(h)));
        reveal(KGraphicRectangle(to16(K * dx), 0, to16(dx + 1), to16(h)));
        break;
    }
    case OpeningBox: {
        KGraphicRectangle box(0, 0, to16(K * (w / n) + 1), to16(K * (h / n) + 1));
        box.centerIn(page);
        reveal(box);
        break;
    }
    case WipeRight:
        reveal(KGraphicRectangle(to16(K * w / n), 0, to16(w / n + 1), to16(h)));
        break;
    case WipeLeft:
        reveal(KGraphicRectangle(to16(w - K * w / n), 0, to16(w / n + 1), to16(h)));
        break;
    case WipeDown:
        reveal(KGraphicRectangle(0, to16(K * h / n), to16(w), to16(h / n + 1)));
        break;
    case WipeUp:
        reveal(KGraphicRectangle(0, to16(h - K * h / n), to16(w), to16(h / n + 1)));
        break;
    case RandomBlocks: {
        if (K >= m_blockOrder.getSize())
            break;
        const long v = m_blockOrder.getDirectDataAt(K);
        const long bw = w / kBlockGrid + 1;
        const long bh = h / kBlockGrid + 1;
        reveal(KGraphicRectangle(to16(bw * (v % kBlockGrid)), to16(bh * (v / kBlockGrid)), to16(bw), to16(bh)));
        break;
    }
    case InterlacedLines:
        reveal(KGraphicRectangle(0, to16(4 * K), to16(w), 2));
        reveal(KGraphicRectangle(0, to16(4 * (h / 4) + 2 - 4 * K), to16(w), 2));
        break;
    default:
        break;
    }
}

void WipeOut::finish()
{
    m_newPage->setAlphaMode(KAlphaImage::kMaskByRaster);
    reveal(getPageRect());
    m_oldPage.reset();
    m_newPage.reset();
    endRun();
}

void WipeOut::stop()
{
    m_oldPage.reset();
    m_newPage.reset();
}

// Page redraws ----------------------------------------------------------------------------

void WipeOut::drawOnPage()
{
    KSpriteSystem* compositor = getCompositor();
    if (!compositor)
        return;
    KGraphicDevice& device = compositor->getBackground().getGraphicDevice();
    const KGraphicRectangle whole = device.getBounds();
    if (hidesActors())
        hideActors();
    draw(device, whole, whole);
    invalidate(whole);
}

void WipeOut::draw(KGraphicDevice& D, const KGraphicRectangle&, const KGraphicRectangle& Destination)
{
    switch (m_source) {
    case ColorSource:
        D.paintRect(Destination, m_color);
        break;
    case ImageSource: {
        if (!m_imageFile.exists())
            break;
        KImagePtr picture(new KImage);
        picture->createFromFile(m_imageFile);
        picture->draw(D, Destination);
        break;
    }
    default:
        return;
    }
    invalidate(Destination);
}

void WipeOut::redraw() {}

// Media -----------------------------------------------------------------------------------

bool WipeOut::findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder)
{
    return m_source == ImageSource && TapeMediaFile::findMissing(m_imageFile, MediaFolder, FurtherFolder);
}

void WipeOut::copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder)
{
    if (m_source == ImageSource)
        TapeMediaFile::copyTo(m_imageFile, SourceFolder, TargetFolder);
}

bool WipeOut::replaceMediaFile(const KFileReference& Old, const KFileReference& New)
{
    return TapeMediaFile::replace(m_imageFile, Old, New);
}

void WipeOut::collectMediaNames(KStringBag& Names)
{
    if (m_source == ImageSource)
        TapeMediaFile::collectName(m_imageFile, Names);
}

bool WipeOut::usesMediaName(const KString& Name)
{
    return m_source == ImageSource && TapeMediaFile::usesName(m_imageFile, Name);
}
