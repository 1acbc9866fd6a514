#include "tests/benchmarks/Benchmarks.h"

#include "foundation/KFileReference.h"
#include "foundation/KPath.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KColor.h"
#include "graphics/KFont.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "story/ActorAction.h"
#include "story/ActorMotion.h"
#include "story/LumoImage.h"
#include "story/LumoMovie.h"
#include "story/LumoPause.h"
#include "story/LumoProject.h"
#include "story/LumoSound.h"
#include "story/LumoText.h"
#include "story/Stroke.h"
#include "story/WaitObject.h"
#include "story/WipeOut.h"

#include <windows.h>

#include <cstdio>
#include <memory>

namespace bench {

namespace {

constexpr long kObjects = 2000;

KFileReference referenceOf(const std::string& Path)
{
    KPath path;
    path.setPathText(KString(Path.c_str()), kPlatformWindows);
    return KFileReference(path);
}

TapeObject* makeText(long Index)
{
    auto* text = new LumoText;
    KTextBlockPtr block(new KTextBlock);
    for (int line = 0; line < 2; ++line) {
        auto* made = new KTextLine;
        char words[96];
        std::snprintf(words, sizeof words, "Once upon a time, page %ld, line %d, the little fox ", Index, line);
        made->appendStyleRun(KString(words), KFont(KString("Arial"), 14.0, kPlatformWindows), KColor(kBlack));
        made->appendStyleRun(KString("ran home."), KFont(KString("Times New Roman"), 18.0, kPlatformWindows),
                             KColor(kRed));
        block->addLine(made);
    }
    text->setTextBlock(*block);
    text->setBounds(KGraphicRectangle(20, short(20 + Index % 400), 500, 90));
    text->setBackgroundColor(kWhite);
    text->setHighlightColor(kYellow);
    return text;
}

TapeObject* makeStroke(long Index)
{
    auto* stroke = new Stroke;
    stroke->setPenSize(3);
    stroke->setColor(KColor(kBlue));
    for (short i = 0; i < 40; ++i)
        stroke->addPoint(short(100 + i * 3), short(200 + (i * 7 + Index) % 150));
    return stroke;
}

TapeObject* makeObject(long Index, const std::string& MediaFolder)
{
    char name[64];
    switch (Index % 10) {
    case 0:
    case 5:
        return makeText(Index);
    case 1: {
        auto* image = new LumoImage;
        std::snprintf(name, sizeof name, "\\picture%ld.jpg", Index);
        image->setFileReference(referenceOf(MediaFolder + name));
        image->setFlag(uint8(Index % 3 == 0));
        image->setBounds(KGraphicRectangle(10, 10, 320, 240));
        return image;
    }
    case 2:
        return makeStroke(Index);
    case 3: {
        auto* sound = new LumoSound;
        std::snprintf(name, sizeof name, "\\sound%ld.wav", Index);
        sound->setFileReference(referenceOf(MediaFolder + name));
        return sound;
    }
    case 4: {
        // Speeches need the speech engine the player opens; pauses stand in for them.
        auto* pause = new LumoPause;
        pause->setDuration(1500);
        return pause;
    }
    case 6: {
        auto* pause = new LumoPause;
        pause->setDuration(500 + Index);
        return pause;
    }
    case 7:
        return new WaitObject;
    case 8: {
        auto* wipe = new WipeOut;
        wipe->setEffect(uint8(Index % 5));
        wipe->setColor(KColor(kWhite));
        return wipe;
    }
    default: {
        if (Index % 20 == 9) {
            auto* movie = new LumoMovie;
            std::snprintf(name, sizeof name, "\\movie%ld.avi", Index);
            movie->setFileReference(referenceOf(MediaFolder + name));
            return movie;
        }
        auto* motion = new ActorMotion;
        for (long i = 0; i < 40; ++i)
            motion->addPoint(50 + i * 5, 300 + (i * 3) % 40);
        return motion;
    }
    }
}

// The open a user waits for, as the player opens a story: the document read, and every
// picture, sound and movie it names looked for. The seconds it took, which leave out
// dropping the story again; negative when it failed.
double openStory(const KFileReference& File)
{
    LumoProjectPtr project(new LumoProject);
    const double start = now();
    const bool loaded = project->load(File);
    const double took = now() - start;
    return loaded ? took : -1;
}

// An empty file for every medium the story names, where the story names it.
long placeMedia(const Tape& Story)
{
    long placed = 0;
    for (long i = 0; i < Story.getCount(); ++i) {
        const TapeObject& object = Story.getObjectAt(i);
        const KFileReference* file = nullptr;
        if (const auto* image = dynamic_cast<const LumoImage*>(&object))
            file = &image->getFileReference();
        else if (const auto* sound = dynamic_cast<const LumoSound*>(&object))
            file = &sound->getFileReference();
        else if (const auto* movie = dynamic_cast<const LumoMovie*>(&object))
            file = &movie->getFileReference();
        if (!file)
            continue;
        HANDLE made = CreateFileA(file->getNativePath().getText(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (made != INVALID_HANDLE_VALUE) {
            CloseHandle(made);
            ++placed;
        }
    }
    return placed;
}

double rawRead(const std::string& Path)
{
    const double start = now();
    HANDLE file = CreateFileA(Path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    const DWORD size = GetFileSize(file, nullptr);
    std::unique_ptr<char[]> bytes(new char[size]);
    DWORD read = 0;
    ReadFile(file, bytes.get(), size, &read, nullptr);
    CloseHandle(file);
    return now() - start;
}

} // namespace

void addStoryLoadFigures(std::vector<Figure>& Figures, const std::string& Folder)
{
    const std::string path = Folder + "\\story.nrb";
    long media = 0;
    {
        LumoProject project;
        Tape& tape = project.getTape();
        for (long i = 0; i < kObjects; ++i) {
            TapeObjectPtr object(makeObject(i, Folder + "\\Media"));
            tape.add(*object);
        }
        if (!project.save(referenceOf(path)))
            std::fprintf(stderr, "the story could not be written to %s\n", path.c_str());
        media = placeMedia(tape);
    }
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);
    const KFileReference file = referenceOf(path);
    if (openStory(file) < 0)
        std::fprintf(stderr, "the story did not open\n");

    Figure load;
    char name[96];
    std::snprintf(name, sizeof name, "story open (%ld objects, %ld media, %.2f MB)", kObjects, media,
                  attributes.nFileSizeLow / 1e6);
    load.name = name;
    load.reference = "raw read of the file";
    load.measured = [file] { return openStory(file); };
    load.referenced = [path] { return rawRead(path); };
    load.ratioGoal = 5;
    load.bytes = attributes.nFileSizeLow;
    Figures.push_back(load);
}

} // namespace bench
