// The speech extras library object: its classes, its texts in four languages, the "SHI"
// file type it registers and describes, and the exceptions handler it holds.
#include "foundation/KFileTypeHandler.h"
#include "tests/speechextras/SpeechExtrasTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

std::string bytesOf(const KString& S) { return std::string(S.getText(), S.getLength()); }

std::vector<std::string> classesFrom(const char* First)
{
    std::vector<std::string> names;
    for (const KClass* record = KClass::findClass(First); record; record = record->getNext())
        names.push_back(std::string(record->getName()) + ":" + record->getParent()->getName());
    return names;
}

std::string soundHighlightType()
{
    const KFileType& type = KFileTypeHandler::getAssociationByExtension(KString("SHI"));
    KString description;
    type.getDescription(description);
    return std::string(type.getType().getText()) + " " + type.getCreator().getText() + " " + bytesOf(description);
}

TEST(SpeechExtrasLibrary, RegistersOnceSpeaksFourLanguagesAndHoldsTheHandlerWhileItLives)
{
    const std::vector<std::string> registered = classesFrom("KExtendedSpeech");
    EXPECT_EQ(registered, (std::vector<std::string>{"KExtendedSpeech:KSpeech", "KSpeechException:KString",
                                                    "KSpeechExceptionHandler:KString", "KSoundHiliteMarker:KThing",
                                                    "KSoundHiliteMedia:KAbstractMedia", "KSpeechExtrasLibrary:KThing"}));
    ExtrasScope scope;
    ASSERT_TRUE(ExtrasScope::save({{"USA", "United States Of America"}, {"Dr", "Doctor"}}));
    KSpeechExtrasLibrary::registerClasses();
    KSpeechExtrasLibrary::create();
    EXPECT_EQ(classesFrom("KExtendedSpeech"), registered);
    EXPECT_EQ(soundHighlightType(), "SHIF ???? Sound Highlight Information File");

    KSpeechExtrasLibrary& library = KSpeechExtrasLibrary::getLibrary();
    const std::string french = "Fran\xE7" "ais";
    const std::string cases[][3] = {
        {"Deutsch", "Written As:", "Geschrieben als:"},
        {french, "Select...", "S\xE9lection..."},
        {"Italiano", "Add Exception", "Aggiungi Eccezione"},
        {french, "Voice:", "Voice:"},
        {"Klingon", "Voice:", "Voice:"},
        {"Klingon", "Delete", "Effacer"},
        {"English", "Select...", "Select..."},
    };
    for (auto& c : cases) {
        library.setLanguage(KString(c[0].c_str()));
        EXPECT_EQ(bytesOf(library.getLocalizer().getText(KString(c[1].c_str()))), c[2]) << c[0] << " " << c[1];
    }
    EXPECT_EQ(library.getLocalizer().getKeyCount(), 43);
    for (const char* language : {"Deutsch", "Klingon"}) {
        library.setLanguage(KString(language));
        EXPECT_EQ(soundHighlightType(), "SHIF ???? Information Ton-Hervorhebungen");
    }
    library.setLanguage(KString("English"));
    EXPECT_EQ(soundHighlightType(), "SHIF ???? Sound Highlight Information File");

    // The handler it made has read the exceptions file; reading it again adds nothing.
    KSpeechExceptionHandler& handler = KSpeechExceptionHandler::getInstance();
    EXPECT_EQ(handler.getExceptionCount(), 2);
    handler.reload();
    EXPECT_EQ(handler.getExceptionCount(), 2);
    EXPECT_STREQ(handler.find(KString("USA"))->getSpokenForm().getText(), "United States Of America");

    library.setLanguage(KString("Deutsch"));
    KSpeechExtrasLibrary::release();
    EXPECT_FALSE(KSpeechExceptionHandler::hasInstance());
    EXPECT_EQ(soundHighlightType(), "SHIF ???? Information Ton-Hervorhebungen");
    {
        ReportCatcher catcher;
        KSpeechExtrasLibrary::getLibrary();
        EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
    }
    // A second library finds the type in place and reports nothing.
    KSpeechExtrasLibrary::create();
    EXPECT_EQ(soundHighlightType(), "SHIF ???? Information Ton-Hervorhebungen");
}

} // namespace
