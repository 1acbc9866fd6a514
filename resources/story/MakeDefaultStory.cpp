// Writes the default story, "Little Fox and the Moon": the project document "data.TPD"
// and, in the "Media" folder beside it, the actor file of the little fox. The pictures,
// the sounds, the movie and the recorded readings are made beforehand by
// scripts/make-default-story.sh, which also measures where every word of a reading
// begins; this program builds the tape with the story engine's own classes and saves it
// as the player reads it.
//
//   make_default_story readings          one line per recorded reading: its name, a tab,
//                                        the text it reads
//   make_default_story write <folder>    <folder>\data.TPD and <folder>\Media\Fox.ACT,
//                                        from the media in <folder>\Media and the word
//                                        times in <folder>\Timings\<reading>.txt
#include "application/ApplicationStart.h"
#include "application/FrameworkClasses.h"
#include "controls/ControlsStart.h"
#include "foundation/KFileReference.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "multimedia/KMultiMediaLibrary.h"
#include "multimedia/KSoundHiliteMarker.h"
#include "multimedia/MultimediaClasses.h"
#include "player/LumoApplication.h"
#include "speechextras/KSpeechExtrasLibrary.h"
#include "story/Actor.h"
#include "story/ActorAction.h"
#include "story/ActorMotion.h"
#include "story/ActorSequence.h"
#include "story/LumoImage.h"
#include "story/LumoMovie.h"
#include "story/LumoPause.h"
#include "story/LumoProject.h"
#include "story/LumoSound.h"
#include "story/LumoText.h"
#include "story/StoryClasses.h"
#include "story/Stroke.h"
#include "story/WaitObject.h"
#include "story/WipeOut.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Points = std::vector<std::pair<int, int>>;
using TextPtr = KTypedPtr<LumoText, TapeGraphicObjectPtr>;
using WipeOutPtr = KTypedPtr<WipeOut, TapeGraphicObjectPtr>;

constexpr double kPi = 3.14159265358979323846;

constexpr short kPageWidth = 800;
constexpr short kPageHeight = 600;
constexpr const char* kActorName = "Fox";

// A recorded reading: the text box's lines, read as one text with a blank between lines.
struct Reading {
    const char* name;
    std::vector<const char*> lines;
};

const Reading kReadings[] = {
    {"Reading1", {"One night, Little Fox could not sleep.", "She tiptoed out into the quiet meadow."}},
    {"Reading2", {"At the pond, she stopped and stared.", "The moon had fallen into the water!"}},
    {"Reading3", {"Little Fox looked up at the sky.", "There was the moon, safe and smiling."}},
    {"Reading4", {"Goodnight, Little Fox.", "Goodnight, Moon."}},
};

KColor rgb(int R, int G, int B)
{
    return KColor(static_cast<uint16>(R << 8), static_cast<uint16>(G << 8), static_cast<uint16>(B << 8));
}

// The colours of the story, shared with the pictures the script draws.
const KColor kNightBlue = rgb(13, 27, 61);
const KColor kDeepNight = rgb(10, 20, 48);
const KColor kPaper = rgb(255, 246, 222);
const KColor kInk = rgb(28, 40, 96);
const KColor kHighlight = rgb(214, 40, 40);
const KColor kMoonGold = rgb(255, 214, 90);
const KColor kRipple = rgb(200, 222, 248);
// The fox's own.
const KColor kFur = rgb(226, 114, 38);
const KColor kFurShade = rgb(176, 78, 24);
const KColor kCream = rgb(250, 240, 222);
const KColor kPaws = rgb(58, 32, 18);
const KColor kNose = rgb(20, 14, 10);

std::string joined(const std::vector<const char*>& Lines)
{
    std::string text;
    for (const char* line : Lines)
        text += (text.empty() ? "" : " ") + std::string(line);
    return text;
}

// Folder and Name joined with the platform's separator.
std::string inFolder(const std::string& Folder, const std::string& Name) { return Folder + "\\" + Name; }

KFileReference fileAt(const std::string& Path)
{
    KPath path;
    path.setPathText(KString(Path.c_str()), kPlatformWindows);
    return KFileReference(path);
}

// The story's words in the order read, each with its place in the text the media read
// and its length without the punctuation that follows it.
struct Word {
    long start;
    std::string text;
};

