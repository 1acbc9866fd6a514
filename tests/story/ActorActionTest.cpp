// Actor actions: their block, what each action does to its actor on stage, the smooth
// move tick by tick, the replay of a page, and the actor file they keep in step with the
// story's folders.
#include "foundation/KStringBag.h"
#include "story/ActorAction.h"
#include "story/WipeOut.h"
#include "tests/story/ActorStageSupport.h"

#include <memory>

namespace {

ActorActionPtr actionOn(const char* Actor, uint8 Action, const char* Movement = "Walk")
{
    ActorActionPtr action(new ActorAction);
    action->setActorName(KString(Actor));
    action->setAction(Action);
    action->setMovementName(KString(Movement));
    return action;
}

// A page with the actor "Hero" in its cast, off stage, walking in two frames; made after
// the objects are counted and gone before they are counted again.
struct HeroScene {
    HeroScene()
    {
        hero->hide();
        stage.tape().addActor(*hero);
    }
    Stage stage{32, 16};
    ActorSequencePtr walk = movementOf("Walk", "gb", KGraphicRectangle(0, 0, 4, 4));
    ActorPtr hero = actorWith("Hero", *walk);
};

class ActorActions : public StoryTest {
protected:
    void SetUp() override
    {
        StoryTest::SetUp();
        m_scene = std::make_unique<HeroScene>();
    }
    void TearDown() override
    {
        m_scene.reset();
        StoryTest::TearDown();
    }
    Stage& stage() const { return m_scene->stage; }
    Actor& hero() const { return *m_scene->hero; }
    const KBag& onStage() const { return stage().layer().getFirstLayer().getSprites(); }

