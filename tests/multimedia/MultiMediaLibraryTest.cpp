// The multimedia library object: its one list of classes, the supports, file types and
// texts it brings up, and what it takes down and leaves behind when it goes.
#include "foundation/KFileTypeHandler.h"
#include "multimedia/KAbstractMedia.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/KMovieSupport.h"
#include "multimedia/KMultiMediaLibrary.h"
#include "multimedia/KSpeechSupport.h"
#include "multimedia/recording/KSoundRecorder.h"
#include "multimedia/recording/RecordingTexts.h"
#include "multimedia/soundengine/KSoundSupport.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string bytesOf(const KString& S) { return std::string(S.getText(), S.getLength()); }

std::vector<std::string> classNames()
{
    std::vector<std::string> names;
    for (const KClass* record = KClass::getFirst(); record; record = record->getNext())
        names.push_back(record->getName());
    return names;
}

long supportCount()
{
    return KSoundSupport::exists() + KSoundRecorder::exists() + KSpeechSupport::hasSpeechSupport()
        + KMovieSupport::hasMovieSupport() + KMediaManager::hasMediaManager();
}

std::string typeOf(const char* Extension)
{
    const KFileType& type = KFileTypeHandler::getAssociationByExtension(KString(Extension));
    KString description;
    type.getDescription(description);
    return std::string(type.getType().getText()) + " " + type.getCreator().getText() + " " + bytesOf(description);
}

// An application, whose file types start from the framework's alone, with the library.
struct LibraryScope {
    LibraryScope() { KMultiMediaLibrary::create(); }
    ~LibraryScope() { KMultiMediaLibrary::release(); }
    ApplicationScope<> application;
};

class EndlessMedium : public KAbstractMedia {
public:
    bool isDonePlaying() override { return false; }
};

TEST(MultiMediaLibrary, RegistersOnceAndBringsTheSupportsFileTypesAndTextsUp)
{
    const std::vector<std::string> names = classNames();
    const auto first = std::find(names.begin(), names.end(), "KAnimationController");
    ASSERT_LE(24, names.end() - first);
    EXPECT_EQ(std::vector<std::string>(first, first + 24),
              (std::vector<std::string>{"KAnimationController", "KAnimationObject", "KAnimationPoint",
                                        "KAnimationSystem", "KAnimationVector", "KBresenham", "KSprite", "KSpriteLayer",
                                        "KSpriteSystem", "KAbstractMedia", "KMediaFeedbackEvent", "KMediaManager",
                                        "KMovie", "KMovieCreation", "KMovieSupport", "KSound", "KSoundRecorder",
                                        "KSoundSupport", "KSpeech", "KSpeechSupport", "KLevelMeterControl",
                                        "KEditSoundNameDialog", "KSoundRecordDialog", "KMultiMediaLibrary"}));
    KMultiMediaLibrary::registerClasses();
    LibraryScope scope;
    EXPECT_EQ(classNames(), names);
    EXPECT_EQ(supportCount(), 5);
    EXPECT_EQ(KFileTypeHandler::getTypeList().getCount(), 15 + 13);
    // Extension; as registered, in English, in German.
    const char* const rows[][4] = {
        {"WAV", "WAVE TVOD WAVE Sound File", "WAVE TVOD WAVE Sound File", "WAVE TVOD WAVE Tondatei"},
        {"MP3", "MPG3 TVOD MP3 Audio File", "MPG3 TVOD MP3 Sound File", "MPG3 TVOD MP3 Tondatei"},
        {"MIDI", "MIDI TVOD Midi File", "MIDI TVOD MIDI Sound File", "MIDI TVOD MIDI Sound File"},
    };
    for (int column = 1; column <= 3; ++column) {
        if (column > 1)
            KMultiMediaLibrary::initFileTypeNames(KString(column == 2 ? "English" : "Deutsch"));
        for (auto& row : rows)
            EXPECT_EQ(typeOf(row[0]), row[column]);
    }
    // The recording dialogs' texts, empty ones included, follow the language.
    const std::string french = "Fran\xE7" "ais";
    const std::string texts[][3] = {
        {french, "Recorded Sound", ""},
        {french, "Mono, Phone Quality, 8KHz", "Mono, Qualit\xE9" "e T\xE9" "l\xE9" "phone, 8KHz"},
        {"Italiano", "Mono, Phone Quality, 8KHz", ""},
        {"Deutsch", "No Such Text", "No Such Text"},
    };
    for (auto& t : texts) {
        KMultiMediaLibrary::getLibrary().setLanguage(KString(t[0].c_str()));
        EXPECT_EQ(bytesOf(RecordingTexts::get(t[1].c_str())), t[2]) << t[0] << " " << t[1];
    }
}

TEST(MultiMediaLibrary, GoingUnloadsTheMediaAndReleasesTheSupportsButNotTheFileTypes)
{
    LibraryScope scope;
    KMediaManager::initMediaSupport(KMediaManager::AllSupports);
    KMultiMediaLibrary::getLibrary().setLanguage(KString("Deutsch"));
    KAbstractMediaPtr medium = new EndlessMedium;
    medium->load();
    medium->play();
    KMultiMediaLibrary::release();
    EXPECT_EQ(medium->getState(), KAbstractMedia::Unloaded);
    EXPECT_EQ(supportCount(), 0);
    EXPECT_EQ(bytesOf(RecordingTexts::get("Record")), "Record");
    EXPECT_EQ(typeOf("MP3"), "MPG3 TVOD MP3 Tondatei");
    ReportCatcher catcher;
    KMultiMediaLibrary::getLibrary();
    EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
}

} // namespace
