// The project document: a story saved and loaded with its page size and "Media" folder,
// documents that are newer or no projects at all, and the project's own block.
#include "foundation/KVariable.h"
#include "story/LumoImage.h"
#include "story/LumoPause.h"
#include "story/LumoProject.h"
#include "story/TapeMediaFile.h"
#include "tests/story/ActorStageSupport.h"
#include "tests/story/PlaybackTestSupport.h"
#include "tests/support/ReportCatcher.h"

namespace {

using Projects = PlaybackTest;

TEST_F(Projects, ASavedProjectLoadsWithItsStoryPageAndMediaFolder)
{
    StageScope scope;
    StoryPage page;
    scope.stage().show(*TapePtr(new Tape), *page.layer);
    LumoProjectPtr project(new LumoProject);
    LumoPausePtr pause(new LumoPause);
    pause->setDuration(1234);
    project->getTape().add(*pause);
    project->getTape().setPageWidth(1024);
    project->getTape().setPageHeight(700);
    EXPECT_TRUE(project->save(fileIn("Tale.TPD")));
    const Bytes file = readBytes(m_folder.file("Tale.TPD"));
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), ByteList().text("LMDF").longs({3}).bytes());

    LumoProjectPtr loaded(new LumoProject);
    EXPECT_TRUE(loaded->load(fileIn("Tale.TPD")));
    Tape& story = loaded->getTape();
    EXPECT_EQ(static_cast<LumoPause&>(story.getObjectAt(0)).getDuration(), 1234);
    EXPECT_EQ(&story.getObjectAt(0).getTape(), &story);
    EXPECT_EQ(story.getPageSize(), KGraphicSize(1024, 700));
    EXPECT_TRUE(story.isFlagSet(Tape::MarkFlag1));
    EXPECT_EQ(&story.getProject(), loaded.get());
    EXPECT_EQ(&story.getSpriteSystem(), page.layer.get());
    EXPECT_EQ(loaded->getFileReference(), fileIn("Tale.TPD"));
    EXPECT_EQ(loaded->getDocumentFolder().getPath(), folderIn());
    EXPECT_EQ(loaded->getMediaDirectory().getPath(), folderIn("Media"));
    EXPECT_TRUE(KDirectory(folderIn("Media")).exists());
    story.resetSpriteSystem();
    EXPECT_FALSE(loaded->load(fileIn("Gone.TPD")));
    EXPECT_EQ(&loaded->getTape(), &story);
    // The project's own block holds its tape.
    LumoProjectPtr copy(new LumoProject);
    EXPECT_EQ(m_blocks.roundTrip(*loaded, *copy), 0);
    EXPECT_EQ(copy->getTape().getCount(), 1);
}

TEST_F(Projects, ThePageSizeIsCutTo16BitsAndWithoutItIsANewDocumentsAndNewerVersionsLoad)
{
    StoryApplicationScope application;
    TapePtr tape(new Tape);
    KVariablePtr wide(new KVariable(70000L));
    writeDocument("Wide.TPD", LumoProject::kDocumentType, 4, {{"Tape", tape.get()}, {"DocumentW", wide.get()}});
    application->setNewDocumentSize(900, 500);
    LumoProjectPtr project(new LumoProject);
    EXPECT_EQ(messagesOfLoading(*project, "Wide.TPD", true),
              std::vector<std::string>{"Load Project: It seams that this project is of a newer version; some data was ignored"});
    EXPECT_EQ(project->getTape().getPageSize(), KGraphicSize(4464, 500));
}

TEST_F(Projects, AFileThatIsNoProjectFailsWithAMessageAndLeavesTheProjectAsItWas)
{
    StoryApplicationScope application;
    TapePtr tape(new Tape);
    KVariablePtr number(new KVariable(5L));
    writeDocument("Good.TPD", LumoProject::kDocumentType, 3, {{"Tape", tape.get()}});
    writeDocument("Empty.TPD", LumoProject::kDocumentType, 3, {{"DocumentW", number.get()}});
    writeDocument("Odd.TPD", LumoProject::kDocumentType, 3, {{"Tape", number.get()}});
    writeBytes(m_folder.file("Notes.txt"), ByteList().text("Dear diary").bytes());
    LumoProjectPtr project(new LumoProject);
    ASSERT_TRUE(project->load(fileIn("Good.TPD")));
    Tape& story = project->getTape();
    KDirectory(folderIn("Media")).remove();
    // Not a document, a document without a tape, one whose "Tape" is something else.
    for (const char* name : {"Notes.txt", "Empty.TPD", "Odd.TPD"}) {
        EXPECT_EQ(messagesOfLoading(*project, name, false),
                  std::vector<std::string>{"Error while reading file: This file is not a Narrabo Document File!"});
        EXPECT_EQ(project->getFileReference(), fileIn("Good.TPD"));
        EXPECT_EQ(&project->getTape(), &story);
        EXPECT_FALSE(KDirectory(folderIn("Media")).exists()) << name;
    }
    LumoProjectPtr fresh(new LumoProject);
    messagesOfLoading(*fresh, "Notes.txt", false);
    EXPECT_FALSE(fresh->hasFileReference() || fresh->hasMediaDirectory());
}

TEST_F(Projects, GivingUpTheMediaSearchStillLoadsTheProject)
{
    StoryApplicationScope application;
    MissingFileAnswers answers(TapeMediaFile::IgnoreAll);
    TapePtr tape(new Tape);
    for (const char* name : {"C:\\Nowhere\\A.bmp", "C:\\Nowhere\\B.bmp"}) {
        LumoImagePtr image(new LumoImage);
        image->setFileReference(KFileReference(windowsPath(name)));
        tape->add(*image);
    }
    writeDocument("Lost.TPD", LumoProject::kDocumentType, 3, {{"Tape", tape.get()}});
    LumoProjectPtr project(new LumoProject);
    EXPECT_TRUE(project->load(fileIn("Lost.TPD")));
    EXPECT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(project->getTape().getCount(), 2);
}

} // namespace
