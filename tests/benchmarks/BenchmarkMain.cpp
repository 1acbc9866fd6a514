// The benchmark program: times the slow paths a user meets (loading a story, drawing masked
// pictures, decoding pictures, the idle main loop) against their references and prints one
// table. It is no test: nothing here passes or fails a build.
//
//     benchmarks.exe [--rounds N] [--loop-seconds S] [--only story|pictures|decoders|loop]
#include "application/ApplicationStart.h"
#include "application/FrameworkClasses.h"
#include "controls/ControlsStart.h"
#include "foundation/ErrorTable.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/MultimediaClasses.h"
#include "player/LumoApplication.h"
#include "speechextras/KSpeechExtrasLibrary.h"
#include "story/StoryClasses.h"
#include "tests/benchmarks/Benchmarks.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace bench {

namespace {
long s_reports = 0;
} // namespace

long reportCount() { return s_reports; }

} // namespace bench

namespace {

std::string makeFolder()
{
    char temporary[MAX_PATH];
    GetTempPathA(sizeof temporary, temporary);
    std::string folder = std::string(temporary) + "narrabo-benchmark-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\Media").c_str(), nullptr);
    return folder;
}

void removeFolder(const std::string& Folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((Folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = Folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeFolder(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(Folder.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 7;
    double loopSeconds = 3;
    std::string only;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--rounds"))
            rounds = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--loop-seconds"))
            loopSeconds = std::max(0.5, std::atof(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--only"))
            only = argv[i + 1];
    }

    kksInstallApplicationLayer();
    kksInstallControlsLayer();
    knsEnterKernel();
    // Reports are counted, never shown: a box would stop the run.
    kksSetErrorHook([](uint8 Code, const char* Context) {
        ++bench::s_reports;
        std::fprintf(stderr, "report %d: %s\n", Code, Context ? Context : "");
    });
    kksSetErrorMode(kErrorModeHook);
    knsSetMessageBoxPresenter([](const char* Caption, const char* Text, unsigned) {
        std::fprintf(stderr, "message box \"%s\": %s\n", Caption ? Caption : "", Text ? Text : "");
        return IDOK;
    });
    kksRegisterFrameworkClasses();
    kksRegisterMultimediaClasses();
    KSpeechExtrasLibrary::registerClasses();
    registerStoryClasses();
    LumoApplication::registerClass();
    // Pictures find their decoder by the file types the application registers.
    if (!KFileTypeHandler::hasExtension(KString("BMP")))
        KFileTypeHandler::registerFrameworkTypes();

    const std::string folder = makeFolder();
    std::vector<bench::Figure> figures;
    if (only.empty() || only == "story")
        bench::addStoryLoadFigures(figures, folder);
    if (only.empty() || only == "pictures")
        bench::addPictureFigures(figures, folder);
    if (only.empty() || only == "decoders")
        bench::addDecoderFigures(figures, folder);
    if (!figures.empty()) {
        bench::runInterleaved(figures, rounds);
        bench::printTable(figures, rounds);
    }
    removeFolder(folder);
    // The application object of the loop registers the file types itself.
    KFileTypeHandler::removeAllAssociations();
    if (only.empty() || only == "loop")
        bench::runIdleLoopFigures(rounds, loopSeconds);
    if (bench::reportCount() > 0)
        std::printf("\n%ld framework reports during the run (see above)\n", bench::reportCount());
    std::fflush(stdout);
    return 0;
}
