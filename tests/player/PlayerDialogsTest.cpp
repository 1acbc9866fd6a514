// The player's dialogs: each opened from its menu item through the main loop; the about
// boxes' texts, their layout under small and large pictures and the sliding banner; the
// animation setup's settings of the story; the advanced features' speed and its trial
// through the speech layer (the menu tests have none); and the place each dialog class
// remembers. The start-up tests show the texts in another language.
#include "application/KMenuItem.h"
#include "controls/ImmediateActions.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"
#include "player/AdvancedPrefsDialog.h"
#include "player/KeyListHelpDialog.h"
#include "player/LumoAboutDialog.h"
#include "player/SetupDialog.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/dialogs/KAboutDialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <windows.h>

namespace {

// The user moving a slider to Value.
void slide(KGraphicSliderControl& Slider, long Value)
{
    Slider.setValue(Value, true);
    sendControlActionNow(Slider.getSlider(), KControlActionEvent::Done);
}

std::string lineOf(const KAboutDialog& About, long Index)
{
    return textOf(About.getTextDisplay().getTextBlock().getLineAt(Index).getText());
}

KGraphicPoint centredOrigin(const KGraphicSize& Size)
{
    return KGraphicPoint(static_cast<short>((knsGetScreenWidth() - Size.getWidth()) / 2),
                         static_cast<short>((knsGetScreenHeight() - Size.getHeight()) / 2));
}

class PlayerDialogs : public SharedVoicedPlayer {
protected:
    // The advanced features run as the Animate menu runs them, with the values given.
    uint8 runAdvancedWith(short Speed, bool Custom, bool Duplicated, std::vector<ModalScript::Action> Actions)
    {
        dialog = new OpenedHidden<AdvancedPrefsDialog>;
        dialog->addNamedObject(*new KVariable(Speed), KString("SpeechSpeed"));
        dialog->addNamedObject(*new KVariable(Custom), KString("CustomSpeechSpeed"));
        dialog->addNamedObject(*new KVariable(Duplicated), KString("AllowDuplicatedActors"));
        ModalScript script(std::move(Actions));
        return dialog->run();
    }
    const KVariable& value(const char* Name) const
    {
        return static_cast<const KVariable&>(dialog->getNamedObject(KString(Name)));
    }
    std::string label() const { return textOf(dialog->getSpeedLabel().getText()); }
    bool enabled(const KThing& Control) const { return static_cast<const KControl&>(Control).isEnabled(); }

    AdvancedPrefsDialogPtr dialog;
};

TEST_F(PlayerDialogs, EachOpensFromItsMenuItemThroughTheMainLoop)
{
    KMenu& animate = menu(1);
    choose(run, animate.getItemWithID(2));
    SetupDialog* setup = openDialog<SetupDialog>();
    ASSERT_NE(setup, nullptr);
    click(setup->getOKButton());
    EXPECT_EQ(openDialog<SetupDialog>(), nullptr);

    std::string advanced;
    {
        ModalScript script({[&](KDialog& D) {
            advanced = D.getClass().getName();
            click(D.getCancelButton());
        }});
        choose(run, animate.getItemWithID(3));
    }
    EXPECT_EQ(advanced, "AdvancedPrefsDialog");

    // The keyboard help waits in the Help menu, above the About entry.
    KMenu& help = *bar().getHelpMenu();
    choose(run, help.getItemWithID(1000));
    KeyListHelpDialog* keys = openDialog<KeyListHelpDialog>();
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->getStandardButtons(), KDialog::OKButton);
    click(keys->getOKButton());
    EXPECT_EQ(openDialog<KeyListHelpDialog>(), nullptr);

    choose(run, help.getItemWithTitle(bar().getAboutTitle()));
    KAboutDialog* about = openDialog<KAboutDialog>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(textOf(about->getTitle()), "About Narrabo");
    ASSERT_EQ(about->getTextDisplay().getTextBlock().getLineCount(), 18);
    EXPECT_EQ(lineOf(*about, 5) + lineOf(*about, 6), " Narrabo v3.1.3");
    EXPECT_EQ(lineOf(*about, 7), "(Nov 28 2007 12:31:13)");
    EXPECT_EQ(lineOf(*about, 15), "Many thanks to all teachers and therapists involved in the project");
    click(about->getOKButton());
    EXPECT_EQ(openDialog<KAboutDialog>(), nullptr);
}

