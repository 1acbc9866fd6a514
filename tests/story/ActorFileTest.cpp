// Actors as the cast knows them: their movements and bounds, their class block and actor
// file, and the loading of a project's actor files into a tape's cast.
#include "story/Actor.h"
#include "story/ActorSequence.h"
#include "story/LumoProject.h"
#include "story/TapeGraphicObject.h"
#include "story/WipeOut.h"
#include "tests/story/ActorStageSupport.h"
#include "tests/support/ReportCatcher.h"

namespace {

// Adds to the actor's first movement a frame holding a graphic object with the bounds.
void addFrameWith(Actor& A, const KGraphicRectangle& Bounds)
{
    TapePtr frame(new Tape);
    TapeGraphicObjectPtr object(new TapeGraphicObject);
    object->setKind(TapeObject::StrokeKind);
    object->setBounds(Bounds);
    frame->add(*object);
    A.getMovementAt(0).addFrame(*frame);
}

using Actors = StoryTest;

TEST_F(Actors, ANewActorHasOneFrameOfItsOwnOnThePageOfTheCurrentProject)
{
    StoryApplicationScope application;
    LumoProjectPtr project(new LumoProject);
    project->getTape().setPageWidth(1024);
    application->setProject(*project);
    ActorPtr actor(new Actor);
    EXPECT_EQ(text(actor->getMovementAt(0).getName()), "Movement1");
    Tape& frame = actor->getMovementAt(0).getFrameAt(0);
    EXPECT_TRUE(frame.isFrameTape());
    EXPECT_EQ(&frame.getOwnerActor(), actor.get());
    EXPECT_EQ(frame.getPageSize(), KGraphicSize(1024, 600));
    application->resetProject();
}

TEST_F(Actors, TheActorFileKeepsMovementsBoundsAndPageAndNamesTheActor)
{
    ActorPtr actor(new Actor);
    addFrameWith(*actor, KGraphicRectangle(10, 20, 30, 40));
    ActorSequencePtr walk(new ActorSequence);
    walk->setName(KString("Walk"));
    walk->setPlayType(7);
    actor->getMovements().add(*walk);
    actor->setName(KString("Old name"));
    EXPECT_TRUE(actor->save(fileIn("Knight.ACT")));
    EXPECT_EQ(text(actor->getName()), "Knight");
    EXPECT_EQ(actor->getActorBounds(), KGraphicRectangle(10, 20, 30, 40));
    const Bytes file = readBytes(m_folder.file("Knight.ACT"));
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), ByteList().text("LMAC").longs({2}).bytes());
    // Loaded under another file name, the actor takes that name.
    writeBytes(m_folder.file("Squire.ACT"), file);
    ActorPtr back(new Actor);
    KDirectory media(folderIn());
    bool search = false;
    EXPECT_TRUE(back->load(fileIn("Squire.ACT"), media, search));
    EXPECT_EQ(text(back->getName()), "Squire");
    ASSERT_EQ(back->getMovements().getCount(), 2);
    EXPECT_EQ(back->getMovementAt(0).getFrames().getCount(), 2);
    EXPECT_EQ(text(back->getMovementAt(1).getName()), "Walk");
    EXPECT_EQ(back->getMovementAt(1).getPlayType(), 7);
    EXPECT_EQ(back->getActorBounds(), KGraphicRectangle(10, 20, 30, 40));
    EXPECT_EQ(&back->getMovementAt(0).getFrameAt(1).getOwnerActor(), back.get());
}

TEST_F(Actors, FilesThatAreNotActorDocumentsAreRefusedWithAMessage)
{
    ActorPtr actor(new Actor);
    KDirectory media(folderIn());
    bool search = false;
    {
        ReportCatcher catcher;
        EXPECT_FALSE(actor->load(fileIn("Missing.ACT"), media, search));
        EXPECT_TRUE(catcher.boxes().empty());
    }

    ActorPtr stored(new Actor);
    KStringPtr notAnActor(new KString("Knight"));
    // The entry name is compared exactly.
    writeDocument("Lower.ACT", Actor::kDocumentType, 2, {{"actor", stored.get()}});
    writeDocument("String.ACT", Actor::kDocumentType, 2, {{"Actor", notAnActor.get()}});
    for (const char* name : {"Lower.ACT", "String.ACT"}) {
        ReportCatcher catcher;
        EXPECT_FALSE(actor->load(fileIn(name), media, search)) << name;
        ASSERT_EQ(catcher.boxes().size(), 1u) << name;
        EXPECT_EQ(catcher.boxes()[0].caption, "Error while reading file");
        EXPECT_EQ(catcher.boxes()[0].text, "This file is not an Actor Document File!");
    }
}

