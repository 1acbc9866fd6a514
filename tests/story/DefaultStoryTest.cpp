// The default story that comes with the player, read from the project's resources as the
// player reads it: every kind of object the engine plays, on pages of their own, with all
// its media there; played to its end on the driven clock, its readings highlight every
// word in turn, its wait is answered by a click, and nothing is reported on the way.
#include "multimedia/KSoundHiliteMedia.h"
#include "story/Actor.h"
#include "story/LumoProject.h"
#include "story/LumoText.h"
#include "story/TapeMediaFile.h"
#include "story/WaitObject.h"
#include "tests/story/StoryMediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

std::string storyPath(const std::string& Name)
{
    std::string path = std::string("Z:") + K_SOURCE_DIR + "/resources/story/" + Name;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The milliseconds of sound a RIFF WAVE file holds: its data over its byte rate.
long waveLength(const KFileReference& File)
{
    const Bytes b = readBytes(File.getNativePath().getText());
    const auto at = [&](size_t I) { return long(b[I]) | long(b[I + 1]) << 8 | long(b[I + 2]) << 16 | long(b[I + 3]) << 24; };
    long byteRate = 0;
    for (size_t chunk = 12; chunk + 8 <= b.size(); chunk += 8 + size_t(at(chunk + 4))) {
        const std::string id(b.begin() + long(chunk), b.begin() + long(chunk) + 4);
        if (id == "fmt ")
            byteRate = at(chunk + 16);
        else if (id == "data" && byteRate > 0)
            return at(chunk + 4) * 1000 / byteRate;
    }
    return 0;
}

class DefaultStory : public StoryMediaTest {
protected:
    // A pass of the media manager on the driven clock: a sound is done once its file's
    // length has passed since it began (the device itself would follow the wall clock);
    // the test movie engine follows the driven clock already.
    void serveMedia()
    {
        std::map<KAbstractMedia*, Playing> playing;
        // Stopping a sound takes it off the manager's list: the pass walks a copy.
        const KBag& list = KMediaManager::getMediaManager().getMedia();
        std::vector<KAbstractMediaPtr> media;
        for (long i = 0; i < list.getCount(); ++i)
            media.emplace_back(&static_cast<KAbstractMedia&>(list[i]));
        for (KAbstractMediaPtr& medium : media) {
            if (!medium->isPlaying())
                continue;
            medium->service();
            const auto known = m_playing.find(medium.get());
            const Playing p = known != m_playing.end() ? known->second : Playing{knsGetTicks(), lengthOf(*medium)};
            if (p.length >= 0 ? long(knsGetTicks() - p.began) >= p.length : medium->isDonePlaying())
                medium->stop();
            else
                playing.emplace(medium.get(), p);
        }
        m_playing.swap(playing);
    }
    // What a sound plays for; -1 for the other media.
    static long lengthOf(KAbstractMedia& Medium)
    {
        if (auto* reading = dynamic_cast<KSoundHiliteMedia*>(&Medium))
            return waveLength(reading->getSoundFile());
        if (auto* sound = dynamic_cast<KSound*>(&Medium))
            return waveLength(sound->getFileReference());
        return -1;
    }

    struct Playing {
        uint32 began;
        long length;
    };
    std::map<KAbstractMedia*, Playing> m_playing;
};

TEST_F(DefaultStory, HoldsEveryKindOnItsPagesAndPlaysToItsEndHighlightingEveryWord)
{
    MediaStage stage(800, 600);
    stage.open(KMediaManager::SoundSupport | KMediaManager::MovieSupport);
    MovieScope::registerMovieTypes();
    stage.stream.addMovie("Reflection.avi", TestMovie{30, 3000, 200, 80});
    ReportCatcher catcher;
    static int missing = 0;
    TapeMediaFile::setMissingFileQuestion([](const KFileReference&, KFileReference&) {
        ++missing;
        return uint8(TapeMediaFile::Ignore);
    });

    LumoProjectPtr project(new LumoProject);
    ASSERT_TRUE(project->load(fileReference(storyPath("data.TPD"))));
    TapeMediaFile::setMissingFileQuestion(nullptr);
    stage.application().setProject(*project);
    Tape& story = project->getTape();
    bool searchMedia = true;
    story.loadCastFromProject(searchMedia);
    stage.scope.stage().show(story, *stage.page.layer);
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(story.getPageSize(), KGraphicSize(800, 600));
    EXPECT_FALSE(story.isFlagSet(Tape::LoopFlag));
    ASSERT_TRUE(story.hasActor(KString("Fox")));
    // Speech synthesis has no voice where the player is tested: a spoken sentence would
    // only bring up the alert, so the story reads with recordings alone.
    std::set<int> kinds;
    long pages = 0;
    std::map<const LumoText*, long> wordsOf;
    for (long i = 0; i < story.getCount(); ++i) {
        const TapeObject& object = story.getObjectAt(i);
        kinds.insert(object.getKind());
        pages += object.getKind() == TapeObject::PageTransitionKind;
        if (const auto* text = dynamic_cast<const LumoText*>(&object); text && text->readsWithSound())
            wordsOf[text] = text->getSoundHighlightMedia().getMarkers().getCount();
    }
    EXPECT_EQ(kinds, (std::set<int>{1, 2, 3, 5, 6, 7, 9, 10, 11, 12}));
    EXPECT_GE(pages, 3);
    ASSERT_GE(wordsOf.size(), 1u);
    // Played: each reading's highlight moves through all its words, in order.
    std::map<const LumoText*, std::vector<long>> heard;
    bool clicked = false;
    story.start(0);
    for (long ms = 0; ms < 120000 && story.getPlayState() == Tape::Playing; ++ms) {
        m_clock.advance(1);
        timers().fire();
        serveMedia();
        if (!story.hasRunningObject())
            continue;
        TapeObject& running = story.getRunningObject();
        if (const auto* text = dynamic_cast<const LumoText*>(&running); text && text->hasTextObject()) {
            const long start = text->getTextObject().getHighlightStart();
            std::vector<long>& words = heard[text];
            if (start >= 0 && (words.empty() || words.back() != start))
                words.push_back(start);
        }
        auto* wait = dynamic_cast<WaitObject*>(&running);
        if (wait && wait->getWaitState() == WaitObject::WaitingForUser && !clicked) {
            clicked = true;
            story.mouseDown(*KMouseEventPtr(new KMouseEvent));
            story.mouseUp(*KMouseEventPtr(new KMouseEvent));
        }
    }
    EXPECT_EQ(story.getPlayState(), Tape::Stopped);
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(noted(stage.journal(), "stop story"));
    EXPECT_TRUE(noted(stage.journal(), "show 1"));
    for (const auto& [text, count] : wordsOf) {
        const std::vector<long>& words = heard[text];
        EXPECT_EQ(long(words.size()), count) << text->getSpokenText().getText();
        EXPECT_TRUE(std::is_sorted(words.begin(), words.end()));
    }
    EXPECT_TRUE(catcher.reports().empty()) << catcher.reports().front().context;
    EXPECT_TRUE(catcher.boxes().empty()) << catcher.boxes().front().text;
    story.clearCast();
    story.clear();
    stage.application().resetProject();
}

// Byte 300 is the last of the ID of the tape's one section, which holds its objects: hit,
// the story must be refused as damaged rather than open as an empty one.
TEST_F(DefaultStory, OneByteHitInTheIDOfItsObjectsSectionIsRefusedAsAReadingError)
{
    MediaStage stage(800, 600);
    stage.open(KMediaManager::SoundSupport | KMediaManager::MovieSupport);
    TapeMediaFile::setMissingFileQuestion([](const KFileReference&, KFileReference&) { return uint8(TapeMediaFile::Ignore); });
    Bytes story = readBytes(storyPath("data.TPD"));
    ASSERT_EQ(story.at(300), 0x01);
    writeBytes(m_folder.file("Intact.TPD"), story);
    LumoProjectPtr project(new LumoProject);
    ASSERT_TRUE(project->load(fileIn("Intact.TPD")));
    TapePtr intact(project->getTape());
    EXPECT_EQ(intact->getCount(), 27);
    for (uint8 hit : {0xFE, 0x02}) {
        story[300] = hit;
        writeBytes(m_folder.file("Hit.TPD"), story);
        EXPECT_EQ(messagesOfLoading(*project, "Hit.TPD", false),
                  std::vector<std::string>{"Error while reading file: This file is not a Narrabo Document File!"})
            << int(hit);
        EXPECT_EQ(&project->getTape(), intact.get());
    }
    TapeMediaFile::setMissingFileQuestion(nullptr);
    intact->clear();
}

} // namespace
