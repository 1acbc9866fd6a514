#pragma once
// The parent side of a run: writes the seeds, hands the inputs of every reader out to
// child processes in batches, several at a time, restarts a batch after the input that
// ended its child, keeps each failing input as a file, and writes the summary.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct CampaignOptions {
    // Empty: every reader.
    std::vector<std::string> readers;
    uint64_t count = 100;
    // Counts of single readers, over the common one.
    std::map<std::string, uint64_t> counts;
    uint64_t start = 0;
    uint64_t batch = 2000;
    int jobs = 4;
    // Seeds, failing inputs and their list go here.
    std::string workFolder;
    // A copy of the summary, when set.
    std::string summaryFile;
    // A child whose input has not changed for this long is ended as hung. It is only the
    // last resort: a decoder that keeps reading is caught by its step bound long before.
    unsigned watchdogSeconds = 120;
};

// Gives 0 when no input failed.
int runCampaign(const CampaignOptions& Options);