    std::unique_ptr<HeroScene> m_scene;
};

TEST_F(ActorActions, TheBlockEndsWithDurationAndOrderWhoseLowByteCounts)
{
    ActorActionPtr action = actionOn("Hero", ActorAction::ChangeOrder, "Jump");
    action->setTargetPosition(KGraphicPoint(-5, 300));
    action->setTargetScale(KAnimationVector(0.5f, 2.0f));
    action->setDuration(42);
    action->setOrder(ActorAction::SendBackward);
    const Bytes bytes = m_blocks.written(*action);
    EXPECT_EQ(Bytes(bytes.end() - 6, bytes.end()), ByteList().longs({42}).shorts({3}).bytes());
    ActorActionPtr back(new ActorAction);
    Bytes wide = bytes;
    wide[wide.size() - 2] = 0x02;
    EXPECT_EQ(m_blocks.read(*back, wide), 0);
    EXPECT_EQ(m_blocks.written(*back), bytes);
    ActorActionPtr copy(new ActorAction);
    copy->copyFrom(*action);
    EXPECT_EQ(m_blocks.written(*copy), bytes);
}

TEST_F(ActorActions, EnteringPlacesTheActorAndStartsItsMovementExitingTakesItOff)
{
    stage().page().paintRect(KGraphicRectangle(0, 0, 32, 16), colorOf('y'));
    stage().compositor().invalidate(KGraphicRectangle(0, 0, 32, 16));
    ActorActionPtr enter = actionOn("hero", ActorAction::EnterOnScene);
    enter->setTargetPosition(KGraphicPoint(2, 3));
    enter->setTargetScale(KAnimationVector(0.5f, 0.5f));
    stage().play(*enter);
    EXPECT_FALSE(stage().tape().hasRunningObject());
    EXPECT_EQ(text(hero().getCurrentMovement()), "Walk");
    EXPECT_EQ(onStage().getCount(), 1);
    EXPECT_EQ(stage().shown(1, 3, 4, 1), (PixelRows{"yggy"}));

    stage().play(*actionOn("Hero", ActorAction::ExitFromScene));
    EXPECT_FALSE(hero().isVisible());
    EXPECT_EQ(onStage().getCount(), 0);
    EXPECT_EQ(hero().getFrames().getCount(), 0);
    EXPECT_FALSE(hero().getTimer().isRunning());
    EXPECT_EQ(stage().shown(1, 3, 4, 1), (PixelRows{"yyyy"}));
    // A movement the actor lacks: placed and scaled, but not brought on stage.
    ActorActionPtr fly = actionOn("Hero", ActorAction::EnterOnScene, "Fly");
    fly->setTargetPosition(KGraphicPoint(9, 9));
    stage().play(*fly);
    EXPECT_EQ(hero().getPosition(), KAnimationPoint(9, 9));
    EXPECT_EQ(onStage().getCount(), 0);
}

TEST_F(ActorActions, AMoveVisitsEachFractionOfTheWayAndLandsOnTheTarget)
{
    stage().tape().showActor(KString("Hero"));
    ActorActionPtr move = actionOn("Hero", ActorAction::MoveResize);
    move->setTargetPosition(KGraphicPoint(40, 80));
    move->setTargetScale(KAnimationVector(2.0f, 3.0f));
    move->setDuration(2);
    stage().play(*move);
    std::vector<KAnimationPoint> positions;
    std::vector<KAnimationVector> scales;
    while (stage().tape().hasRunningObject()) {
        move->step();
        positions.push_back(hero().getPosition());
        scales.push_back(hero().getScale());
    }
    EXPECT_EQ(positions, (std::vector<KAnimationPoint>{{10, 20}, {20, 40}, {40, 80}}));
    EXPECT_EQ(scales, (std::vector<KAnimationVector>{{1.25f, 1.5f}, {1.5f, 2.0f}, {2.0f, 3.0f}}));
    // Duration d lands d × d − 1 ticks after the start; 0 counts as 100, kept.
    for (auto [duration, ticks] : {std::pair<long, long>{1, 1}, {10, 99}, {0, 9999}}) {
        move->setDuration(duration);
        stage().play(*move);
        EXPECT_EQ(stage().stepsToEnd(), ticks) << duration;
    }
    EXPECT_EQ(move->getDuration(), 100);
    // An actor off stage, or not in the cast, is not moved: the action ends at once.
    hero().setPosition(0, 0);
    stage().tape().hideActor(KString("Hero"));
    stage().play(*move);
    EXPECT_FALSE(stage().tape().hasRunningObject());
    move->setActorName(KString("Nobody"));
    stage().play(*move);
    EXPECT_FALSE(stage().tape().hasRunningObject());
    EXPECT_EQ(hero().getPosition(), KAnimationPoint(0, 0));
}

TEST_F(ActorActions, OrderJumpAndMovementChangesAreDoneInTheStart)
{
    std::vector<ActorPtr> others;
    for (const char* name : {"Dragon", "Knight"}) {
        others.push_back(actorWith(name, *movementOf("Walk", "g", KGraphicRectangle(0, 0, 2, 2))));
        stage().tape().addActor(*others.back());
    }
    for (const char* name : {"Hero", "Dragon", "Knight"})
        stage().tape().showActor(KString(name));
    struct Case {
        const char* actor;
        uint8 order;
        const char* after;
    } cases[] = {{"Knight", 2, "KHD"}, {"Dragon", 3, "KDH"}, {"Knight", 0, "DHK"}, {"Dragon", 1, "HDK"}, {"Hero", 7, "HDK"}};
    for (const Case& c : cases) {
        ActorActionPtr change = actionOn(c.actor, ActorAction::ChangeOrder);
        change->setOrder(c.order);
        stage().play(*change);
        std::string order;
        for (long i = 0; i < onStage().getCount(); ++i)
            order += text(static_cast<Actor&>(onStage()[i]).getName()).substr(0, 1);
        EXPECT_EQ(order, c.after) << c.actor << " " << int(c.order);
    }

    ActorActionPtr jump = actionOn("Hero", ActorAction::JumpToPosition);
    jump->setTargetPosition(KGraphicPoint(7, 8));
    m_scene->walk->setName(KString("Run"));
    // Codes without an action end at once and touch nothing.
    for (ActorActionPtr action : {jump, actionOn("Hero", ActorAction::ChangeMovement, "Run"),
                                  actionOn("Hero", ActorAction::ChangeMovement, "Fly"), actionOn("Hero", 0),
                                  actionOn("Hero", 9)}) {
        stage().play(*action);
        EXPECT_FALSE(stage().tape().hasRunningObject()) << int(action->getAction());
    }
    EXPECT_EQ(hero().getPosition(), KAnimationPoint(7, 8));
    EXPECT_EQ(text(hero().getCurrentMovement()), "Run");
}

TEST_F(ActorActions, ThePageSetsTheSceneSinceTheLastTransitionThatHidesTheActors)
{
    ActorPtr dragon = actorWith("Dragon", *movementOf("Fly", "r", KGraphicRectangle(0, 0, 2, 2)));
    stage().tape().addActor(*dragon);
    hero().getMovements().add(*movementOf("Run", "gbr", KGraphicRectangle(0, 0, 4, 4)));
    TapeObjectPtr keep(new WipeOut);
    static_cast<WipeOut&>(*keep).setHideActors(false);
    TapeObjectPtr clear(new WipeOut);
    ActorActionPtr jump = actionOn("Hero", ActorAction::JumpToPosition);
    jump->setTargetPosition(KGraphicPoint(5, 6));
    const std::vector<TapeObjectPtr> page{actionOn("Dragon", ActorAction::EnterOnScene, "Fly"),
                                          clear,
                                          actionOn("Hero", ActorAction::EnterOnScene),
                                          actionOn("hero", ActorAction::ChangeMovement, "Run"),
                                          actionOn("Dragon", ActorAction::EnterOnScene, "Fly"),
                                          actionOn("Dragon", ActorAction::ExitFromScene),
                                          jump,
                                          keep};
    for (const TapeObjectPtr& object : page) {
        stage().tape().add(*object);
        object->setTape(stage().tape());
    }
    // Up to the last object: the dragon entered before the clearing transition and left
    // after it; the hero runs where it jumped. Before the hero came, no one is on stage.
    for (long position : {8, 2}) {
        stage().tape().setCurrentPosition(position);
        stage().tape().prepareActors();
        EXPECT_EQ(text(hero().getCurrentMovement()), position == 8 ? "Run" : "") << position;
        EXPECT_FALSE(dragon->isVisible() || !dragon->getCurrentMovement().isEmpty()) << position;
        EXPECT_EQ(onStage().getCount(), position == 8 ? 1 : 0) << position;
    }
    EXPECT_EQ(hero().getPosition(), KAnimationPoint(5, 6));
}

TEST_F(ActorActions, APagePlayedUnderTheTapesTimerBringsTheActorOnAndMovesIt)
{
    TapeObjectPtr page(new WipeOut);
    static_cast<WipeOut&>(*page).setEffect(WipeOut::WipeDown);
    static_cast<WipeOut&>(*page).setColor(colorOf('y'));
    ActorActionPtr enter = actionOn("Hero", ActorAction::EnterOnScene);
    enter->setTargetPosition(KGraphicPoint(2, 3));
    ActorActionPtr move = actionOn("Hero", ActorAction::MoveResize);
    move->setTargetPosition(KGraphicPoint(20, 3));
    move->setDuration(2);
    // Then an object that holds the story.
    TapeObjectPtr hold(new TapeObject);
    for (const TapeObjectPtr& object : std::vector<TapeObjectPtr>{page, enter, move, hold}) {
        stage().tape().add(*object);
        object->setTape(stage().tape());
    }
    stage().tape().start(0);
    long ticks = 0;
    while (stage().tape().getPlayIndex() < 3) {
        m_clock.advance(21);
        timers().fire();
        ASSERT_LT(++ticks, 200);
    }
    // The page in 121 steps after its start, the entrance at once, the move in three
    // after its start.
    EXPECT_EQ(ticks, 127);
    EXPECT_EQ(hero().getPosition(), KAnimationPoint(20, 3));
    EXPECT_EQ(stage().shown(19, 3, 6, 1), (PixelRows{"yggggy"}));
    stage().tape().stop();
}

TEST_F(ActorActions, TheActorFileIsLookedForCopiedRenamedAndCountedAsMedia)
{
    const std::string media = m_folder.file("Media");
    const std::string target = m_folder.file("Target");
    const KPath mediaFolder = folderIn("Media");
    for (const KPath& folder : {mediaFolder, folderIn("Target")})
        KDirectory(folder).create();
    ActorActionPtr enter = actionOn("Hero", ActorAction::EnterOnScene);
    stage().tape().add(*enter);
    enter->setTape(stage().tape());
    {
        // Only an actor entering the scene looks for its file; a chosen file is copied
        // where it was expected, and is not asked for again.
        writeBytes(m_folder.file("Chosen.ACT"), Bytes{'a'});
        MissingFileAnswers answers(TapeMediaFile::Replace, fileIn("Chosen.ACT").getPath());
        EXPECT_FALSE(actionOn("Hero", ActorAction::ExitFromScene)->findMissingMedia(mediaFolder, KPathPtr()));
        for (int i = 0; i < 2; ++i)
            EXPECT_FALSE(enter->findMissingMedia(mediaFolder, KPathPtr()));
        ASSERT_EQ(answers.asked.size(), 1u);
        EXPECT_NE(answers.asked[0].find("Media\\Hero.ACT"), std::string::npos);
        EXPECT_EQ(readBytes(media + "\\Hero.ACT"), (Bytes{'a'}));
    }
    {
        // "Ignore All" gives the search up; a file in the further folder counts as found.
        MissingFileAnswers answers(TapeMediaFile::IgnoreAll);
        KPathPtr further(new KPath(folderIn("Target")));
        EXPECT_TRUE(actionOn("Ghost", ActorAction::EnterOnScene)->findMissingMedia(mediaFolder, further));
        writeBytes(target + "\\Ghost.ACT", Bytes{'t'});
        EXPECT_FALSE(actionOn("Ghost", ActorAction::EnterOnScene)->findMissingMedia(mediaFolder, further));
        EXPECT_EQ(answers.asked.size(), 1u);
    }
    // The actor's frames show a picture: with the actor file it is the action's media,
    // listed once, and copied along with the tape's media.
    TapeObjectPtr picture(new WipeOut);
    static_cast<WipeOut&>(*picture).setSource(WipeOut::ImageSource);
    static_cast<WipeOut&>(*picture).setFileReference(fileIn("Media\\Sky.bmp"));
    m_scene->walk->getFrameAt(0).add(*picture);
    writeBytes(media + "\\Sky.bmp", Bytes{'s'});
    KStringBag names;
    enter->collectMediaNames(names);
    enter->collectMediaNames(names);
    EXPECT_EQ(names.getCount(), 2);
    for (const char* name : {"Hero.ACT", "Sky.bmp"})
        EXPECT_TRUE(names.contains(KString(name)) && enter->usesMediaName(KString(name))) << name;
    stage().tape().copyMediaTo(KDirectory(mediaFolder), KDirectory(folderIn("Target")));
    EXPECT_EQ(readBytes(target + "\\Hero.ACT"), (Bytes{'a'}));
    EXPECT_EQ(readBytes(target + "\\Sky.bmp"), (Bytes{'s'}));
    // A replaced picture of the frames saves the actor beside the new one; the actor file
    // replaced renames the action's actor.
    EXPECT_TRUE(enter->replaceMediaFile(fileIn("Target\\Sky.bmp"), fileIn("Moon.bmp")));
    EXPECT_TRUE(fileIn("Hero.ACT").exists());
    EXPECT_FALSE(enter->replaceMediaFile(fileIn("Target\\Sky.bmp"), fileIn("Moon.bmp")));
    EXPECT_TRUE(enter->replaceMediaFile(fileIn("Media\\Hero.ACT"), fileIn("Target\\Knight.ACT")));
    EXPECT_EQ(text(enter->getActorName()), "Knight");
}

} // namespace