TEST_F(Actors, TheCastTakesTheActorFilesOfTheProjectMediaFolder)
{
    StoryApplicationScope application;
    const std::string mediaPath = m_folder.file("Media");
    KDirectory(folderIn("Media")).create();
    for (const char* name : {"Hero.ACT", "Dragon.act"}) {
        ActorPtr actor(new Actor);
        addFrameWith(*actor, KGraphicRectangle(0, 0, 5, 5));
        actor->show();
        EXPECT_TRUE(actor->save(KFileReference(windowsPath(mediaPath + "\\" + name))));
    }
    writeBytes(mediaPath + "\\notes.txt", Bytes{'h', 'i'});
    writeBytes(mediaPath + "\\Fake.ACT", Bytes{'n', 'o'});

    LumoProjectPtr project(new LumoProject);
    project->setDocumentFile(fileIn("Story.TPD"));
    TapePtr tape(new Tape);
    tape->setProject(*project);
    KDirectory media = project->getMediaDirectory();
    bool search = false;
    {
        ReportCatcher catcher;
        tape->loadCast(media, search);
        // The damaged actor file is refused with the message, the others are loaded.
        EXPECT_EQ(catcher.boxes().size(), 1u);
    }
    EXPECT_EQ(tape->getCast().getCount(), 2);
    ASSERT_TRUE(tape->hasActor(KString("Dragon")));
    EXPECT_FALSE(tape->isActorVisible(KString("Hero")));
    EXPECT_EQ(tape->getActor(KString("Hero")).getActorBounds(), KGraphicRectangle(0, 0, 5, 5));
    // Actors already in the cast are not loaded again; the application's current project
    // serves a tape of none.
    ActorPtr hero(&tape->getActor(KString("Hero")));
    application->setProject(*project);
    TapePtr other(new Tape);
    {
        ReportCatcher catcher;
        tape->loadCastFromProject(search);
        other->loadCastFromProject(search);
    }
    EXPECT_EQ(&tape->getActor(KString("Hero")), hero.get());
    EXPECT_EQ(other->getCast().getCount(), 2);
    application->resetProject();
}

TEST_F(Actors, TheBlockTakesTheDocumentSizeFromSectionTwoAndSkipsOthers)
{
    ActorPtr actor(new Actor);
    addFrameWith(*actor, KGraphicRectangle(1, 2, 3, 4));
    const Bytes bytes = m_blocks.written(*actor);
    const long id = KClass::findClass("Actor")->getClassID();
    // The sections' length: section 1, then section 2 of 16 bytes.
    const long size = long(bytes.size()) - 16;
    const Bytes sectionOne(bytes.begin() + 16, bytes.end() - 16);
    // Section 2 gives the frames their page; a third section is passed over.
    ActorPtr back(new Actor);
    const Bytes three = ByteList().longs({id, 1, size + 12, 3}).append(sectionOne).longs({2, 16, 1024, 768, 3, 12, 99});
    ASSERT_EQ(m_blocks.read(*back, three), 0);
    EXPECT_EQ(back->getDocumentWidth(), 1024);
    EXPECT_EQ(back->getMovementAt(0).getFrameAt(1).getPageSize(), KGraphicSize(1024, 768));
    EXPECT_EQ(back->getActorBounds(), KGraphicRectangle(1, 2, 3, 4));
    // Without section 2 the page is 640 × 480.
    ASSERT_EQ(m_blocks.read(*back, ByteList().longs({id, 1, size - 16, 1}).append(sectionOne)), 0);
    EXPECT_EQ(back->getDocumentWidth(), 640);
    EXPECT_EQ(back->getDocumentHeight(), 480);
    EXPECT_EQ(back->getMovementAt(0).getFrameAt(1).getPageSize(), KGraphicSize(640, 480));
}

TEST_F(Actors, OnceTheUserGivesUpTheMediaSearchTheActorsAfterAreNotSearched)
{
    // Each actor's frame shows two pictures that have gone.
    for (const char* name : {"Hero.ACT", "Dragon.ACT"}) {
        ActorPtr actor(new Actor);
        TapePtr frame(new Tape);
        for (const char* picture : {"Gone.bmp", "Lost.bmp"}) {
            TapeObjectPtr page(new WipeOut);
            static_cast<WipeOut&>(*page).setSource(WipeOut::ImageSource);
            static_cast<WipeOut&>(*page).setFileReference(fileIn(picture));
            frame->add(*page);
        }
        actor->getMovementAt(0).addFrame(*frame);
        EXPECT_TRUE(actor->save(fileIn(name)));
    }
    KDirectory media(folderIn());
    MissingFileAnswers answers(TapeMediaFile::IgnoreAll);
    bool search = true;
    ActorPtr hero(new Actor);
    EXPECT_TRUE(hero->load(fileIn("Hero.ACT"), media, search));
    EXPECT_FALSE(search);
    ActorPtr dragon(new Actor);
    EXPECT_TRUE(dragon->load(fileIn("Dragon.ACT"), media, search));
    EXPECT_FALSE(search);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_NE(answers.asked[0].find("Gone.bmp"), std::string::npos);
}

} // namespace
