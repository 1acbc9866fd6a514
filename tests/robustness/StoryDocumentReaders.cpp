// The story's documents: a project (its tape through LumoProject::load), a document of the
// older program (through the same load, by its extension) and an actor file. A refusal
// must leave the project or actor as it was before.
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "story/Actor.h"
#include "story/ActorAction.h"
#include "story/ActorMotion.h"
#include "story/ActorSequence.h"
#include "story/LumoImage.h"
#include "story/LumoMovie.h"
#include "story/LumoPause.h"
#include "story/LumoProject.h"
#include "story/LumoSound.h"
#include "story/LumoSpeech.h"
#include "story/LumoText.h"
#include "story/Stroke.h"
#include "story/WaitObject.h"
#include "story/WipeOut.h"
#include "story/oldformat/OldDocumentImport.h"
#include "story/oldformat/ZImage.h"
#include "story/oldformat/ZLMMovie.h"
#include "story/oldformat/ZLumoPause.h"
#include "story/oldformat/ZLumoSound.h"
#include "story/oldformat/ZLumoSpeech.h"
#include "story/oldformat/ZLumoText.h"
#include "story/oldformat/ZStroke.h"
#include "story/oldformat/ZTape.h"
#include "story/oldformat/ZWaitMouseClick.h"
#include "story/oldformat/ZWipeOut.h"
#include "tests/robustness/InputReader.h"
#include "tests/robustness/ScratchFiles.h"

namespace {

KTextBlockPtr textBlockOf(std::initializer_list<const char*> Lines)
{
    KTextBlockPtr block(new KTextBlock);
    const KFont font(KString("Arial"), 14.0, kPlatformWindows);
    for (const char* line : Lines) {
        auto* made = new KTextLine;
        made->appendStyleRun(KString(line), font, KColor(kBlack));
        made->appendStyleRun(KString(" again"), KFont(KString("Times New Roman"), 18.0, kPlatformWindows), KColor(kRed));
        block->addLine(made);
    }
    return block;
}

// A tape with an object of every kind the story knows.
TapePtr storyOfEveryKind()
{
    TapePtr tape(new Tape);
    KTypedPtr<LumoText, TapeGraphicObjectPtr> text(new LumoText);
    text->setTextBlock(*textBlockOf({"Once upon a time", "there was a fox."}));
    text->setBounds(KGraphicRectangle(10, 10, 300, 80));
    tape->add(*text);
    LumoImagePtr image(new LumoImage);
    image->setFileReference(fileReferenceOf("C:\\Media\\Forest.bmp"));
    image->setBounds(KGraphicRectangle(0, 100, 200, 150));
    tape->add(*image);
    LumoSoundPtr sound(new LumoSound);
    sound->setFileReference(fileReferenceOf("C:\\Media\\Wind.wav"));
    tape->add(*sound);
    LumoSpeechPtr speech(new LumoSpeech);
    speech->setText(KString("The fox ran."));
    tape->add(*speech);
    LumoPausePtr pause(new LumoPause);
    pause->setDuration(1500);
    tape->add(*pause);
    tape->add(*KThingPtr(new WaitObject));
    StrokePtr stroke(new Stroke);
    for (short i = 0; i < 12; ++i)
        stroke->addPoint(static_cast<short>(i * 7), static_cast<short>(i * i));
    tape->add(*stroke);
    KTypedPtr<WipeOut, TapeObjectPtr> wipe(new WipeOut);
    wipe->setFileReference(fileReferenceOf("C:\\Media\\Night.jpg"));
    tape->add(*wipe);
    LumoMoviePtr movie(new LumoMovie);
    movie->setFileReference(fileReferenceOf("C:\\Media\\Rain.avi"));
    tape->add(*movie);
    ActorActionPtr action(new ActorAction);
    action->setActorName(KString("Fox"));
    action->setMovementName(KString("Walk"));
    tape->add(*action);
    ActorMotionPtr motion(new ActorMotion);
    motion->setActorName(KString("Fox"));
    for (long i = 0; i < 6; ++i)
        motion->addPoint(i * 20, 300 - i * 10);
    tape->add(*motion);
    return tape;
}

bool saveProject(Tape& Story, const KFileReference& File)
{
    LumoProjectPtr project(new LumoProject);
    project->setTape(Story);
    return project->save(File);
}

// What a refused load must leave: the story that was open and its file.
class OpenStory {
public:
    OpenStory()
        : m_tape(new Tape)
        , m_file(fileReferenceOf("C:\\Stories\\Previous.TPD"))
    {
        m_tape->add(*LumoPausePtr(new LumoPause));
    }
    LumoProjectPtr project() const
    {
        LumoProjectPtr project(new LumoProject);
        project->setTape(*m_tape);
        project->setFileReference(*KFileReferencePtr(new KFileReference(m_file)));
        return project;
    }
    void expectKept(const LumoProject& Project) const
    {
        if (!Project.hasTape() || &Project.getTape() != m_tape.get() || m_tape->getCount() != 1)
            throw BrokenRefusal("the refused document replaced or changed the open story");
        if (!Project.hasFileReference() || !(Project.getFileReference() == m_file))
            throw BrokenRefusal("the refused document took the open story's file");
    }

private:
    TapePtr m_tape;
    KFileReference m_file;
};

// Both kinds of project document open through LumoProject::load, told apart by their
// extension; a refusal must leave the open story as it was.
class ProjectDocumentReader : public InputReader {
public:
    explicit ProjectDocumentReader(const char* Extension)
        : m_extension(Extension)
    {
    }

    DamageProfile profile() const override { return classBlockProfile(); }
    void prepare(const std::string& Folder) override { m_path = Folder + "\\Story." + m_extension; }

