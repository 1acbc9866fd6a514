// The exception entry dialog: the forms it is given and gives back, the blank it refuses
// in the written form, and the trial of the spoken form through the speech layer, with
// the test engine's voices and with none.
#include "foundation/KVariable.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/KSpeechSupport.h"
#include "multimedia/soundengine/KSoundSupport.h"
#include "multimedia/speech/Sapi5EngineWin32.h"
#include "tests/multimedia/SpeechTestEngine.h"
#include "tests/speechextras/SpeechExtrasTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <sapi.h>

namespace {

using Texts = std::vector<std::string>;

// Runs an entry dialog on the two forms with one step; the forms it then holds and its
// result.
Texts runEntry(const char* Word, const char* Exception, ModalScript::Action Step)
{
    KDialogPtr dialog = new OpenedHidden<KSpeechExceptionAddDialog>;
    KVariablePtr word = new KVariable(KString(Word));
    KVariablePtr exception = new KVariable(KString(Exception));
    dialog->addNamedObject(*word, KString(KSpeechExceptionAddDialog::kWord));
    dialog->addNamedObject(*exception, KString(KSpeechExceptionAddDialog::kException));
    ModalScript script({std::move(Step)});
    const uint8 result = dialog->runModal(KWindow::OpenShown);
    return {textOf(word->getString()), textOf(exception->getString()), std::to_string(result)};
}

KSpeechExceptionAddDialog& entryOf(KDialog& D) { return static_cast<KSpeechExceptionAddDialog&>(D); }

void type(KDialog& D, const char* Written, const char* Spoken)
{
    entryOf(D).getWrittenField().setText(KString(Written));
    entryOf(D).getSpokenField().setText(KString(Spoken));
}

TEST(SpeechExceptionAddDialog, RefusesOnlyTheBlankInTheWrittenForm)
{
    ExtrasScope scope;
    KSpeechExtrasLibrary::create();
    const std::string voice = textOf(KSpeechExceptionAddDialog::getRememberedVoice());
    ReportCatcher catcher;
    EXPECT_EQ(runEntry("USA", "United States Of America",
                       [&](KDialog& D) {
                           KSpeechExceptionAddDialog& entry = entryOf(D);
                           EXPECT_EQ(textOf(entry.getWrittenField().getText()), "USA");
                           EXPECT_EQ(textOf(entry.getSpokenField().getText()), "United States Of America");
                           type(D, "United States", "United States");
                           click(D.getOKButton());
                           ASSERT_EQ(catcher.boxes().size(), 1u);
                           EXPECT_EQ(catcher.boxes()[0].caption, "No blanks allowed!");
                           EXPECT_EQ(catcher.boxes()[0].text, "Spaces are not allowed in the \"Written As:\" field, "
                                                              "please remove any spaces before trying again.");
                           EXPECT_TRUE(D.isOpen());
                           type(D, "U\tS", "two words");
                           click(D.getOKButton());
                       }),
              (Texts{"U\tS", "two words", "1"}));
    EXPECT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(runEntry("USA", "x", [](KDialog& D) {
                  type(D, "", "nothing");
                  click(D.getOKButton());
              }),
              (Texts{"", "nothing", "1"}));
    EXPECT_EQ(runEntry("a", "b", [](KDialog& D) {
                  type(D, "c", "d");
                  click(D.getCancelButton());
              }),
              (Texts{"a", "b", "2"}));

    // Without speech the trial cannot be had, and the voice list says why.
    runEntry("", "", [](KDialog& D) {
        KSpeechExceptionAddDialog& entry = entryOf(D);
        EXPECT_FALSE(entry.getTestButton().isEnabled());
        EXPECT_FALSE(entry.getVoiceList().isEnabled());
        EXPECT_EQ(textOf(entry.getVoiceList().getSelectedItem()), "No Speech Synthesis is installed!");
        click(D.getOKButton());
    });
    EXPECT_EQ(textOf(KSpeechExceptionAddDialog::getRememberedVoice()), voice);
}

// Speech over the test engine's two voices; the engine comes first and goes last.
class VoicedScope {
public:
    VoicedScope()
    {
        KSpeechSupport::createSpeechSupport();
        KSoundSupport::create();
        KMediaManager::createMediaManager();
        engine.addVoice("Zira");
        engine.addVoice("Anna");
        KMediaManager::initMediaSupport(KMediaManager::SpeechSupport);
    }
    ~VoicedScope()
    {
        KMediaManager::releaseMediaManager();
        KSoundSupport::release();
        // The SAPI 5 layer keeps the voices it listed until a listing without them.
        for (ISpObjectToken* token : engine.tokens)
            token->Release();
        engine.tokens.clear();
        engine.voices.clear();
        KBag none;
        kssSapi5ListVoices(none);
        KSpeechSupport::releaseSpeechSupport();
    }

    TestSpeechEngine engine;
    ExtrasScope extras;
};

TEST(SpeechExceptionAddDialog, SpeaksTheSpokenFormAsTypedWithTheVoiceLastTried)
{
    VoicedScope scope;
    ASSERT_TRUE(ExtrasScope::save({{"Dr", "Doctor"}}));
    KSpeechExtrasLibrary::create();
    const std::string preferred = textOf(KSpeechSupport::getSpeechSupport().getDefaultVoice());
    const std::string other = preferred == "Anna" ? "Zira" : "Anna";
    auto spoken = [&] { return scope.engine.callsStartingWith("Speak "); };

    runEntry("Dr", "Dr", [&](KDialog& D) {
        KLabelPopUpListControl& voices = entryOf(D).getVoiceList();
        EXPECT_EQ(voices.getItemCount(), 2);
        EXPECT_EQ(textOf(voices.getSelectedItem()), preferred);
        voices.selectItemText(KString(other.c_str()));
        click(entryOf(D).getTestButton());
        // Exceptions are not applied to the trial.
        ASSERT_EQ(spoken().size(), 1u);
        EXPECT_EQ(spoken()[0].substr(spoken()[0].size() - 3), " Dr");
        EXPECT_TRUE(scope.engine.called("SetVoice " + other));
        // An empty spoken form stops the trial and says nothing.
        const size_t purges = scope.engine.callsStartingWith("Purge ").size();
        type(D, "Dr", "");
        click(entryOf(D).getTestButton());
        EXPECT_EQ(spoken().size(), 1u);
        EXPECT_EQ(scope.engine.callsStartingWith("Purge ").size(), purges + 1);
        click(D.getCancelButton());
    });
    EXPECT_EQ(textOf(KSpeechExceptionAddDialog::getRememberedVoice()), other);

    // A voice chosen and left by Cancel is not remembered; one confirmed by OK is.
    for (const char* button : {"Cancel", "OK"}) {
        runEntry("Dr", "Doctor", [&](KDialog& D) {
            KLabelPopUpListControl& voices = entryOf(D).getVoiceList();
            EXPECT_EQ(textOf(voices.getSelectedItem()), other) << button;
            voices.selectItemText(KString(preferred.c_str()));
            click(std::string(button) == "OK" ? D.getOKButton() : D.getCancelButton());
        });
    }
    EXPECT_EQ(textOf(KSpeechExceptionAddDialog::getRememberedVoice()), preferred);
}

} // namespace
