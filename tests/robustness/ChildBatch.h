#pragma once
// The child side of a run: opens the inputs From to To − 1 of one reader in this process,
// telling the parent through the shared block which input it is at. An input that ends
// the process (fatal path, trap, abort) or runs past its step bound leaves its kind in the
// block; the parent takes it from there.
#include <cstdint>
#include <string>

struct ChildOrder {
    std::string reader;
    std::string seedFolder;
    std::string progressName;
    // When set, the inputs are the files of this folder in the order of their names, not
    // damaged copies of the seeds.
    std::string inputFolder;
    uint64_t from = 0;
    uint64_t to = 0;
};

int runChildBatch(const ChildOrder& Order);