std::vector<Word> wordsOf(const std::string& Text)
{
    std::vector<Word> words;
    size_t at = 0;
    while ((at = Text.find_first_not_of(' ', at)) != std::string::npos) {
        size_t end = Text.find(' ', at);
        if (end == std::string::npos)
            end = Text.size();
        size_t last = end;
        while (last > at && std::strchr(",.!?;:", Text[last - 1]))
            --last;
        words.push_back({static_cast<long>(at), Text.substr(at, last - at)});
        at = end;
    }
    return words;
}

class StoryWriter {
public:
    explicit StoryWriter(const std::string& Folder)
        : m_folder(Folder)
        , m_media(inFolder(Folder, "Media"))
    {
    }

    bool write()
    {
        if (!writeFox())
            return false;
        Tape& tape = m_project->getTape();
        tape.setPageWidth(kPageWidth);
        tape.setPageHeight(kPageHeight);
        tape.setTickInterval(Tape::kDefaultTickInterval);
        tape.resetFlag(Tape::LoopFlag);
        if (!firstPage() || !pondPage() || !skyPage() || !goodnightPage())
            return false;
        if (!m_project->save(fileAt(inFolder(m_folder, "data.TPD")))) {
            std::fprintf(stderr, "make_default_story: the project could not be written\n");
            return false;
        }
        return true;
    }

private:
    // Page 1: the night meadow; Little Fox walks out under the moon.
    bool firstPage()
    {
        transition(WipeOut::Cut, "Meadow.jpg");
        plainText("Little Fox and the Moon", KGraphicRectangle(30, 18, 600, 56), 30, kMoonGold);
        picture("Tree.bmp", KGraphicRectangle(596, 216, 180, 260), true);
        pause(800);
        if (!reading(kReadings[0], KGraphicRectangle(30, 90, 592, 76), 18))
            return false;
        actorAction(ActorAction::EnterOnScene, "Walk", -60, 392);
        ActorMotionPtr walk(new ActorMotion);
        walk->setActorName(KString(kActorName));
        // A little hop every six points along the meadow.
        for (int i = 0; i <= 80; ++i)
            walk->addPoint(-60 + 6 * i, 392 - std::lround(4 * std::fabs(std::sin(i * kPi / 6))));
        add(*walk);
        actorAction(ActorAction::ChangeMovement, "Stand", 420, 392);
        return true;
    }

    // Page 2: the moon lies in the pond; a touch of a paw makes it tremble.
    bool pondPage()
    {
        transition(WipeOut::WipeRight, "Pond.gif");
        actorAction(ActorAction::EnterOnScene, "Sit", 40, 356);
        if (!reading(kReadings[1], KGraphicRectangle(60, 24, 680, 76), 18))
            return false;
        StrokePtr ring(new Stroke);
        ring->setColor(kRipple);
        ring->setPenSize(4);
        for (int i = 0; i <= 48; ++i) {
            const double angle = 2 * kPi * i / 48;
            ring->addPoint(static_cast<short>(250 + std::lround(56 * std::cos(angle))),
                           static_cast<short>(478 + std::lround(16 * std::sin(angle))));
        }
        add(*ring);
        LumoSoundPtr plink(new LumoSound);
        plink->setFileReference(media("Plink.wav"));
        add(*plink);
        LumoMoviePtr wobble(new LumoMovie);
        wobble->setFileReference(media("Reflection.avi"));
        wobble->setBounds(KGraphicRectangle(340, 420, 200, 80));
        add(*wobble);
        return true;
    }

    // Page 3: the moon is safe in the sky; the story waits for a click.
    bool skyPage()
    {
        WipeOutPtr box = transition(WipeOut::OpeningBox, nullptr);
        box->setColor(kNightBlue);
        picture("Moon.png", KGraphicRectangle(480, 130, 240, 240), false);
        picture("Hills.tif", KGraphicRectangle(0, 420, 800, 180), false);
        actorAction(ActorAction::EnterOnScene, "LookUp", 170, 316);
        if (!reading(kReadings[2], KGraphicRectangle(60, 20, 680, 76), 18))
            return false;
        pause(800);
        plainText("Click to say goodnight", KGraphicRectangle(200, 540, 400, 44), 22, kMoonGold);
        add(*WaitObjectPtr(new WaitObject));
        return true;
    }

