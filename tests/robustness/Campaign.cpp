#include "tests/robustness/Campaign.h"

#include "tests/robustness/InputReader.h"
#include "tests/robustness/RunningChild.h"
#include "tests/robustness/SeedSet.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <fstream>
#include <memory>
#include <sstream>

#include <windows.h>

namespace {

struct Failure {
    uint64_t index;
    FailureKind kind;
    std::string message;
    std::string file;
};

struct Tally {
    std::string reader;
    size_t seeds = 0;
    uint64_t inputs = 0;
    uint64_t loaded = 0;
    uint64_t refused = 0;
    // The kept inputs that once failed, opened before the damaged copies.
    uint64_t regressions = 0;
    double childSeconds = 0;
    std::vector<Failure> failures;
};

struct Task {
    size_t reader;
    uint64_t from;
    uint64_t to;
    // The regression files' folder, for the task that opens them.
    std::string inputFolder;
};

struct Slot {
    std::unique_ptr<RunningChild> child;
    size_t reader = 0;
    long lastCurrent = -2;
    ULONGLONG lastChange = 0;
    ULONGLONG started = 0;
};

class CampaignRun {
public:
    explicit CampaignRun(const CampaignOptions& Options)
        : m_options(Options)
        , m_seedRoot(Options.workFolder + "/seeds")
        , m_failureFolder(Options.workFolder + "/failures")
    {
    }

