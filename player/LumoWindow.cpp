#include "player/LumoWindow.h"

#include "application/KCursorManager.h"
#include "application/KKeyEvent.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KAlphaImage.h"
#include "graphics/KColor.h"
#include "player/LumoActions.h"
#include "player/LumoApplication.h"

K_DEFINE_CLASS(LumoWindow, KWindow, 1)

namespace {
LumoWindowPtr s_mainWindow;

constexpr short kWindowWidth = 800;
constexpr short kWindowHeight = 600;

// Framework key codes of the special keys.
constexpr uint16 kLeftKey = 0x111;
constexpr uint16 kRightKey = 0x112;
constexpr uint16 kEscapeKey = 0x11C;

KGraphicRectangle screenRectangle()
{
    return KGraphicRectangle(0, 0, static_cast<short>(knsGetScreenWidth()), static_cast<short>(knsGetScreenHeight()));
}

KTimerPtr makeTimer(KThing& Target, long Period, bool Repeating)
{
    KTimerPtr timer(new KTimer);
    timer->setPeriod(Period);
    timer->setRepeating(Repeating);
    timer->setTarget(Target);
    return timer;
}

// A running timer is stopped before it starts again.
void restart(KTimer& T)
{
    T.stop();
    T.start();
}

void release(KTimerPtr& T)
{
    if (!T.hasObject(nullptr))
        return;
    T->stop();
    T->resetTarget();
    T.reset();
}

bool isStopKey(const KKeyEvent& E)
{
    const bool control = (E.getModifiers() & KKeyEvent::Control) || knsIsControlDown();
    return E.getKey() == kEscapeKey || (E.getKey() == '.' && control);
}

bool isPauseKey(const KKeyEvent& E) { return E.getKey() == 'P' || E.getKey() == 'p'; }
} // namespace

LumoWindow::LumoWindow()
{
    if (isOnHeap())
        s_mainWindow.setObject(*this);
    setBackColor(KColor(kBlack));
    setKindFlags(getKindFlags() & ~(MaximizeBoxKind | ThickFrameKind));
    attachMenuBar(true);
    KGraphicRectangle bounds(0, 0, kWindowWidth, kWindowHeight);
    bounds.centerIn(screenRectangle());
    setBounds(bounds);
    m_windowedBounds = bounds;
    KSpritePtr wait = makeOverlay(kWaitPicture, kWaitMask);
    setFirstOverlay(*wait);
    KSpritePtr pause = makeOverlay(kPauseSignPicture, kPauseSignMask);
    setSecondOverlay(*pause);
}

LumoWindow::~LumoWindow()
{
    resetSpriteSystem();
    resetFirstOverlay();
    resetSecondOverlay();
    resetTape();
}

LumoWindow& LumoWindow::getMainWindow() { return s_mainWindow.getObject(); }
bool LumoWindow::hasMainWindow() { return s_mainWindow.hasObject(nullptr); }

void LumoWindow::setSpriteSystem(LumoSpriteSystem& S) { m_spriteSystem.setObject(S); }
void LumoWindow::resetSpriteSystem() { m_spriteSystem.reset(); }
void LumoWindow::setFirstOverlay(KSprite& S) { m_firstOverlay.setObject(S); }
void LumoWindow::resetFirstOverlay() { m_firstOverlay.reset(); }
void LumoWindow::setSecondOverlay(KSprite& S) { m_secondOverlay.setObject(S); }
void LumoWindow::resetSecondOverlay() { m_secondOverlay.reset(); }
void LumoWindow::setTape(Tape& T) { m_tape.setObject(T); }
void LumoWindow::resetTape() { m_tape.reset(); }

KSpritePtr LumoWindow::makeOverlay(short Picture, short Mask)
{
    KAlphaImagePtr image(new KAlphaImage);
    image->setAlphaMaskFromResource(Picture, Mask);
    image->setAlphaMode(KAlphaImage::kPerPixelAlpha);
    KSpritePtr sprite(new KSprite);
    sprite->addFrame(*image);
    sprite->setPosition(kWindowWidth - kOverlayRightOffset, kOverlayTop);
    sprite->hide();
    return sprite;
}

