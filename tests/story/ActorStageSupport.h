#pragma once
// Shared by the tests of actors, actor actions and motions and page transitions: a story
// page composed off-screen into an image, a tape that draws into it, frame objects of one
// colour, and actors built from them.
#include "story/Actor.h"
#include "story/ActorSequence.h"
#include "story/LumoSpriteSystem.h"
#include "story/TapeGraphicObject.h"
#include "story/TapeMediaFile.h"
#include "tests/story/StoryTestSupport.h"


// The native colour of a pixel code of the pictures.
inline KColor colorOf(char Code)
{
    for (const PixelCode& c : kPixelCodes)
        if (c.code == Code)
            return nativeColor(c.native);
    return nativeColor(0);
}

// A drawing object of a frame tape: its bounds painted in its colour, and in black into
// an actor's frame mask; the Source rectangle of the page lands on Destination.
class Swatch : public TapeGraphicObject {
public:
    Swatch(const KGraphicRectangle& Bounds, char Color) : m_color(Color)
    {
        // Of a kind that tapes copy.
        setKind(StrokeKind);
        setBounds(Bounds);
    }
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override
    {
        D.paintRect(placed(Source, Destination), colorOf(m_color));
    }
    void drawWithColor(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override
    {
        D.paintRect(placed(Source, Destination), colorOf('.'));
    }

private:
    KGraphicRectangle placed(const KGraphicRectangle& Source, const KGraphicRectangle& Destination) const
    {
        KGraphicRectangle bounds;
        getBounds(bounds);
        bounds.setOrigin(KGraphicPoint(short(bounds.getH() - Source.getH() + Destination.getH()),
                                       short(bounds.getV() - Source.getV() + Destination.getV())));
        return bounds;
    }
    char m_color;
};

// A movement of one frame per swatch colour, each frame a swatch with the bounds.
inline ActorSequencePtr movementOf(const char* Name, const std::string& Colors, const KGraphicRectangle& Bounds,
                                   long Speed = 10, uint8 PlayType = 5)
{
    ActorSequencePtr movement(new ActorSequence);
    movement->setName(KString(Name));
    movement->setSpeed(Speed);
    movement->setPlayType(PlayType);
    for (char color : Colors) {
        TapePtr frame(new Tape);
        frame->add(*TapeObjectPtr(new Swatch(Bounds, color)));
        movement->addFrame(*frame);
    }
    return movement;
}

// An actor named Name whose only movement is the one given, bounds computed.
inline ActorPtr actorWith(const char* Name, ActorSequence& Movement)
{
    ActorPtr actor(new Actor);
    actor->setName(KString(Name));
    actor->getMovements().clear();
    actor->getMovements().add(Movement);
    actor->computeBounds();
    return actor;
}

// The story page of Width × Height composed into a target image in redraw mode 2, with
// a tape that draws into it.
class Stage {
public:
    Stage(short Width, short Height) : m_target(solidImage(Width, Height, 'r'))
    {
        m_layer->getSpriteSystem().setRedrawMode(KSpriteSystem::DirtyRectangles);
        m_layer->getSpriteSystem().setTargetDevice(m_target->getGraphicDevice());
        m_tape->setSpriteSystem(*m_layer);
    }
    ~Stage() { m_tape->resetSpriteSystem(); }
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    Tape& tape() const { return *m_tape; }
    LumoSpriteSystem& layer() const { return *m_layer; }
    KSpriteSystem& compositor() const { return m_layer->getSpriteSystem(); }
    KGraphicDevice& page() const { return compositor().getBackground().getGraphicDevice(); }
    // The composition brought up to date, as the window shows it.
    PixelRows shown(short Left, short Top, short Width, short Height) const
    {
        compositor().update();
        return pixelRows(m_target->getGraphicDevice(), Left, Top, Width, Height);
    }
    // Adds the object to the tape and makes it the running object, as playback does at
    // its turn, and starts it.
    void play(TapeObject& O) const
    {
        if (!O.hasTape()) {
            m_tape->add(O);
            O.setTape(*m_tape);
        }
        m_tape->setRunningObject(O);
        O.start();
    }
    // Steps the running object until it ends itself, at most Limit times; the count of
    // steps taken.
    long stepsToEnd(long Limit = 100000) const
    {
        long steps = 0;
        while (m_tape->hasRunningObject() && steps < Limit) {
            m_tape->getRunningObject().step();
            ++steps;
        }
        return steps;
    }

private:
    KImagePtr m_target;
    LumoSpriteSystemPtr m_layer{new LumoSpriteSystem};
    TapePtr m_tape{new Tape};
};

// The find-missing-file question answered for the length of a test: each question is
// recorded and answered alike, with the file given as the one chosen.
class MissingFileAnswers {
public:
    explicit MissingFileAnswers(uint8 Answer, const KPath& Chosen = KPath()) : m_answer(Answer), m_chosen(Chosen)
    {
        current() = this;
        TapeMediaFile::setMissingFileQuestion([](const KFileReference& Missing, KFileReference& Chosen) {
            KString path;
            Missing.getPath().getPathText(path, kPlatformWindows, KPath::AsStored);
            current()->asked.push_back(text(path));
            Chosen = KFileReference(current()->m_chosen);
            return current()->m_answer;
        });
    }
    ~MissingFileAnswers() { TapeMediaFile::setMissingFileQuestion(nullptr); }
    MissingFileAnswers(const MissingFileAnswers&) = delete;
    MissingFileAnswers& operator=(const MissingFileAnswers&) = delete;

    std::vector<std::string> asked;

private:
    static MissingFileAnswers*& current()
    {
        static MissingFileAnswers* answers = nullptr;
        return answers;
    }
    uint8 m_answer;
    KPath m_chosen;
};
