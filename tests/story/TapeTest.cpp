// The tape: its construction, its class block with the stop index and the stored
// position, copies of whole tapes, and the cast of actors on the story sprite layer.
#include "story/Actor.h"
#include "story/LumoSpriteSystem.h"
#include "tests/story/StoryTestSupport.h"

namespace {

TapeObjectPtr objectOfKind(uint8 Kind, const char* Label = "")
{
    TapeObjectPtr object(new TapeObject);
    object->setKind(Kind);
    object->setLabel(KString(Label));
    return object;
}

// A tape of Count objects of kind 5, labelled "0", "1", ...
TapePtr tapeOf(long Count)
{
    TapePtr tape(new Tape);
    for (long i = 0; i < Count; ++i)
        tape->add(*objectOfKind(TapeObject::PauseKind, std::to_string(i).c_str()));
    return tape;
}

std::vector<std::string> labelsOf(const Tape& T)
{
    std::vector<std::string> labels;
    for (long i = 0; i < T.getCount(); ++i)
        labels.push_back(text(T.getObjectAt(i).getLabel()));
    return labels;
}

using Tapes = StoryTest;

TEST_F(Tapes, ANewTapeIsAnEmptyStoryOnANewDocumentPage)
{
    TapePtr tape(new Tape);
    EXPECT_EQ(tape->getPageSize(), KGraphicSize(800, 600));
    EXPECT_EQ(tape->getStopIndex(), -1);
    {
        StoryApplicationScope application;
        application->setNewDocumentSize(1024, 768);
        EXPECT_EQ(TapePtr(new Tape)->getPageSize(), KGraphicSize(1024, 768));
    }

    struct Case {
        long stopIndex, index;
        bool before;
    } cases[] = {{-1, 5, false}, {5, 5, false}, {6, 5, true}, {0, -1, true}};
    for (const Case& c : cases) {
        tape->setStopIndex(c.stopIndex);
        EXPECT_EQ(tape->isBeforeStopIndex(c.index), c.before) << c.stopIndex << " " << c.index;
    }
}

TEST_F(Tapes, TheBlockKeepsObjectsSettingsAndAStopIndexOnlyWhenOneIsSet)
{
    TapePtr tape = tapeOf(2);
    tape->setCurrentPosition(1);
    tape->setTickInterval(35);
    tape->setFrameTape(true);
    tape->setFlag(Tape::MarkFlag0);
    const Bytes bytes = m_blocks.written(*tape);
    // Writing marks the tape.
    EXPECT_FALSE(tape->isFlagSet(Tape::MarkFlag0));
    EXPECT_TRUE(tape->isFlagSet(Tape::MarkFlag1));
    // One section: the objects, position, interval, flags, and the frame-tape byte in 16
    // bits at its end.
    EXPECT_EQ(Bytes(bytes.begin() + 12, bytes.begin() + 20), ByteList().longs({1, 1}).bytes());
    EXPECT_EQ(Bytes(bytes.end() - 2, bytes.end()), ByteList().shorts({1}).bytes());

    TapePtr back(new Tape);
    EXPECT_EQ(m_blocks.read(*back, bytes), 0);
    EXPECT_EQ(m_blocks.written(*back), bytes);
    EXPECT_EQ(back->getStopIndex(), -1);
    EXPECT_EQ(&back->getObjectAt(1).getTape(), back.get());

    tape->setStopIndex(4);
    const Bytes withStop = m_blocks.written(*tape);
    EXPECT_EQ(Bytes(withStop.begin() + 12, withStop.begin() + 16), ByteList().longs({2}).bytes());
    EXPECT_EQ(Bytes(withStop.end() - 12, withStop.end()), ByteList().longs({2, 12, 4}).bytes());
    EXPECT_EQ(m_blocks.read(*back, withStop), 0);
    EXPECT_EQ(back->getStopIndex(), 4);
    // A stored position beyond the objects is the last one; one before them is 0.
    const TapePtr ten = tapeOf(10);
    for (auto [stored, read] : {std::pair<long, long>{12, 10}, {-3, 0}}) {
        ten->setCurrentPosition(stored);
        EXPECT_EQ(m_blocks.roundTrip(*ten, *back), 0);
        EXPECT_EQ(back->getCurrentPosition(), read) << stored;
    }
    // Objects of a damaged document that are not tape objects are left out.
    tape->insertAt(*KStringPtr(new KString("stray")), 1);
    tape->setCurrentPosition(3);
    EXPECT_EQ(m_blocks.roundTrip(*tape, *back), 0);
    EXPECT_EQ(labelsOf(*back), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(back->getCurrentPosition(), 2);
    EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 1);
}

TEST_F(Tapes, CopiesTakeTheObjectsOfKnownKindsAndThePlaySettings)
{
    TapePtr source(new Tape);
    for (uint8 kind : {0, 1, 8, 7, 12, 13})
        source->add(*objectOfKind(kind, std::to_string(kind).c_str()));
    source->setPageWidth(320);
    source->setPageHeight(200);
    source->setStopIndex(2);
    source->setFrameTape(true);
    source->setFlag(Tape::LoopFlag);
    ActorPtr owner(new Actor);
    source->setOwnerActor(*owner);

    TapePtr copy = tapeOf(2);
    copy->setRunningObject(copy->getObjectAt(0));
    copy->copyObjectsFrom(*source);
    EXPECT_EQ(labelsOf(*copy), (std::vector<std::string>{"1", "7", "12"}));
    EXPECT_EQ(&copy->getObjectAt(0).getTape(), copy.get());
    EXPECT_EQ(copy->getPageSize(), KGraphicSize(320, 200));
    EXPECT_EQ(copy->getStopIndex(), 2);
    EXPECT_TRUE(copy->isFrameTape());
    EXPECT_EQ(&copy->getOwnerActor(), owner.get());
    EXPECT_FALSE(copy->hasRunningObject());
    // The flags are the copy's own.
    EXPECT_FALSE(copy->isFlagSet(Tape::LoopFlag));
    // A tape copied onto itself keeps its objects.
    copy->copyObjectsFrom(*copy);
    EXPECT_EQ(copy->getCount(), 3);
}

TEST_F(Tapes, TheCastShowsItsActorsOnTheActorLayerOnce)
{
    LumoSpriteSystemPtr layer(new LumoSpriteSystem);
    TapePtr tape(new Tape);
    tape->setSpriteSystem(*layer);
    ActorPtr hero(new Actor);
    hero->setName(KString("Hero"));
    ActorPtr dragon(new Actor);
    dragon->setName(KString("Dragon"));
    tape->addActor(*hero);
    tape->addActor(*dragon);
    KSpriteLayer& actors = layer->getFirstLayer();

    EXPECT_TRUE(tape->hasActor(KString("hero")));
    EXPECT_EQ(&tape->getActor(KString("DRAGON")), dragon.get());
    EXPECT_FALSE(tape->isActorVisible(KString("Knight")));

    hero->hide();
    tape->showActor(KString("Hero"));
    tape->showActor(KString("hero"));
    EXPECT_TRUE(tape->isActorVisible(KString("Hero")));
    EXPECT_EQ(actors.getSpriteCount(), 1);
    tape->showActor(KString("Dragon"));
    hero->getTimer().setPeriod(10);
    hero->getTimer().start();
    tape->hideActor(KString("Hero"));
    EXPECT_FALSE(tape->isActorVisible(KString("Hero")));
    EXPECT_FALSE(hero->getTimer().isRunning());
    EXPECT_EQ(actors.getSpriteCount(), 1);

    tape->hideCast();
    EXPECT_EQ(actors.getSpriteCount(), 0);
    EXPECT_FALSE(dragon->isVisible());
    // Giving up the layer takes the actors off it; clearing the cast empties it.
    tape->showActor(KString("Dragon"));
    tape->resetSpriteSystem();
    EXPECT_EQ(actors.getSpriteCount(), 0);
    tape->clearCast();
    EXPECT_FALSE(tape->hasActor(KString("Dragon")));
}

} // namespace