// Opening and closing ---------------------------------------------------------------------

void LumoWindow::open(uint8 Mode)
{
    if (isOnHeap())
        s_mainWindow.setObject(*this);
    m_blinkTimer = makeTimer(*this, kBlinkPeriod, true);
    m_highlightTimer = makeTimer(*this, kHighlightPeriod, false);
    m_cursorTimer = makeTimer(*this, kPointerHidePeriod, false);
    KWindow::open(Mode);
}

void LumoWindow::close()
{
    if (!isOpen())
        return;
    LumoWindowPtr hold(isOnHeap() ? this : nullptr);
    // Each timer holds the window as its target.
    release(m_blinkTimer);
    release(m_highlightTimer);
    release(m_cursorTimer);
    KWindow::close();
    if (s_mainWindow.get() == this)
        s_mainWindow.reset();
}

void LumoWindow::buildContents()
{
    setTitle(LumoApplication::localize("Narrabo"));
    LumoSpriteSystemPtr layer(new LumoSpriteSystem);
    setSpriteSystem(*layer);
    addLayer(*layer);
    layer->setRedrawMode(KSpriteSystem::DirtyRectangles);
    // The compositor makes its page and its off-screen image of the window's size.
    KSpriteSystem& compositor = layer->getSpriteSystem();
    compositor.setTargetDevice(*this);
    compositor.setNoCatchUp(false);
    layer->getSecondLayer().addSprite(getSecondOverlay());
    layer->getSecondLayer().addSprite(getFirstOverlay());
}

// Play states -------------------------------------------------------------------------------

void LumoWindow::enterPlayState()
{
    clearHighlight(false);
    restartCursorTimer();
    m_playState = Playing;
}

void LumoWindow::enterStopState()
{
    if (m_cursorTimer.hasObject(nullptr))
        m_cursorTimer->stop();
    if (KCursorManager::exists())
        KCursorManager::get().showCursor();
    m_playState = Stopped;
}

void LumoWindow::stopTapeAndReset()
{
    if (!hasTape()) {
        m_playState = NoStory;
        return;
    }
    TapePtr tape(getTape());
    if (tape->getPlayState() == Tape::Playing) {
        tape->stop();
        tape->rewind();
    }
    m_playState = Stopped;
    clearHighlight(false);
}

void LumoWindow::restartCursorTimer()
{
    if (m_cursorTimer.hasObject(nullptr))
        restart(*m_cursorTimer);
}

void LumoWindow::redrawTape(bool RedrawPage)
{
    const bool cursors = KCursorManager::exists();
    if (cursors) {
        KCursorManager::get().pushCursor();
        KCursorManager::get().setCursor(KCursorManager::WaitCursor);
    }
    if (RedrawPage && hasTape())
        getTape().redrawPage();
    if (cursors)
        KCursorManager::get().popCursor();
}

void LumoWindow::showProjectTitle()
{
    if (LumoApplication::hasApplication() && LumoApplication::getApplication().hasProject()) {
        const LumoProject& project = LumoApplication::getApplication().getProject();
        if (project.hasFileReference())
            setTitle(project.getFileReference().getPath().getName());
    }
    if (m_playState == NoStory)
        m_playState = Stopped;
}

void LumoWindow::stopStory()
{
    if (LumoActions::exists())
        LumoActions::getInstance().stop();
    else if (hasTape())
        getTape().stop();
}

bool LumoWindow::highlightsElements() const
{
    return LumoApplication::hasApplication() && LumoApplication::getApplication().getHighlightElements();
}

// Overlays ----------------------------------------------------------------------------------

void LumoWindow::invalidateOverlays()
{
    if (hasSpriteSystem())
        getSpriteSystem().invalidate();
}

