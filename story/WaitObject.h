#pragma once
// Holds the story until what it waits for has happened: the sounds that still play have
// finished, the speech that still plays has finished, and the user has clicked (a press
// followed by its release) or pressed a key. It draws nothing. When the wait is over it
// may stop the sounds and speech still playing, and hands the tape on.
#include "story/TapeObject.h"

class WaitObject : public TapeObject {
    K_DECLARE_CLASS(WaitObject)
public:
    enum WaitState : uint8 {
        NothingToWaitFor = 0,
        WaitingForSounds = 1,
        WaitingForSpeech = 2,
        WaitingForUser = 3,
        Done = 4,
        ButtonHeld = 5,
    };

    // Waits for the user with the wait overlay, and stops sounds and speech afterwards.
    WaitObject();
    ~WaitObject() override;

    // Section 1: the base block, then options 1 to 6, one byte each.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void start() override;
    // Tests one condition after the other, sounds, speech, user, each at most once a
    // tick; ends the wait when nothing is left to wait for.
    void step() override;
    // Gives the cursor back as it was and hands the tape on; also when the tape stops.
    void stop() override;
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    void redraw() override;
    // A key, or a press then its release, ends the wait for the user, and only that wait.
    bool keyDown(KKeyEvent& E) override;
    uint8 mouseDown(KMouseEvent& E) override;
    bool mouseUp(KMouseEvent& E) override;
    // The options; the state starts afresh.
    void copyFrom(const TapeObject& Other) override;

    // Wait while a sound plays.
    void setOption1(uint8 On) { m_options[0] = On; }
    // Wait while speech plays.
    void setOption2(uint8 On) { m_options[1] = On; }
    // Wait for a click or a key.
    void setOption3(uint8 On) { m_options[2] = On; }
    // Show the wait overlay while waiting for the user.
    void setOption4(uint8 On) { m_options[3] = On; }
    // Stop the sounds still playing when the wait ends.
    void setOption5(uint8 On) { m_options[4] = On; }
    // Stop the speech still playing when the wait ends.
    void setOption6(uint8 On) { m_options[5] = On; }
    // Option 1 to 6.
    bool hasOption(int Number) const { return m_options[Number - 1] != 0; }
    uint8 getWaitState() const { return m_state; }

private:
    static constexpr int kOptionCount = 6;

    void waitForUser();
    void endWait();

    uint8 m_options[kOptionCount] = {0, 0, 1, 1, 1, 1};
    uint8 m_cursorWasVisible = 1;
    uint8 m_state = NothingToWaitFor;
};

K_POINTER_CLASS(WaitObject, TapeObjectPtr);