    Outcome open(const Bytes& Input) override
    {
        writeFileBytes(m_path, Input);
        LumoProjectPtr project = m_open.project();
        if (project->load(fileReferenceOf(m_path)))
            return Outcome::Loaded;
        m_open.expectKept(*project);
        return Outcome::Refused;
    }

private:
    std::string m_extension;
    std::string m_path;
    OpenStory m_open;
};

class ProjectReader : public ProjectDocumentReader {
public:
    ProjectReader()
        : ProjectDocumentReader("TPD")
    {
    }
    std::string name() const override { return "project"; }

    void writeSeeds(const std::string& Folder) override
    {
        keepSeed(Folder, "Everything.TPD", [](const KFileReference& File) { return saveProject(*storyOfEveryKind(), File); });
        keepSeed(Folder, "Empty.TPD", [](const KFileReference& File) { return saveProject(*TapePtr(new Tape), File); });
        keepSeed(Folder, "Texts.TPD", [](const KFileReference& File) {
            TapePtr tape(new Tape);
            for (int i = 0; i < 3; ++i) {
                KTypedPtr<LumoText, TapeGraphicObjectPtr> text(new LumoText);
                text->setTextBlock(*textBlockOf({"One", "Two", "Three"}));
                tape->add(*text);
            }
            tape->setPageWidth(1024);
            tape->setPageHeight(700);
            return saveProject(*tape, File);
        });
    }
};

class OldDocumentReader : public ProjectDocumentReader {
public:
    OldDocumentReader()
        : ProjectDocumentReader("LMT")
    {
    }
    std::string name() const override { return "olddocument"; }

    void writeSeeds(const std::string& Folder) override
    {
        keepSeed(Folder, "Everything.LMT", [](const KFileReference& File) { return writeOldDocument(File, true); });
        keepSeed(Folder, "Pause.LMT", [](const KFileReference& File) { return writeOldDocument(File, false); });
    }

private:
    // The old program's records, through the old object model's own writers.
    static bool writeOldDocument(const KFileReference& File, bool Everything)
    {
        const std::string path = File.getNativePath().getText();
        writeFileBytes(path, {});
        ZTape* tape = static_cast<ZTape*>(ZThing::assign(new ZTape));
        auto* pause = new ZLumoPause;
        pause->setDuration(3);
        tape->add(pause);
        if (Everything) {
            auto* text = new ZLumoText;
            text->getStyledText().setText(ZString("Once upon a time\rthere was a fox."));
            text->setBounds(ZRectangle(10, 10, 300, 80));
            text->setVoice(ZString("Fred"));
            tape->add(text);
            auto* sound = new ZLumoSound;
            sound->getFile().setPath(ZString("C:\\Media\\Wind.wav"));
            tape->add(sound);
            auto* speech = new ZLumoSpeech;
            speech->setText(ZString("The fox ran."));
            tape->add(speech);
            auto* stroke = new ZStroke;
            for (short i = 0; i < 8; ++i)
                stroke->addPoint(static_cast<short>(i * 5), static_cast<short>(i * 3));
            tape->add(stroke);
            tape->add(new ZWipeOut);
            tape->add(new ZWaitMouseClick);
            auto* image = new ZImage;
            image->getFile().setPath(ZString("C:\\Media\\Forest.bmp"));
            tape->add(image);
            auto* movie = new ZLMMovie;
            movie->getFile().setPath(ZString("C:\\Media\\Rain.avi"));
            tape->add(movie);
        }
        ZFile file{ZString(path.c_str())};
        file.open();
        file.writeLong(OldDocumentImport::kDocumentType);
        tape->writeToFile(file);
        const bool written = file.getError() == ZFile::NoError;
        file.close();
        ZThing::unassign(tape);
        return written;
    }
};

class ActorReader : public InputReader {
public:
    std::string name() const override { return "actor"; }
    DamageProfile profile() const override { return classBlockProfile(); }

    void writeSeeds(const std::string& Folder) override
    {
        keepSeed(Folder, "Fox.ACT", [](const KFileReference& File) {
            ActorPtr actor(new Actor);
            for (const char* name : {"Walk", "Jump"}) {
                ActorSequencePtr movement(new ActorSequence);
                movement->setName(KString(name));
                for (int f = 0; f < 2; ++f)
                    movement->addFrame(*storyOfEveryKind());
                actor->getMovements().add(*movement);
            }
            return actor->save(File);
        });
        keepSeed(Folder, "Plain.ACT", [](const KFileReference& File) { return ActorPtr(new Actor)->save(File); });
    }

    void prepare(const std::string& Folder) override
    {
        m_path = Folder + "\\Actor.ACT";
        m_media = KDirectoryPtr(new KDirectory(fileReferenceOf(Folder + "\\Media\\x").getDirectory()));
    }

    Outcome open(const Bytes& Input) override
    {
        writeFileBytes(m_path, Input);
        ActorPtr actor(new Actor);
        const KString name("Previous");
        actor->setName(name);
        const long movements = actor->getMovements().getCount();
        bool searchMedia = true;
        if (actor->load(fileReferenceOf(m_path), *m_media, searchMedia))
            return Outcome::Loaded;
        if (!(actor->getName() == name) || actor->getMovements().getCount() != movements)
            throw BrokenRefusal("the refused actor file changed the actor");
        return Outcome::Refused;
    }

private:
    std::string m_path;
    KDirectoryPtr m_media;
};

} // namespace

std::vector<std::unique_ptr<InputReader>> makeStoryDocumentReaders()
{
    std::vector<std::unique_ptr<InputReader>> readers;
    readers.push_back(std::make_unique<ProjectReader>());
    readers.push_back(std::make_unique<OldDocumentReader>());
    readers.push_back(std::make_unique<ActorReader>());
    return readers;
}
