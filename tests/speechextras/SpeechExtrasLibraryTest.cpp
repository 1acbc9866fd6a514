// The speech extras library object: its classes, its texts in four languages, the "SHI"
// file type it registers and describes, and the exceptions handler it holds while any
// library lives.
#include "foundation/KFileTypeHandler.h"
#include "tests/speechextras/SpeechExtrasTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string bytesOf(const KString& S) { return std::string(S.getText(), S.getLength()); }

// From the first speech-extras class on, as many records as Count: name, parent, how
// many records have the name, and the ID when it is one that files hold.
std::vector<std::string> registeredClasses(size_t Count)
{
    std::vector<std::string> found;
    for (const KClass* record = KClass::findClass("KExtendedSpeech"); record && found.size() < Count;
         record = record->getNext()) {
        int count = 0;
        for (const KClass* r = KClass::getFirst(); r; r = r->getNext())
            count += std::string(r->getName()) == record->getName();
        char id[16] = "";
        if (std::string(record->getName()).find("KSoundHiliteM") == 0 || record == KSpeechException::getClassRecord())
            std::snprintf(id, sizeof id, " %08lX", static_cast<unsigned long>(record->getClassID()));
        found.push_back(std::string(record->getName()) + ":" + record->getParent()->getName() + " x"
                        + std::to_string(count) + id);
    }
    return found;
}

TEST(SpeechExtrasLibrary, RegistersItsClassesOnceInOrder)
{
    std::vector<std::string> expected = {
        "KExtendedSpeech:KSpeech x1",           "KSpeechException:KString x1 237E0000",
        "KSpeechExceptionHandler:KString x1",   "KSpeechExceptionsDialog:KDialog x1",
        "KSpeechExceptionAddDialog:KDialog x1", "KSoundHiliteEditorDialog:KDialog x1",
        "KSoundHiliteMarker:KThing x1 A6575000",
        "KSoundHiliteMedia:KAbstractMedia x1 3D90F000", "KSpeechExtrasLibrary:KThing x1"};
    EXPECT_EQ(registeredClasses(expected.size()), expected);
    // Again, and through a library: nothing more.
    ExtrasScope scope;
    KSpeechExtrasLibrary::registerClasses();
    KSpeechExtrasLibrary::create();
    EXPECT_EQ(registeredClasses(expected.size()), expected);
}

std::string soundHighlightType()
{
    const KFileType& type = KFileTypeHandler::getAssociationByExtension(KString("SHI"));
    KString description;
    type.getDescription(description);
    return std::string(type.getType().getText()) + " " + type.getCreator().getText() + " " + bytesOf(description);
}

TEST(SpeechExtrasLibrary, SpeaksFourLanguagesAndHoldsTheHandlerWhileItLives)
{
    ExtrasScope scope;
    ASSERT_TRUE(ExtrasScope::save({{"USA", "United States Of America"}, {"Dr", "Doctor"}}));
    KSpeechExtrasLibrary::create();
    EXPECT_EQ(soundHighlightType(), "SHIF ???? Sound Highlight Information File");

    // A language the localiser does not hold keeps the one before; a key without a text
    // reads as itself.
    KSpeechExtrasLibrary& library = KSpeechExtrasLibrary::getLibrary();
    const std::string cases[][3] = {
        {"Fran\xE7" "ais", "Select...", "S\xE9lection..."},
        {"Klingon", "Delete", "Effacer"},
        {"Klingon", "Voice:", "Voice:"},
        {"English", "Select...", "Select..."},
    };
    for (auto& c : cases) {
        library.setLanguage(KString(c[0].c_str()));
        EXPECT_EQ(bytesOf(library.getLocalizer().getText(KString(c[1].c_str()))), c[2]) << c[0] << " " << c[1];
    }
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

TEST(SpeechExtrasLibrary, KeepsAHandlerWhileAnyLibraryLivesWhateverTheOrder)
{
    ExtrasScope scope;
    ASSERT_TRUE(ExtrasScope::save({{"Dr", "Doctor"}}));
    // The new library's handler outlives the old library it replaces.
    KSpeechExtrasLibrary::create();
    KSpeechExtrasLibrary::create();
    ASSERT_TRUE(KSpeechExceptionHandler::hasInstance());
    EXPECT_EQ(KSpeechExceptionHandler::getInstance().getExceptionCount(), 1);

    // A library held elsewhere keeps it past the release of the global one, and the
    // last library to go takes it along.
    KSpeechExtrasLibraryPtr held(&KSpeechExtrasLibrary::getLibrary());
    KSpeechExtrasLibrary::create();
    KSpeechExtrasLibrary::release();
    EXPECT_TRUE(KSpeechExceptionHandler::hasInstance());
    KSpeechExtrasLibrary::create();
    held.reset();
    EXPECT_TRUE(KSpeechExceptionHandler::hasInstance());
    KSpeechExtrasLibrary::release();
    EXPECT_FALSE(KSpeechExceptionHandler::hasInstance());
}

} // namespace