TEST_F(PlayerDialogs, TheSetupShowsAndSetsTheStorysLoopMenuBarAndTick)
{
    Tape& tape = run.window().getTape();
    struct Case {
        bool toggleLoop, toggleHide;
        long slider;
        bool ok;
        bool loop, hide;
        long interval;
    };
    const Case cases[] = {
        // The default 20 ms shows as 31 and stays.
        {false, false, 31, true, false, false, 20},
        {true, true, 50, true, true, true, 1},
        {true, false, 1, true, false, true, 50},
        // Cancel after changing everything changes nothing.
        {true, true, 20, false, false, true, 50},
    };
    for (const Case& c : cases) {
        KDialogPtr hold = new OpenedHidden<SetupDialog>;
        auto& setup = static_cast<SetupDialog&>(*hold);
        setup.openDialog();
        EXPECT_EQ(setup.getLoopingBox().isSelected(), tape.isFlagSet(Tape::LoopFlag));
        EXPECT_EQ(setup.getHideMenuBarBox().isSelected(), tape.isFlagSet(Tape::HideMenuBarFlag));
        EXPECT_EQ(setup.getTickSlider().getValue(), 51 - tape.getTickInterval());
        if (c.toggleLoop)
            click(setup.getLoopingBox());
        if (c.toggleHide)
            click(setup.getHideMenuBarBox());
        slide(setup.getTickSlider(), c.slider);
        click(c.ok ? setup.getOKButton() : setup.getCancelButton());
        EXPECT_FALSE(setup.isOpen());
        EXPECT_EQ(tape.isFlagSet(Tape::LoopFlag), c.loop) << c.slider;
        EXPECT_EQ(tape.isFlagSet(Tape::HideMenuBarFlag), c.hide) << c.slider;
        EXPECT_EQ(tape.getTickInterval(), c.interval) << c.slider;
    }
}

TEST_F(PlayerDialogs, EachDialogClassOpensWhereItsLastDialogWasClosed)
{
    const auto setupClosedAt = [](short H, short V) {
        KDialogPtr setup = new OpenedHidden<SetupDialog>;
        static_cast<SetupDialog&>(*setup).openDialog();
        const KGraphicPoint opened = setup->getBounds().getOrigin();
        setup->setPosition(KGraphicPoint(H, V));
        setup->close();
        return opened;
    };
    setupClosedAt(41, 43);
    KDialogPtr keys = new OpenedHidden<KeyListHelpDialog>;
    static_cast<KeyListHelpDialog&>(*keys).openDialog();
    EXPECT_NE(keys->getBounds().getOrigin(), KGraphicPoint(41, 43));
    keys->close();

    EXPECT_EQ(setupClosedAt(-20, 43), KGraphicPoint(41, 43));
    // A place off the screen, as after a change to a smaller resolution, gives way to the
    // centre.
    KDialogPtr setup = new OpenedHidden<SetupDialog>;
    static_cast<SetupDialog&>(*setup).openDialog();
    EXPECT_EQ(setup->getBounds().getOrigin(), centredOrigin(setup->getBounds().getSize()));
    // Flush against the right and bottom edges still lies on the screen.
    const KGraphicSize size = setup->getBounds().getSize();
    const KGraphicPoint corner(static_cast<short>(knsGetScreenWidth() - size.getWidth()),
                               static_cast<short>(knsGetScreenHeight() - size.getHeight()));
    setup->setPosition(corner);
    setup->close();
    EXPECT_EQ(setupClosedAt(41, 43), corner);
}

TEST_F(PlayerDialogs, AdvancedFeaturesShowTheVoicesOwnSpeedAsDefaultAndGiveItBackAsMinusOne)
{
    EXPECT_EQ(runAdvancedWith(75, false, true, {[&](KDialog& D) {
                  EXPECT_FALSE(enabled(dialog->getSpeedSlider()));
                  EXPECT_EQ(dialog->getSpeedSlider().getValue(), 50);
                  EXPECT_EQ(label(), "Voice Speed: default speed");
                  EXPECT_EQ(textOf(dialog->getVoiceList().getSelectedItem()), textOf(run.app().getLastUsedVoice()));
                  click(D.getOKButton());
              }}),
              1);
    EXPECT_EQ(value("SpeechSpeed").getShort(), -1);
    EXPECT_FALSE(value("CustomSpeechSpeed").getBool());
    EXPECT_TRUE(value("AllowDuplicatedActors").getBool());

    // Cancel hands back nothing new.
    EXPECT_EQ(runAdvancedWith(75, true, false, {[&](KDialog& D) {
                  slide(dialog->getSpeedSlider(), 10);
                  click(D.getCancelButton());
              }}),
              2);
    EXPECT_EQ(value("SpeechSpeed").getShort(), 75);
}