    // Page 4: goodnight, and a little tune to end with.
    bool goodnightPage()
    {
        WipeOutPtr fade = transition(WipeOut::Fade, nullptr);
        fade->setColor(kDeepNight);
        picture("Sleeping.png", KGraphicRectangle(240, 250, 320, 200), false);
        if (!reading(kReadings[3], KGraphicRectangle(150, 90, 500, 96), 26))
            return false;
        LumoSoundPtr tune(new LumoSound);
        tune->setFileReference(media("Lullaby.wav"));
        add(*tune);
        pause(1500);
        return true;
    }

    // The fox: walking, standing, sitting and looking up, each frame drawn in strokes.
    bool writeFox()
    {
        ActorPtr fox(new Actor);
        fox->getMovements().clear();
        KBag& movements = fox->getMovements();
        ActorSequencePtr walk = movement("Walk", 10, Actor::PlayRepeated);
        static const int swing[] = {7, 0, -7, 0};
        static const int lift[] = {0, -2, 0, 2};
        for (int k = 0; k < 4; ++k)
            walk->addFrame(*standingFox(swing[k], lift[k]));
        movements.add(*walk);
        ActorSequencePtr stand = movement("Stand", 10, Actor::StaticImage);
        stand->addFrame(*standingFox(0, 0));
        movements.add(*stand);
        ActorSequencePtr sit = movement("Sit", 20, Actor::PlayRepeatedForwardAndReverse);
        sit->addFrame(*sittingFox(false, 0));
        sit->addFrame(*sittingFox(false, -4));
        movements.add(*sit);
        ActorSequencePtr lookUp = movement("LookUp", 20, Actor::PlayRepeatedForwardAndReverse);
        lookUp->addFrame(*sittingFox(true, 0));
        lookUp->addFrame(*sittingFox(true, -4));
        movements.add(*lookUp);
        for (long m = 0; m < movements.getCount(); ++m) {
            const ActorSequence& movement = static_cast<const ActorSequence&>(movements[m]);
            for (long f = 0; f < movement.getFrames().getCount(); ++f)
                movement.getFrameAt(f).setOwnerActor(*fox);
        }
        fox->computeBounds();
        if (!fox->save(media(std::string(kActorName) + ".ACT"))) {
            std::fprintf(stderr, "make_default_story: the actor file could not be written\n");
            return false;
        }
        return true;
    }

    static ActorSequencePtr movement(const char* Name, long Speed, uint8 PlayType)
    {
        ActorSequencePtr made(new ActorSequence);
        made->setName(KString(Name));
        made->setSpeed(Speed);
        made->setPlayType(PlayType);
        return made;
    }

    // The fox drawn at this scale of the points below.
    static constexpr double kFoxScale = 1.4;

    static void stroke(Tape& Frame, const KColor& Color, int Pen, const Points& Along)
    {
        StrokePtr line(new Stroke);
        line->setColor(Color);
        line->setPenSize(static_cast<short>(std::lround(Pen * kFoxScale)));
        for (const auto& p : Along)
            line->addPoint(static_cast<short>(std::lround(p.first * kFoxScale)),
                           static_cast<short>(std::lround(p.second * kFoxScale)));
        Frame.add(*line);
    }

    static TapePtr frame()
    {
        TapePtr made(new Tape);
        made->setFrameTape(true);
        return made;
    }

