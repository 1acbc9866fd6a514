// Actors as the cast knows them: their movements and bounds, their class block and actor
// file, and the loading of a project's actor files into a tape's cast.
#include "foundation/KDocument.h"
#include "story/Actor.h"
#include "story/ActorSequence.h"
#include "story/LumoProject.h"
#include "story/TapeGraphicObject.h"
#include "tests/story/StoryTestSupport.h"
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

// The sections of a class block, each with its header, and a block made of sections.
std::vector<Bytes> sectionsOf(const Bytes& Block)
{
    std::vector<Bytes> sections;
    size_t at = 16;
    while (at + 8 <= Block.size()) {
        const size_t length = (size_t(Block[at + 4]) << 24) | (size_t(Block[at + 5]) << 16) | (size_t(Block[at + 6]) << 8) | Block[at + 7];
        sections.emplace_back(Block.begin() + long(at), Block.begin() + long(at + length));
        at += length;
    }
    return sections;
}

Bytes blockOf(const char* ClassName, const std::vector<Bytes>& Sections)
{
    ByteList body;
    for (const Bytes& section : Sections)
        body.append(section);
    const long size = long(body.bytes().size());
    return ByteList().longs({KClass::findClass(ClassName)->getClassID(), 1, size, long(Sections.size())}).append(body);
}

class Actors : public StoryTest {
protected:
    KFileReference fileIn(const std::string& Name) { return KFileReference(windowsPath(m_folder.file(Name))); }
    KDirectory folder() { return KDirectory(windowsPath(m_folder.path() + "\\")); }
};

TEST_F(Actors, ANewActorHasOneMovementWithOneFrameOfItsOwn)
{
    ActorPtr actor(new Actor);
    ASSERT_EQ(actor->getMovements().getCount(), 1);
    ActorSequence& movement = actor->getMovementAt(0);
    EXPECT_EQ(text(movement.getName()), "Movement1");
    EXPECT_EQ(movement.getSpeed(), 10);
    EXPECT_EQ(movement.getPlayType(), 5);
    ASSERT_EQ(movement.getFrames().getCount(), 1);
    Tape& frame = movement.getFrameAt(0);
    EXPECT_TRUE(frame.isFrameTape());
    EXPECT_EQ(&frame.getOwnerActor(), actor.get());
    EXPECT_EQ(frame.getPageSize(), KGraphicSize(640, 480));
    EXPECT_FALSE(actor->getTimer().isRunning());
    EXPECT_EQ(actor->getTimer().getPeriod(), 10);

    // The bounds unite the objects of every frame; the sprite rectangle scales them.
    addFrameWith(*actor, KGraphicRectangle(10, 20, 30, 40));
    addFrameWith(*actor, KGraphicRectangle(50, 0, 10, 10));
    actor->computeBounds();
    EXPECT_EQ(actor->getActorBounds(), KGraphicRectangle(10, 0, 50, 60));
    actor->setPosition(100, 100);
    actor->setOrigin(10, 20);
    actor->setScale(0.5f, 0.5f);
    KGraphicRectangle bounds;
    actor->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(95, 90, 25, 30));

    EXPECT_TRUE(actor->hasSequence(KString("Movement1")));
    ReportCatcher catcher;
    EXPECT_TRUE(kIsNullReference(&actor->getSequence(KString("Walk"))));
    EXPECT_TRUE(catcher.caught(18, "ActorSequence& Actor::getSequence(const KString& SequenceName)"));

    // Within a project, a new actor takes the page of the project's tape.
    PlayerApplicationScope application;
    LumoProjectPtr project(new LumoProject);
    project->getTape().setPageWidth(1024);
    project->getTape().setPageHeight(768);
    application->setProject(*project);
    ActorPtr inProject(new Actor);
    EXPECT_EQ(inProject->getMovementAt(0).getFrameAt(0).getPageSize(), KGraphicSize(1024, 768));
}

