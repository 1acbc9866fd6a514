#include "tests/robustness/InputMinimizer.h"

#include "tests/robustness/InputReader.h"
#include "tests/robustness/RunningChild.h"
#include "tests/robustness/ScratchFiles.h"

#include <cstdio>

#include <windows.h>

namespace {

struct Trial {
    // The first candidate that failed, or the count of candidates when none did.
    size_t failed;
    ChildEnd end;
};

class CandidateRunner {
public:
    CandidateRunner(std::string Reader, const std::string& WorkFolder)
        : m_reader(std::move(Reader))
        , m_folder(WorkFolder + "/minimize-" + std::to_string(GetCurrentProcessId()))
    {
        // Process IDs come round again: the candidates of an earlier run must not be taken
        // for these.
        removeScratchFolder(m_folder);
        makeFolder(m_folder);
    }
    ~CandidateRunner() { removeScratchFolder(m_folder); }

    // Runs the candidates from First on, in as many children as failures need, and gives
    // the first that fails like Wanted (any failure when Wanted is none).
    Trial run(const std::vector<Bytes>& Candidates, size_t First, const ChildEnd* Wanted)
    {
        for (size_t i = First; i < Candidates.size(); ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "/%08zu.bin", i);
            writeFileBytes(m_folder + name, Candidates[i]);
        }
        for (size_t from = First; from < Candidates.size();) {
            ChildOrder order;
            order.reader = m_reader;
            order.inputFolder = m_folder;
            order.from = from;
            order.to = Candidates.size();
            RunningChild child(order, 0);
            WaitForSingleObject(child.processHandle(), INFINITE);
            const ChildEnd end = child.end();
            if (end.finished)
                return {Candidates.size(), end};
            if (!Wanted || (end.kind == Wanted->kind && end.message == Wanted->message))
                return {static_cast<size_t>(end.current), end};
            from = static_cast<size_t>(end.current) + 1;
        }
        return {Candidates.size(), ChildEnd()};
    }

private:
    std::string m_reader;
    std::string m_folder;
};

} // namespace

int replayInput(const std::string& Reader, const std::string& Input, const std::string& WorkFolder)
{
    CandidateRunner runner(Reader, WorkFolder);
    const Trial trial = runner.run({readFileBytes(Input)}, 0, nullptr);
    if (trial.failed != 0) {
        std::printf("%s: %s without failing%s\n", Input.c_str(), trial.end.loaded > 0 ? "loaded" : "refused",
            trial.end.message.empty() ? "" : (" (" + trial.end.message + ")").c_str());
        return 0;
    }
    std::printf("%s: %s: %s%s\n", Input.c_str(), failureKindName(trial.end.kind), trial.end.message.c_str(),
        trial.end.where.empty() ? "" : (" (called from " + trial.end.where + ")").c_str());
    return 1;
}

int minimizeInput(const std::string& Reader, const std::string& Input, const std::string& Output, const std::string& WorkFolder)
{
    CandidateRunner runner(Reader, WorkFolder);
    Bytes best = readFileBytes(Input);
    const Trial first = runner.run({best}, 0, nullptr);
    if (first.failed != 0) {
        std::printf("%s does not fail\n", Input.c_str());
        return 1;
    }
    const ChildEnd wanted = first.end;
    std::printf("%s: %s: %s, %zu bytes\n", Input.c_str(), failureKindName(wanted.kind), wanted.message.c_str(), best.size());
    for (size_t length = best.size() / 2; length > 0;) {
        std::vector<Bytes> candidates;
        for (size_t start = 0; start < best.size(); start += length) {
            Bytes candidate(best.begin(), best.begin() + static_cast<long>(start));
            if (start + length < best.size())
                candidate.insert(candidate.end(), best.begin() + static_cast<long>(start + length), best.end());
            candidates.push_back(candidate);
        }
        const Trial trial = runner.run(candidates, 0, &wanted);
        if (trial.failed < candidates.size()) {
            best = candidates[trial.failed];
            length = std::min(length, best.size() / 2 > 0 ? best.size() / 2 : size_t(1));
            std::printf("  %zu bytes\n", best.size());
            continue;
        }
        length /= 2;
    }
    writeFileBytes(Output, best);
    std::printf("smallest: %zu bytes in %s\n", best.size(), Output.c_str());
    return 0;
}