void LumoWindow::showOverlays(uint8 Mode)
{
    if (Mode != WaitOverlay && Mode != PauseOverlay) {
        hideOverlays();
        return;
    }
    if (m_blinkTimer.hasObject(nullptr))
        restart(*m_blinkTimer);
    const short pageWidth = hasTape() ? getTape().getPageSize().getWidth() : getBounds().getWidth();
    const float left = static_cast<float>(pageWidth - kOverlayRightOffset);
    getFirstOverlay().setPosition(left, kOverlayTop);
    getSecondOverlay().setPosition(left, kOverlayTop);
    KSprite& shown = Mode == PauseOverlay ? getSecondOverlay() : getFirstOverlay();
    KSprite& hidden = Mode == PauseOverlay ? getFirstOverlay() : getSecondOverlay();
    hidden.hide();
    shown.show();
    invalidateOverlays();
    m_overlayShown = true;
}

void LumoWindow::hideOverlays()
{
    if (m_overlayShown) {
        getFirstOverlay().hide();
        getSecondOverlay().hide();
        m_overlayShown = false;
        invalidateOverlays();
    }
    if (m_blinkTimer.hasObject(nullptr))
        m_blinkTimer->stop();
}

void LumoWindow::toggleOverlay()
{
    if (!m_overlayShown) {
        const bool paused = hasTape() && getTape().getPlayState() == Tape::Paused;
        (paused ? getSecondOverlay() : getFirstOverlay()).show();
    } else {
        getFirstOverlay().hide();
        getSecondOverlay().hide();
    }
    invalidateOverlays();
    m_overlayShown = !m_overlayShown;
}

// The highlight of the current object ---------------------------------------------------------

void LumoWindow::highlightCurrentObject()
{
    if (!hasSpriteSystem() || !getSpriteSystem().getSpriteSystem().hasBackground() || !hasTape()
        || !m_highlightTimer.hasObject(nullptr))
        return;
    KSpriteSystem& compositor = getSpriteSystem().getSpriteSystem();
    KGraphicDevice& page = compositor.getBackground().getGraphicDevice();
    const KGraphicRectangle pageBounds = page.getBounds();
    if (m_savedPage.hasObject(nullptr) && m_savedPage->getGraphicDevice().getBounds() != pageBounds) {
        m_savedPage->disposeNative();
        m_savedPage.reset();
    }
    if (!m_savedPage.hasObject(nullptr)) {
        m_savedPage = new KImage;
        m_savedPage->create(pageBounds.getSize());
    }
    Tape& tape = getTape();
    if (!tape.isCurrentIndexValid())
        return;
    compositor.getBackground().drawAt(m_savedPage->getGraphicDevice(), KGraphicPoint(0, 0));
    TapeObject& current = tape.getCurrentObject();
    switch (current.getKind()) {
    case TapeObject::StrokeKind:
    case TapeObject::TextKind:
    case TapeObject::MovieKind:
    case TapeObject::ImageKind:
        m_highlightTimer->setPeriod(kShortHighlightPeriod);
        break;
    default:
        m_highlightTimer->setPeriod(kHighlightPeriod);
        break;
    }
    current.drawKindIcon(page, pageBounds, pageBounds);
    compositor.invalidate(pageBounds);
    restart(*m_highlightTimer);
    m_highlightShown = true;
}

void LumoWindow::clearHighlight(bool RestorePage)
{
    if (!m_highlightShown)
        return;
    if (m_highlightTimer.hasObject(nullptr))
        m_highlightTimer->stop();
    if (RestorePage && m_savedPage.hasObject(nullptr) && hasSpriteSystem()) {
        KSpriteSystem& compositor = getSpriteSystem().getSpriteSystem();
        if (compositor.hasBackground()) {
            KGraphicDevice& page = compositor.getBackground().getGraphicDevice();
            m_savedPage->drawAt(page, KGraphicPoint(0, 0));
            compositor.invalidate(page.getBounds());
        }
    }
    m_highlightShown = false;
}

// Timers and window hooks -----------------------------------------------------------------------