TEST_F(Actors, TheActorFileKeepsMovementsBoundsAndPageAndNamesTheActor)
{
    ActorPtr actor(new Actor);
    addFrameWith(*actor, KGraphicRectangle(10, 20, 30, 40));
    ActorSequencePtr walk(new ActorSequence);
    walk->setName(KString("Walk"));
    walk->setSpeed(3);
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
    KDirectory media = folder();
    bool search = false;
    EXPECT_TRUE(back->load(fileIn("Squire.ACT"), media, search));
    EXPECT_EQ(text(back->getName()), "Squire");
    ASSERT_EQ(back->getMovements().getCount(), 2);
    EXPECT_EQ(back->getMovementAt(0).getFrames().getCount(), 2);
    const ActorSequence& walkBack = back->getMovementAt(1);
    EXPECT_EQ(text(walkBack.getName()), "Walk");
    EXPECT_EQ(walkBack.getSpeed(), 3);
    EXPECT_EQ(walkBack.getPlayType(), 7);
    EXPECT_EQ(back->getActorBounds(), KGraphicRectangle(10, 20, 30, 40));
    EXPECT_EQ(&back->getMovementAt(0).getFrameAt(1).getOwnerActor(), back.get());
}

TEST_F(Actors, ABlockWithoutItsPageSectionGivesTheOldPageAndLaterSectionsAreSkipped)
{
    ActorPtr actor(new Actor);
    addFrameWith(*actor, KGraphicRectangle(0, 0, 8, 8));
    const std::vector<Bytes> sections = sectionsOf(m_blocks.written(*actor));
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[1], ByteList().longs({2, 16, 640, 480}).bytes());

    ActorPtr back(new Actor);
    const Bytes page = ByteList().longs({2, 16, 1024, 768});
    const Bytes later = ByteList().longs({3, 12, 99});
    EXPECT_EQ(m_blocks.read(*back, blockOf("Actor", {sections[0], page, later})), 0);
    EXPECT_EQ(back->getDocumentWidth(), 1024);
    EXPECT_EQ(back->getMovementAt(0).getFrameAt(0).getPageSize(), KGraphicSize(1024, 768));
    EXPECT_EQ(m_blocks.read(*back, blockOf("Actor", {sections[0]})), 0);
    EXPECT_EQ(back->getDocumentWidth(), 640);
    EXPECT_EQ(back->getDocumentHeight(), 480);
    EXPECT_EQ(back->getMovementAt(0).getFrameAt(1).getPageSize(), KGraphicSize(640, 480));
}

TEST_F(Actors, FilesThatAreNotActorDocumentsAreRefusedWithAMessage)
{
    ActorPtr actor(new Actor);
    KDirectory media = folder();
    bool search = false;
    {
        ReportCatcher catcher;
        EXPECT_FALSE(actor->load(fileIn("Missing.ACT"), media, search));
        EXPECT_TRUE(catcher.boxes().empty());
    }

    auto documentWith = [&](const char* File, const char* Entry, long Type, KThing& Object) {
        KDocument document;
        KFileReferencePtr reference(new KFileReference(fileIn(File)));
        document.setFileReference(*reference);
        document.setType(Type);
        document.setCreator(2);
        document.addNamedObject(KString(Entry), Object);
        EXPECT_TRUE(document.save());
        document.clear();
    };
    ActorPtr stored(new Actor);
    KStringPtr notAnActor(new KString("Knight"));
    // The entry name is compared exactly.
    documentWith("Lower.ACT", "actor", Actor::kDocumentType, *stored);
    documentWith("Project.ACT", "Actor", 0x4C4D4446, *stored);
    documentWith("String.ACT", "Actor", Actor::kDocumentType, *notAnActor);
    for (const char* name : {"Lower.ACT", "Project.ACT", "String.ACT"}) {
        ReportCatcher catcher;
        EXPECT_FALSE(actor->load(fileIn(name), media, search)) << name;
        ASSERT_EQ(catcher.boxes().size(), 1u) << name;
        EXPECT_EQ(catcher.boxes()[0].caption, "Error while reading file");
        EXPECT_EQ(catcher.boxes()[0].text, "This file is not an Actor Document File!");
    }
    // The entry under its exact name is an actor.
    documentWith("Exact.ACT", "Actor", Actor::kDocumentType, *stored);
    EXPECT_TRUE(actor->load(fileIn("Exact.ACT"), media, search));
}

TEST_F(Actors, TheCastTakesTheActorFilesOfTheProjectMediaFolder)
{
    PlayerApplicationScope application;
    const std::string mediaPath = m_folder.path() + "\\Media";
    KDirectory(windowsPath(mediaPath + "\\")).create();
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
    ASSERT_TRUE(tape->hasActor(KString("Hero")));
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

} // namespace