// From its menu item, a custom speed chosen reaches the player's preferences on OK.
TEST_F(PlayerDialogs, AdvancedFeaturesFromTheirMenuItemGiveTheCustomSpeedToThePreferences)
{
    LumoApplication& application = run.app();
    application.setSpeechSpeed(-1);
    application.setCustomSpeechSpeed(false);
    {
        ModalScript script({[&](KDialog& D) {
            auto& advanced = static_cast<AdvancedPrefsDialog&>(D);
            click(advanced.getCustomSpeedBox());
            slide(advanced.getSpeedSlider(), 30);
            click(D.getOKButton());
        }});
        choose(run, menu(1).getItemWithID(3));
    }
    EXPECT_EQ(application.getSpeechSpeed(), 30);
    EXPECT_TRUE(application.getCustomSpeechSpeed());
    application.setSpeechSpeed(-1);
    application.setCustomSpeechSpeed(false);
}

TEST_F(PlayerDialogs, AdvancedFeaturesLabelTheSliderAndATrialSpeaksAtItsSpeed)
{
    KApplication& application = run.app();
    const long idleHandlers = application.getIdleHandlerCount();
    const uint8 result = runAdvancedWith(-1, true, false, {
        [&](KDialog&) {
            EXPECT_EQ(dialog->getSpeedSlider().getValue(), 50);
            const std::pair<long, const char*> steps[] = {
                {0, "Voice Speed: min"}, {100, "Voice Speed: max"}, {37, "Voice Speed: 37%"},
                {50, "Voice Speed: default speed"}, {80, "Voice Speed: 80%"}};
            for (const auto& [position, text] : steps) {
                slide(dialog->getSpeedSlider(), position);
                EXPECT_EQ(label(), text);
            }
            // Clearing the box keeps the value but shows the voice's own speed.
            click(dialog->getCustomSpeedBox());
            EXPECT_EQ(label(), "Voice Speed: default speed");
            click(dialog->getCustomSpeedBox());
            dialog->getTextField().setText("   Once upon a time");
            dialog->getVoiceList().selectItemText("Bruno");
            click(dialog->getTryButton());
        },
        [&](KDialog& D) {
            EXPECT_EQ(textOf(dialog->getTryButton().getTitle()), "Stop");
            EXPECT_EQ(textOf(dialog->getTextField().getText()), "Once upon a time");
            EXPECT_DOUBLE_EQ(dialog->getTrialSpeech().getStoredSpeed(), 0.8);
            EXPECT_TRUE(speech.called("SetVoice Bruno") && speech.called("SetRate 6"));
            // The sample without its leading blanks, as the pronunciation exceptions leave it.
            EXPECT_EQ(speech.callsStartingWith("Speak 17 Once upon a time").size(), 1u);
            EXPECT_FALSE(enabled(D.getOKButton()) || enabled(D.getCancelButton()) || enabled(dialog->getSpeedSlider()));
            EXPECT_GT(application.getIdleHandlerCount(), idleHandlers);
            // The four words are spoken; the media manager and the dialog both see it.
            run.clock.advance(1000);
            application.processIdleOnce();
        },
        [&](KDialog& D) {
            EXPECT_EQ(textOf(dialog->getTryButton().getTitle()), "Try Speed");
            EXPECT_TRUE(enabled(D.getOKButton()) && enabled(dialog->getSpeedSlider()));
            EXPECT_EQ(application.getIdleHandlerCount(), idleHandlers);
            click(D.getOKButton());
        }});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(value("SpeechSpeed").getShort(), 80);
    EXPECT_TRUE(value("CustomSpeechSpeed").getBool());
}