    // Side on, facing right, legs swung by Swing and the tail lifted by Lift.
    static TapePtr standingFox(int Swing, int Lift)
    {
        TapePtr f = frame();
        stroke(*f, kPaws, 7, {{46, 66}, {46 + Swing, 94}});
        stroke(*f, kPaws, 7, {{82, 64}, {82 - Swing, 94}});
        stroke(*f, kFur, 20, {{8, 44 + Lift}, {16, 40 + Lift}, {26, 42 + Lift}, {38, 50}});
        stroke(*f, kCream, 13, {{2, 47 + Lift}, {8, 44 + Lift}});
        stroke(*f, kFur, 32, {{42, 56}, {60, 54}, {80, 54}});
        stroke(*f, kCream, 12, {{62, 66}, {80, 64}});
        stroke(*f, kPaws, 7, {{54, 66}, {54 - Swing, 94}});
        stroke(*f, kPaws, 7, {{90, 62}, {90 + Swing, 94}});
        stroke(*f, kFur, 24, {{84, 50}, {94, 40}});
        stroke(*f, kFurShade, 7, {{94, 26}, {95, 12}, {102, 22}});
        stroke(*f, kFurShade, 7, {{104, 24}, {109, 11}, {112, 24}});
        stroke(*f, kFur, 28, {{100, 34}, {104, 34}});
        stroke(*f, kFur, 14, {{108, 38}, {122, 42}});
        stroke(*f, kCream, 8, {{110, 45}, {120, 47}});
        stroke(*f, kNose, 7, {{124, 42}});
        stroke(*f, kNose, 5, {{108, 31}});
        return f;
    }

    // Sitting, facing right; looking up or ahead, the tail tip moved by Wag.
    static TapePtr sittingFox(bool Up, int Wag)
    {
        TapePtr f = frame();
        stroke(*f, kFur, 18, {{14, 86 + Wag}, {28, 92}, {46, 92}});
        stroke(*f, kCream, 12, {{6, 83 + Wag}, {14, 86 + Wag}});
        stroke(*f, kFur, 34, {{48, 80}, {58, 62}, {66, 50}});
        stroke(*f, kFur, 26, {{44, 86}, {56, 84}});
        stroke(*f, kCream, 14, {{70, 66}, {74, 54}});
        stroke(*f, kPaws, 7, {{70, 72}, {72, 94}});
        stroke(*f, kPaws, 7, {{78, 70}, {80, 94}});
        if (Up) {
            stroke(*f, kFurShade, 7, {{70, 22}, {67, 8}, {77, 17}});
            stroke(*f, kFurShade, 7, {{79, 18}, {80, 4}, {87, 16}});
            stroke(*f, kFur, 28, {{78, 30}, {82, 28}});
            stroke(*f, kFur, 14, {{86, 26}, {97, 16}});
            stroke(*f, kCream, 8, {{90, 30}, {99, 22}});
            stroke(*f, kNose, 7, {{99, 14}});
            stroke(*f, kNose, 5, {{86, 23}});
        } else {
            stroke(*f, kFurShade, 7, {{70, 26}, {71, 12}, {78, 22}});
            stroke(*f, kFurShade, 7, {{80, 24}, {85, 11}, {88, 24}});
            stroke(*f, kFur, 28, {{76, 34}, {80, 34}});
            stroke(*f, kFur, 14, {{84, 38}, {98, 42}});
            stroke(*f, kCream, 8, {{86, 45}, {96, 47}});
            stroke(*f, kNose, 7, {{100, 42}});
            stroke(*f, kNose, 5, {{84, 31}});
        }
        return f;
    }

    KFileReference media(const std::string& Name) const { return fileAt(inFolder(m_media, Name)); }

    void add(TapeObject& O) { m_project->getTape().add(O); }

    // A page transition to a picture of the media, or to a colour without one.
    WipeOutPtr transition(uint8 Effect, const char* Picture)
    {
        WipeOutPtr wipe(new WipeOut);
        wipe->setEffect(Effect);
        wipe->setBounds(KGraphicRectangle(0, 0, kPageWidth, kPageHeight));
        if (Picture) {
            wipe->setSource(WipeOut::ImageSource);
            wipe->setFileReference(media(Picture));
        }
        add(*wipe);
        return wipe;
    }

    // A picture; a masked one leaves its white background out.
    void picture(const char* Name, const KGraphicRectangle& Where, bool Masked)
    {
        LumoImagePtr image(new LumoImage);
        image->setFileReference(media(Name));
        image->setBounds(Where);
        image->setFlag(Masked ? 1 : 0);
        add(*image);
    }

    void pause(long Milliseconds)
    {
        LumoPausePtr held(new LumoPause);
        held->setDuration(Milliseconds);
        add(*held);
    }

