#pragma once
// "Animation Setup": three play settings of the story in the main window, shown without
// holding up the player: whether it starts again at its end, whether starting it hides
// the menu bar, and how fast it ticks. OK writes them into the story; nothing is stored
// in the preferences.
#include "controls/KDialog.h"
#include "controls/KCheckBoxControl.h"
#include "tools/controls/KGraphicSliderControl.h"

class SetupDialog : public KDialog {
    K_DECLARE_CLASS(SetupDialog)
public:
    // The slider shows 51 minus the tick interval: 1 is the slowest story (50 ms a tick),
    // 50 the fastest (1 ms).
    static constexpr long kSlowestTick = 1;
    static constexpr long kFastestTick = 50;
    static constexpr long kTickSum = 51;

    SetupDialog();
    ~SetupDialog() override;

    // Shows the story's settings and opens without waiting; the main window keeps the
    // keyboard.
    void openDialog();
    // Remembers where the dialog was and closes it.
    void close() override;
    bool handleControlAction(KControlActionEvent& E) override { return handleControl(E); }
    // OK writes the settings into the story; the action goes on, so that the dialog closes.
    bool handleControl(KControlActionEvent& E);

    KCheckBoxControl& getLoopingBox() const { return m_looping.getObject(); }
    KCheckBoxControl& getHideMenuBarBox() const { return m_hideMenuBar.getObject(); }
    KGraphicSliderControl& getTickSlider() const { return m_slider.getObject(); }
    bool hasControls() const { return m_slider.hasObject(nullptr); }

private:
    KCheckBoxControlPtr m_looping;
    KCheckBoxControlPtr m_hideMenuBar;
    KGraphicSliderControlPtr m_slider;
};
