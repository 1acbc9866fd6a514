#pragma once
// What the story engine asks of the window that shows the story: its tape and story
// layer, the wait and pause overlays, the short highlight of the current object, and the
// player's stop action when a tape that does not loop comes to its end. The player's main
// window provides it; the engine finds it as the application's main window, so that
// nothing below the player names the player's classes.
#include "foundation/KTypes.h"

class LumoSpriteSystem;
class Tape;

class StoryStage {
public:
    enum OverlayMode : uint8 {
        // The story waits for a click or a key.
        WaitOverlay = 1,
        PauseOverlay = 2,
    };

    // The application's main window when it shows stories; null otherwise (no
    // application, no main window, or a window of another kind).
    static StoryStage* find();

    StoryStage() = default;
    StoryStage(const StoryStage&) = delete;
    StoryStage& operator=(const StoryStage&) = delete;

    // The tape shown; error 18 when none is.
    virtual Tape& getTape() const = 0;
    virtual bool hasTape() const = 0;
    // The story layer; error 18 when there is none.
    virtual LumoSpriteSystem& getSpriteSystem() const = 0;
    virtual bool hasSpriteSystem() const = 0;
    virtual void showOverlays(uint8 Mode) = 0;
    virtual void hideOverlays() = 0;
    // Ends the highlight of the current object, putting the page back when asked.
    virtual void clearHighlight(bool RestorePage) = 0;
    virtual void highlightCurrentObject() = 0;
    // The player's "HighlightElements" preference.
    virtual bool highlightsElements() const = 0;
    // The player's stop action: stops the tape and gives the player back its stopped look.
    virtual void stopStory() = 0;

protected:
    virtual ~StoryStage();
};