    void actorAction(uint8 Action, const char* Movement, short X, short Y)
    {
        ActorActionPtr action(new ActorAction);
        action->setActorName(KString(kActorName));
        action->setAction(Action);
        action->setMovementName(KString(Movement));
        action->setTargetPosition(KGraphicPoint(X, Y));
        add(*action);
    }

    static TextPtr textOf(const std::vector<const char*>& Lines, double Size, const KColor& Color)
    {
        TextPtr text(new LumoText);
        KTextBlockPtr block(new KTextBlock);
        KFont font(KString("Arial"), Size, kPlatformWindows);
        font.setStyle(KFlagSet(kFontBold));
        block->setAlignment(kAlignCenter);
        for (const char* line : Lines) {
            auto* made = new KTextLine;
            made->appendStyleRun(KString(line), font, Color);
            made->setAlignment(kAlignCenter);
            block->addLine(made);
        }
        text->setTextBlock(*block);
        text->setReadAloud(0);
        return text;
    }

    // A title or a hint, drawn straight onto the page.
    void plainText(const char* Line, const KGraphicRectangle& Where, double Size, const KColor& Color)
    {
        auto text = textOf({Line}, Size, Color);
        text->setBounds(Where);
        text->setTransparentBackground(1);
        add(*text);
    }

    // A text on paper, read by its recording with the word being heard in red.
    bool reading(const Reading& R, const KGraphicRectangle& Where, double Size)
    {
        auto text = textOf(R.lines, Size, kInk);
        text->setBounds(Where);
        text->setBackgroundColor(kPaper);
        text->setHighlightColor(kHighlight);
        text->setHighlightText(1);
        text->setSoundHighlight(1);
        text->setWaitUntilDone(1);
        text->setSoundFile(media(std::string(R.name) + ".wav"));
        KBag markers;
        if (!readMarkers(R, markers))
            return false;
        text->getSoundHighlightMedia().setMarkers(markers);
        add(*text);
        return true;
    }

    // One marker per word, at the millisecond the script found the word to begin.
    bool readMarkers(const Reading& R, KBag& Markers) const
    {
        const std::string path = inFolder(inFolder(m_folder, "Timings"), std::string(R.name) + ".txt");
        std::ifstream in(path);
        const std::vector<Word> words = wordsOf(joined(R.lines));
        for (const Word& word : words) {
            long time = -1;
            if (!(in >> time) || time < 0) {
                std::fprintf(stderr, "make_default_story: %s has no time for \"%s\"\n", path.c_str(), word.text.c_str());
                return false;
            }
            KSoundHiliteMarkerPtr marker = new KSoundHiliteMarker;
            marker->setTime(time);
            marker->setWordStart(word.start);
            marker->setWord(KString(word.text.c_str()));
            Markers.add(*marker);
        }
        return true;
    }

    std::string m_folder;
    std::string m_media;
    LumoProjectPtr m_project{new LumoProject};
};

void listReadings()
{
    for (const Reading& r : kReadings)
        std::printf("%s\t%s\n", r.name, joined(r.lines).c_str());
}

void registerClasses()
{
    // As the program registers them: the framework's, the libraries', then the story's.
    kksRegisterFrameworkClasses();
    kksRegisterMultimediaClasses();
    KSpeechExtrasLibrary::registerClasses();
    registerStoryClasses();
    LumoApplication::registerClass();
}

} // namespace

int main(int argc, char** argv)
{
    const bool list = argc == 2 && std::strcmp(argv[1], "readings") == 0;
    const bool write = argc == 3 && std::strcmp(argv[1], "write") == 0;
    if (!list && !write) {
        std::fprintf(stderr, "usage: make_default_story readings | write <folder>\n");
        return 2;
    }
    if (list) {
        listReadings();
        return 0;
    }
    kksInstallApplicationLayer();
    kksInstallControlsLayer();
    knsEnterKernel();
    registerClasses();
    LumoApplication::createApplication();
    // The media file types, so that the story's files are stored with their types.
    KMultiMediaLibrary::create();
    bool written = false;
    {
        StoryWriter writer(argv[2]);
        written = writer.write();
    }
    KMultiMediaLibrary::release();
    // The framework keeps the application too: both let it go before the kernel is left.
    LumoApplication::releaseApplication();
    KApplication::releaseApplication();
    knsExitKernel();
    return written ? 0 : 1;
}
