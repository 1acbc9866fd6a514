#pragma once
// The player's one main window: the stage on which a story plays. It holds the story
// layer (whose compositor draws the page and the sprites into the window), the tape
// shown, the window's play state that the menus and actions read, and two small overlay
// pictures that blink over the page's top right corner while the story waits for a click
// or is paused. It turns keys into play commands, ends the short highlight of the current
// object, and hides the mouse pointer while a story plays and the mouse rests.
#include "application/KWindow.h"
#include "foundation/KTimer.h"
#include "graphics/KImage.h"
#include "multimedia/KSprite.h"
#include "story/LumoSpriteSystem.h"
#include "story/StoryStage.h"
#include "story/Tape.h"

class LumoWindow : public KWindow, public StoryStage {
    K_DECLARE_CLASS(LumoWindow)
public:
    enum PlayState : uint8 {
        NoStory = 0,
        Stopped = 1,
        Playing = 3,
        Paused = 4,
    };

    static constexpr long kBlinkPeriod = 1000;
    static constexpr long kPointerHidePeriod = 3000;
    static constexpr long kHighlightPeriod = 500;
    // Texts, pictures, movies and strokes show their own mark, which needs less time.
    static constexpr long kShortHighlightPeriod = 350;
    // An overlay's left edge lies this far left of the page's right edge.
    static constexpr short kOverlayRightOffset = 96;
    static constexpr short kOverlayTop = 16;
    static constexpr short kPauseSignPicture = 16700;
    static constexpr short kPauseSignMask = 16701;
    static constexpr short kWaitPicture = 16702;
    static constexpr short kWaitMask = 16703;

    LumoWindow();
    ~LumoWindow() override;

    // The main window; error 18 when there is none.
    static LumoWindow& getMainWindow();
    static bool hasMainWindow();

    void doTimer(KTimer& T) override;
    void open(uint8 Mode) override;
    void close() override;
    // The content: the compositor draws everything.
    bool draw(KWindowEvent& E) override;
    bool resized(KWindowEvent& E) override;
    bool moved(KWindowEvent& E) override;
    bool activated(KWindowEvent& E) override;
    bool deactivated(KWindowEvent& E) override;
    bool keyTyped(KKeyEvent& E) override { return handleKey(E); }
    KEventReturn mouseEnter(KMouseEvent& E) override;
    KEventReturn mouseLeave(KMouseEvent& E) override;
    KEventReturn mouseDown(KMouseEvent& E) override;
    KEventReturn mouseMove(KMouseEvent& E) override;
    KEventReturn mouseUp(KMouseEvent& E) override;

    // What the story engine asks of its stage.
    Tape& getTape() const override { return m_tape.getObject(); }
    bool hasTape() const override { return m_tape.hasObject(nullptr); }
    LumoSpriteSystem& getSpriteSystem() const override { return m_spriteSystem.getObject(); }
    bool hasSpriteSystem() const override { return m_spriteSystem.hasObject(nullptr); }
    // Mode 1 the wait picture, 2 the pause picture; any other mode hides both.
    void showOverlays(uint8 Mode) override;
    void hideOverlays() override;
    void clearHighlight(bool RestorePage) override;
    void highlightCurrentObject() override;
    bool highlightsElements() const override;
    void stopStory() override;

    virtual void setSpriteSystem(LumoSpriteSystem& S);
    virtual void resetSpriteSystem();
    virtual void setFirstOverlay(KSprite& S);
    virtual void resetFirstOverlay();
    virtual void setSecondOverlay(KSprite& S);
    virtual void resetSecondOverlay();
    virtual void setTape(Tape& T);
    virtual void resetTape();

    // The wait picture and the pause picture; error 18 when reset.
    KSprite& getFirstOverlay() const { return m_firstOverlay.getObject(); }
    KSprite& getSecondOverlay() const { return m_secondOverlay.getObject(); }
    uint8 getPlayState() const { return m_playState; }
    bool isOverlayShown() const { return m_overlayShown; }
    bool isHighlightShown() const { return m_highlightShown; }
    const KGraphicRectangle& getWindowedBounds() const { return m_windowedBounds; }
    // While the window is open; error 18 otherwise.
    KTimer& getBlinkTimer() const { return m_blinkTimer.getObject(); }

    // The title and the story layer; once, when the window first shows.
    void buildContents();
    void enterPlayState();
    void enterStopState();
    // The story shown stops playing and goes back to its start (a paused one stays).
    void stopTapeAndReset();
    void restartCursorTimer();
    // Redraws the page up to the tape's position, under the wait pointer.
    void redrawTape(bool RedrawPage);
    // The title becomes the current project's document name.
    void showProjectTitle();
    // The blink: a shown overlay hides, a hidden one shows.
    void toggleOverlay();
    // The bounds to come back to from full screen.
    void rememberBounds() { m_windowedBounds = getBounds(); }
    // True when the key was a play command or the running object used it.
    bool handleKey(KKeyEvent& E);

private:
    KSpritePtr makeOverlay(short Picture, short Mask);
    void invalidateOverlays();
    // The play index goes to Index and the page is drawn up to it; play goes on there.
    void jumpTo(long Index);
    bool handleKeyWhilePlaying(KKeyEvent& E);
    bool handleKeyWhilePaused(KKeyEvent& E);

    LumoSpriteSystemPtr m_spriteSystem;
    KSpritePtr m_firstOverlay;
    KSpritePtr m_secondOverlay;
    TapePtr m_tape;
    uint8 m_playState = NoStory;
    KTimerPtr m_blinkTimer;
    KTimerPtr m_cursorTimer;
    bool m_overlayShown = false;
    KTimerPtr m_highlightTimer;
    KImagePtr m_savedPage;
    bool m_highlightShown = false;
    KGraphicRectangle m_windowedBounds;
};

K_POINTER_CLASS(LumoWindow, KWindowPtr);