void LumoWindow::doTimer(KTimer& T)
{
    if (&T == m_blinkTimer.get())
        toggleOverlay();
    else if (&T == m_highlightTimer.get())
        clearHighlight(true);
    else if (&T == m_cursorTimer.get() && m_playState == Playing && KCursorManager::exists())
        KCursorManager::get().hideCursor();
}

bool LumoWindow::draw(KWindowEvent&)
{
    if (isVisible() && hasSpriteSystem())
        getSpriteSystem().getSpriteSystem().redrawAll();
    return false;
}

bool LumoWindow::resized(KWindowEvent&)
{
    const KGraphicRectangle& bounds = getBounds();
    if (bounds.getH() >= 0 && bounds.getV() >= 0 && bounds.getWidth() <= knsGetScreenWidth()
        && bounds.getHeight() <= knsGetScreenHeight())
        invalidate();
    return false;
}

bool LumoWindow::moved(KWindowEvent&) { return false; }
bool LumoWindow::activated(KWindowEvent&) { return true; }
bool LumoWindow::deactivated(KWindowEvent&) { return true; }
KEventReturn LumoWindow::mouseEnter(KMouseEvent&) { return 1; }
KEventReturn LumoWindow::mouseLeave(KMouseEvent&) { return 1; }
KEventReturn LumoWindow::mouseDown(KMouseEvent&) { return 1; }
KEventReturn LumoWindow::mouseUp(KMouseEvent&) { return 1; }

KEventReturn LumoWindow::mouseMove(KMouseEvent&)
{
    if (hasTape() && getTape().getPlayState() != Tape::Stopped) {
        if (KCursorManager::exists())
            KCursorManager::get().showCursor();
        restartCursorTimer();
    }
    return 1;
}

// Keys ----------------------------------------------------------------------------------------

bool LumoWindow::handleKey(KKeyEvent& E)
{
    const uint16 key = E.getKey();
    if ((key == 'M' || key == 'm') && (E.getModifiers() & KKeyEvent::Shift) && LumoApplication::hasApplication()) {
        LumoApplication& application = LumoApplication::getApplication();
        if (application.isFullScreenLayout() && !LumoApplication::isModalWindowOpen()) {
            if (application.isMenuBarHidden())
                application.showMenuBar();
            else
                application.hideMenuBar();
            return true;
        }
    }
    if (!hasTape())
        return false;
    switch (getTape().getPlayState()) {
    case Tape::Playing:
        return handleKeyWhilePlaying(E);
    case Tape::Paused:
        return handleKeyWhilePaused(E);
    default:
        return false;
    }
}

bool LumoWindow::handleKeyWhilePlaying(KKeyEvent& E)
{
    TapePtr tape(getTape());
    if (tape->keyDown(E))
        return true;
    if (isStopKey(E)) {
        stopStory();
        return true;
    }
    if (E.getKey() == ' ') {
        tape->resetRunningObject();
        jumpTo(tape->findPreviousStopPoint(tape->getPlayIndex() + 1));
        return true;
    }
    if (isPauseKey(E)) {
        tape->pause();
        m_playState = Paused;
        return true;
    }
    return false;
}

bool LumoWindow::handleKeyWhilePaused(KKeyEvent& E)
{
    TapePtr tape(getTape());
    if (isPauseKey(E)) {
        tape->resume();
        m_playState = Playing;
        return true;
    }
    if (E.getKey() == kRightKey || E.getKey() == kLeftKey) {
        if (m_overlayShown)
            toggleOverlay();
        tape->resetRunningObject();
        const long from = tape->getPlayIndex();
        jumpTo(E.getKey() == kRightKey ? tape->findNextStopPoint(from + 1) : tape->findPreviousStopPoint(from));
        return true;
    }
    if (isStopKey(E)) {
        stopStory();
        return true;
    }
    return false;
}

void LumoWindow::jumpTo(long Index)
{
    getTape().setPlayIndex(Index);
    redrawTape(true);
}