    int run()
    {
        if (!prepareReaders())
            return 1;
        const ULONGLONG began = GetTickCount64();
        planTasks();
        std::vector<Slot> slots(static_cast<size_t>(std::max(1, m_options.jobs)));
        while (!m_tasks.empty() || anyRunning(slots)) {
            for (size_t i = 0; i < slots.size(); ++i) {
                if (!slots[i].child && !m_tasks.empty())
                    start(slots[i], static_cast<int>(i));
            }
            waitForAnEnd(slots);
        }
        return summarise((GetTickCount64() - began) / 1000.0);
    }

private:
    bool prepareReaders()
    {
        makeFolder(m_seedRoot);
        makeFolder(m_failureFolder);
        for (std::unique_ptr<InputReader>& reader : makeAllReaders()) {
            const auto& wanted = m_options.readers;
            if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), reader->name()) == wanted.end())
                continue;
            writeSeedsOf(*reader, m_seedRoot);
            m_makers.push_back(seedSetOf(*reader, m_seedRoot));
            m_regressionFolders.push_back(reader->regressionFolder());
            Tally tally;
            tally.reader = reader->name();
            tally.seeds = m_makers.back().seedCount();
            if (tally.seeds == 0) {
                std::printf("robustness: reader %s has no seeds in %s\n", tally.reader.c_str(),
                    seedFolderOf(m_seedRoot, *reader).c_str());
                return false;
            }
            m_tallies.push_back(tally);
        }
        if (m_tallies.empty()) {
            std::printf("robustness: no reader chosen\n");
            return false;
        }
        return true;
    }

    uint64_t countOf(const std::string& Reader) const
    {
        const auto found = m_options.counts.find(Reader);
        return found == m_options.counts.end() ? m_options.count : found->second;
    }

    // Batches of the readers in turn, so that children of different readers run together.
    void planTasks()
    {
        std::vector<std::deque<Task>> perReader(m_tallies.size());
        for (size_t r = 0; r < m_tallies.size(); ++r) {
            const std::vector<std::string> kept = inputFilesIn(m_regressionFolders[r]);
            if (!kept.empty())
                perReader[r].push_back({r, 0, kept.size(), m_regressionFolders[r]});
            const uint64_t end = m_options.start + countOf(m_tallies[r].reader);
            for (uint64_t from = m_options.start; from < end; from += m_options.batch)
                perReader[r].push_back({r, from, std::min(end, from + m_options.batch), ""});
        }
        for (bool more = true; more;) {
            more = false;
            for (std::deque<Task>& tasks : perReader) {
                if (tasks.empty())
                    continue;
                m_tasks.push_back(tasks.front());
                tasks.pop_front();
                more = true;
            }
        }
    }

    static bool anyRunning(const std::vector<Slot>& Slots)
    {
        return std::any_of(Slots.begin(), Slots.end(), [](const Slot& S) { return S.child != nullptr; });
    }

    void start(Slot& S, int Index)
    {
        const Task task = m_tasks.front();
        m_tasks.pop_front();
        ChildOrder order;
        order.reader = m_tallies[task.reader].reader;
        order.seedFolder = m_seedRoot;
        order.from = task.from;
        order.to = task.to;
        order.inputFolder = task.inputFolder;
        S.child = std::make_unique<RunningChild>(order, Index);
        S.reader = task.reader;
        S.lastCurrent = -2;
        S.started = S.lastChange = GetTickCount64();
    }

    void waitForAnEnd(std::vector<Slot>& Slots)
    {
        std::vector<HANDLE> handles;
        for (const Slot& slot : Slots) {
            if (slot.child)
                handles.push_back(slot.child->processHandle());
        }
        WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, 500);
        const ULONGLONG now = GetTickCount64();
        for (Slot& slot : Slots) {
            if (!slot.child)
                continue;
            if (WaitForSingleObject(slot.child->processHandle(), 0) != WAIT_OBJECT_0) {
                const long current = slot.child->current();
                if (current != slot.lastCurrent) {
                    slot.lastCurrent = current;
                    slot.lastChange = now;
                    continue;
                }
                if (now - slot.lastChange < m_options.watchdogSeconds * 1000ull)
                    continue;
                slot.child->stopAsHung();
            }
            finish(slot, now);
        }
    }

    void finish(Slot& S, ULONGLONG Now)
    {
        const ChildOrder& order = S.child->order();
        const ChildEnd end = S.child->end();
        Tally& tally = m_tallies[S.reader];
        tally.childSeconds += (Now - S.started) / 1000.0;
        const uint64_t opened = end.finished ? order.to - order.from : end.current - order.from + 1;
        if (order.inputFolder.empty()) {
            tally.loaded += static_cast<uint64_t>(end.loaded);
            tally.refused += static_cast<uint64_t>(end.refused);
            tally.inputs += opened;
        } else {
            tally.regressions += opened;
        }
        if (!end.finished) {
            tally.failures.push_back(keepFailure(S.reader, order, end));
            if (end.current + 1 < order.to)
                m_tasks.push_front({S.reader, end.current + 1, order.to, order.inputFolder});
        }
        S.child.reset();
    }

    Failure keepFailure(size_t Reader, const ChildOrder& Order, const ChildEnd& End)
    {
        Failure failure{End.current, End.kind, End.message, ""};
        if (Order.inputFolder.empty()) {
            failure.file = m_failureFolder + "/" + m_tallies[Reader].reader + "-" + std::to_string(End.current) + ".bin";
            writeFileBytes(failure.file, m_makers[Reader].make(End.current));
        } else {
            // A kept regression input fails again: it is its own record.
            failure.file = inputFilesIn(Order.inputFolder).at(End.current);
        }
        std::ofstream list(m_failureFolder + "/failures.txt", std::ios::app);
        list << m_tallies[Reader].reader << " " << End.current << " " << failureKindName(End.kind) << ": " << End.message
             << (End.where.empty() ? "" : " (called from " + End.where + ")") << "\n";
        std::printf("robustness: FAILED %s input %llu: %s: %s\n", m_tallies[Reader].reader.c_str(),
            static_cast<unsigned long long>(End.current), failureKindName(End.kind), End.message.c_str());
        std::fflush(stdout);
        return failure;
    }

    int summarise(double Seconds) const
    {
        std::ostringstream text;
        uint64_t inputs = 0, failures = 0;
        char line[256];
        std::snprintf(line, sizeof line, "%-17s %6s %7s %10s %10s %10s %9s %11s\n", "reader", "seeds", "kept", "inputs",
            "loaded", "refused", "failures", "child-secs");
        text << line;
        for (const Tally& tally : m_tallies) {
            std::snprintf(line, sizeof line, "%-17s %6zu %7llu %10llu %10llu %10llu %9zu %11.1f\n", tally.reader.c_str(),
                tally.seeds, static_cast<unsigned long long>(tally.regressions), static_cast<unsigned long long>(tally.inputs),
                static_cast<unsigned long long>(tally.loaded),
                static_cast<unsigned long long>(tally.refused), tally.failures.size(), tally.childSeconds);
            text << line;
            inputs += tally.inputs;
            failures += tally.failures.size();
        }
        for (const Tally& tally : m_tallies) {
            for (const Failure& failure : tally.failures)
                text << "failure: " << tally.reader << " input " << failure.index << ", " << failureKindName(failure.kind)
                     << ": " << failure.message << " (kept as " << failure.file << ")\n";
        }
        std::snprintf(line, sizeof line, "total: %llu inputs, %llu failures, %.1f s with %d children at a time (inputs from %llu)\n",
            static_cast<unsigned long long>(inputs), static_cast<unsigned long long>(failures), Seconds, m_options.jobs,
            static_cast<unsigned long long>(m_options.start));
        text << line;
        std::printf("%s", text.str().c_str());
        std::fflush(stdout);
        if (!m_options.summaryFile.empty()) {
            std::ofstream summary(m_options.summaryFile, std::ios::trunc);
            summary << text.str();
        }
        return failures == 0 ? 0 : 1;
    }

    const CampaignOptions& m_options;
    std::string m_seedRoot;
    std::string m_failureFolder;
    std::vector<DamageMaker> m_makers;
    std::vector<std::string> m_regressionFolders;
    std::vector<Tally> m_tallies;
    std::deque<Task> m_tasks;
};

} // namespace

int runCampaign(const CampaignOptions& Options) { return CampaignRun(Options).run(); }
