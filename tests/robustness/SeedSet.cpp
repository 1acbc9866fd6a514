#include "tests/robustness/SeedSet.h"

#include "tests/robustness/InputReader.h"

std::string seedFolderOf(const std::string& SeedRoot, const InputReader& Reader) { return SeedRoot + "/" + Reader.name(); }

void writeSeedsOf(InputReader& Reader, const std::string& SeedRoot)
{
    const std::string folder = seedFolderOf(SeedRoot, Reader);
    makeFolder(folder);
    Reader.writeSeeds(folder);
}

DamageMaker seedSetOf(const InputReader& Reader, const std::string& SeedRoot)
{
    std::vector<Bytes> seeds;
    for (const std::string& file : Reader.seedFiles(seedFolderOf(SeedRoot, Reader))) {
        Bytes bytes = readFileBytes(file);
        if (!bytes.empty())
            seeds.push_back(std::move(bytes));
    }
    return DamageMaker(std::move(seeds), Reader.profile(), Reader.name());
}