TEST_F(PlayerDialogs, AdvancedFeaturesClosedWhileATrialSpeaksStopTheSpeechAndLeaveTheLoop)
{
    const long idleHandlers = run.app().getIdleHandlerCount();
    KExtendedSpeechPtr trial;
    size_t callsBefore = 0;
    const uint8 result = runAdvancedWith(-1, false, false, {
        [&](KDialog&) {
            click(dialog->getTryButton());
            callsBefore = speech.calls.size();
            trial = &dialog->getTrialSpeech();
            // With the box clear the trial takes the speech's own speed.
            EXPECT_DOUBLE_EQ(trial->getStoredSpeed(), 0.5);
        },
        // Its close box, while OK and Cancel are locked.
        [&](KDialog& D) { SendMessageA(static_cast<HWND>(D.getNativeWindow()), WM_CLOSE, 0, 0); }});
    EXPECT_NE(result, 1);
    EXPECT_FALSE(dialog->isOpen() || dialog->isSpeaking() || trial->isPlaying());
    EXPECT_NE(std::find(speech.calls.begin() + long(callsBefore), speech.calls.end(), "Purge 2"), speech.calls.end());
    EXPECT_EQ(run.app().getIdleHandlerCount(), idleHandlers);
}

// The about boxes that the class registry makes, over the tools library.
class AboutBoxes : public testing::Test {
protected:
    // 100 x 80 and 500 x 300.
    static constexpr short kSmallPicture = 30100;
    static constexpr short kLargePicture = 30101;
    ToolsScope scope;
};

TEST_F(AboutBoxes, LayOutTheirTextsAndButtonUnderAnyPictureAndReopenWhereClosed)
{
    ZAboutDialogPtr small = new OpenedHidden<ZAboutDialog>(kSmallPicture);
    EXPECT_EQ(small->getLayoutSize(), KGraphicSize(220, 150));
    EXPECT_EQ(small->getOwnOKButton().getBounds(), KGraphicRectangle(70, 212, 80, 20));
    EXPECT_EQ(textOf(small->getLeftText().getText()), "Narrabo v3.1.3");
    small->openAbout(true);
    EXPECT_EQ(small->getBounds().getSize(), KGraphicSize(224, 242));
    small->setPosition(KGraphicPoint(73, 79));
    click(small->getOwnOKButton());
    EXPECT_FALSE(small->isOpen());
    // Without its button the box ends above where the button would be.
    small->openAbout(false);
    EXPECT_EQ(small->getBounds(), KGraphicRectangle(73, 79, 224, 202));
    EXPECT_FALSE(small->hasControl(small->getOwnOKButton()));
    small->close();
    small->openAbout(true);
    EXPECT_TRUE(small->hasControl(small->getOwnOKButton()));
    small->close();

    ZAboutDialogPtr large = new ZAboutDialog(kLargePicture);
    EXPECT_EQ(large->getOwnOKButton().getBounds(), KGraphicRectangle(210, 362, 80, 20));
    EXPECT_EQ(large->getLeftText().getBounds(), KGraphicRectangle(2, 304, 333, 48));
    EXPECT_EQ(large->getRightText(1).getBounds(), KGraphicRectangle(332, 304, 166, 48));
    EXPECT_EQ(large->getRightText(3).getBounds(), KGraphicRectangle(332, 328, 166, 48));

    // A missing picture leaves the least layout and nothing to draw.
    ZAboutDialogPtr bare = new ZAboutDialog(1);
    EXPECT_FALSE(bare->getPicture().hasBitmap());
    EXPECT_EQ(bare->getLayoutSize(), KGraphicSize(220, 150));
}

TEST_F(AboutBoxes, TheBannerSweepsToAndFroWhileTheBoxIsOpenAndNoLonger)
{
    LumoAboutDialogPtr about = new OpenedHidden<LumoAboutDialog>;
    EXPECT_FALSE(about->getKindFlags() & KWindow::CaptionKind);
    EXPECT_EQ(about->getBanner().getSize(), KGraphicSize(1200, 113));
    KTimerPtr timer = &about->getBannerTimer();
    EXPECT_TRUE(timer->isRunning());
    // Closed, the strip stands still.
    about->doTimer(*timer);
    EXPECT_EQ(about->getBannerOffset(), 0);
    about->openAbout(true);
    std::vector<short> offsets;
    for (int i = 0; i < 1602; ++i) {
        about->doTimer(*timer);
        offsets.push_back(about->getBannerOffset());
    }
    // Out to 800 once, back to 0 twice in a row.
    EXPECT_EQ((std::vector<short>{offsets[0], offsets[798], offsets[799], offsets[800], offsets[1598], offsets[1599],
                                  offsets[1600], offsets[1601]}),
              (std::vector<short>{1, 799, 800, 799, 1, 0, 0, 1}));
    EXPECT_EQ(std::count(offsets.begin(), offsets.end(), 800), 1);

    // The running timer does not keep a box that is gone.
    about->close();
    about.reset();
    EXPECT_FALSE(timer->isRunning());
}

} // namespace
