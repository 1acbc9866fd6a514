// Damaged documents that once ended the program, kept as the smallest files that showed
// each fault, and damaged old documents the robustness runner made ("runner-input-N" is
// its input N, from "--make=N --reader=olddocument"), in tests/story/fixtures/damaged, one
// folder per reader; the runner opens them too. Each is refused with nothing reported and
// what was open kept, or, where the damage leaves a readable document, read without a
// report.
#include "story/Actor.h"
#include "story/LumoPause.h"
#include "story/LumoProject.h"
#include "tests/story/StoryMediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <algorithm>
#include <filesystem>

namespace {

// The kept files of a reader, each copied into the test's folder under its own name. A
// reader without any would make its part of the test check nothing: that fails.
std::vector<std::string> keptFiles(const std::string& Reader)
{
    std::vector<std::string> names;
    std::error_code failed;
    for (const auto& entry : std::filesystem::directory_iterator(K_SOURCE_DIR "/tests/story/fixtures/damaged/" + Reader, failed))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_FALSE(failed) << "no folder of kept " << Reader << " files: " << failed.message();
    EXPECT_FALSE(names.empty()) << "no kept " << Reader << " files";
    return names;
}

class DamagedDocuments : public StoryMediaTest {
protected:
    // The kept file's bytes under Name in the test's folder.
    KFileReference copyOf(const std::string& Reader, const std::string& Name, const std::string& As = "")
    {
        const std::string target = m_folder.file(As.empty() ? Name : As);
        writeBytes(target, readBytes(K_SOURCE_DIR "/tests/story/fixtures/damaged/" + Reader + "/" + Name));
        return KFileReference(windowsPath(target));
    }
};

TEST_F(DamagedDocuments, KeptProjectsAndActorFilesAreRefusedOrReadWithoutAReport)
{
    // The media supports the program opens, which the stories' objects use when made.
    MediaStage stage;
    stage.open(KMediaManager::SoundSupport | KMediaManager::SpeechSupport | KMediaManager::MovieSupport);
    KFileTypeHandler::makeAssociation(KString("LMT"), KString("LUMP"), KString("LTAP"), KString("Narrabo Document"));
    for (const char* reader : {"project", "olddocument"}) {
        for (const std::string& name : keptFiles(reader)) {
            TapePtr open(new Tape);
            open->add(*LumoPausePtr(new LumoPause));
            LumoProjectPtr project(new LumoProject);
            project->setTape(*open);
            ReportCatcher catcher;
            const bool loaded = project->load(copyOf(reader, name, reader == std::string("project") ? "Story.TPD" : "Story.LMT"));
            EXPECT_EQ(catcher.codes(), std::vector<int>{}) << name;
            if (!loaded) {
                EXPECT_EQ(&project->getTape(), open.get()) << name;
            }
        }
    }
    for (const std::string& name : keptFiles("actor")) {
        ActorPtr actor(new Actor);
        actor->setName(KString("Fox"));
        KDirectory media(windowsPath(m_folder.path() + "\\Media\\"));
        bool searchMedia = false;
        ReportCatcher catcher;
        if (!actor->load(copyOf("actor", name, "Fox.ACT"), media, searchMedia)) {
            EXPECT_EQ(text(actor->getName()), "Fox") << name;
        }
        EXPECT_EQ(catcher.codes(), std::vector<int>{}) << name;
    }
}

} // namespace
