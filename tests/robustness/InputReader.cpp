#include "tests/robustness/InputReader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::vector<std::unique_ptr<InputReader>> makeAllReaders()
{
    std::vector<std::unique_ptr<InputReader>> all;
    for (auto* make : {&makeStoryDocumentReaders, &makeSpeechFileReaders, &makePreferencesReaders, &makeImageReaders}) {
        for (std::unique_ptr<InputReader>& reader : make())
            all.push_back(std::move(reader));
    }
    return all;
}

std::vector<std::string> InputReader::seedFiles(const std::string& Folder) const { return filesIn(Folder, {""}); }

std::vector<std::string> filesIn(const std::string& Folder, const std::vector<std::string>& Suffixes)
{
    std::vector<std::string> found;
    std::error_code error;
    for (fs::directory_iterator it(fs::u8path(Folder), error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file())
            continue;
        std::string name = it->path().filename().u8string();
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        const bool wanted = std::any_of(Suffixes.begin(), Suffixes.end(), [&](const std::string& Suffix) {
            return lower.size() >= Suffix.size() && lower.compare(lower.size() - Suffix.size(), Suffix.size(), Suffix) == 0;
        });
        if (wanted)
            found.push_back(Folder + "/" + name);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::string> inputFilesIn(const std::string& Folder) { return filesIn(Folder, {""}); }

Bytes readFileBytes(const std::string& Path)
{
    std::ifstream in(fs::u8path(Path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& Path, const Bytes& Data)
{
    std::ofstream out(fs::u8path(Path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(Data.data()), static_cast<std::streamsize>(Data.size()));
    if (!out)
        throw std::runtime_error("cannot write " + Path);
}

void makeFolder(const std::string& Path)
{
    std::error_code error;
    fs::create_directories(fs::u8path(Path), error);
}

std::string keptFailuresFolder(const std::string& Suite, const std::string& Reader)
{
    return sourceFolder() + "/tests/" + Suite + "/fixtures/damaged/" + Reader;
}

std::string buildFolder() { return K_BUILD_DIR; }
std::string sourceFolder() { return K_SOURCE_DIR; }
