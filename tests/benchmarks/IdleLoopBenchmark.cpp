#include "tests/benchmarks/Benchmarks.h"

#include "application/KApplication.h"
#include "application/KTimerManager.h"
#include "foundation/KTimer.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bench {

namespace {

constexpr long kPeriod = 20;
// The tape's tick: steady, with at most 200 ms of backlog.
constexpr long kTapeMaxLag = 200;

class TickRecorder : public KThing {
public:
    void doTimer(KTimer&) override { ticks.push_back(now()); }
    std::vector<double> ticks;
};
K_POINTER_CLASS(TickRecorder, KThingPtr);

struct LoopRun {
    double selfShare = 0;   // of one core
    double serverShare = -1;
    std::vector<double> deviations; // ms, each tick against the period's grid
    long ticks = 0;
    long expected = 0;
};

// Each tick's distance from a grid of the period laid through the ticks' median phase.
void judgeTicks(const std::vector<double>& Ticks, LoopRun& Run)
{
    Run.ticks = long(Ticks.size());
    if (Ticks.size() < 2)
        return;
    std::vector<double> phases;
    for (size_t k = 0; k < Ticks.size(); ++k)
        phases.push_back((Ticks[k] - Ticks[0]) * 1e3 - double(k) * kPeriod);
    const double phase = percentile(phases, 0.5);
    for (double p : phases)
        Run.deviations.push_back(std::fabs(p - phase));
    Run.expected = long(std::floor((Ticks.back() - Ticks.front()) * 1e3 / kPeriod + 0.5)) + 1;
}

template <typename Body>
LoopRun measure(double Seconds, Body&& Run)
{
    LoopRun run;
    const ProcessorTime before = processorTime();
    const double start = now();
    std::vector<double> ticks = Run(start + Seconds);
    const double wall = now() - start;
    const ProcessorTime after = processorTime();
    run.selfShare = (after.self - before.self) / wall;
    if (before.server >= 0 && after.server >= 0)
        run.serverShare = (after.server - before.server) / wall;
    judgeTicks(ticks, run);
    return run;
}

std::vector<double> runMainLoop(KApplication& Application, double Until)
{
    TickRecorderPtr recorder = new TickRecorder;
    KTimerPtr timer = new KTimer;
    timer->setTarget(*recorder);
    timer->setPeriod(kPeriod);
    timer->setRepeating(true);
    timer->setCatchUpMode(KTimer::SteadyWithLagLimit);
    timer->setMaxLag(kTapeMaxLag);
    timer->start();
    while (now() < Until)
        Application.processEvents();
    timer->stop();
    timer->resetTarget();
    return recorder->ticks;
}

DWORD s_thread = 0;
void CALLBACK postTick(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) { PostThreadMessageA(s_thread, WM_APP + 7, 0, 0); }

// A thread blocked in GetMessage that a periodic multimedia timer wakes: the least a
// 20 ms tick can cost on this system.
std::vector<double> runMultimediaTimer(double Until)
{
    std::vector<double> ticks;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    s_thread = GetCurrentThreadId();
    timeBeginPeriod(1);
    const MMRESULT event = timeSetEvent(kPeriod, 1, &postTick, 0, TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
    while (now() < Until && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_APP + 7)
            ticks.push_back(now());
    }
    timeKillEvent(event);
    timeEndPeriod(1);
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    return ticks;
}

void printRow(const char* Name, const std::vector<LoopRun>& Runs)
{
    std::vector<double> self, server, total, deviations;
    long ticks = 0, expected = 0;
    for (const LoopRun& run : Runs) {
        self.push_back(run.selfShare * 100);
        if (run.serverShare >= 0) {
            server.push_back(run.serverShare * 100);
            total.push_back((run.selfShare + run.serverShare) * 100);
        }
        deviations.insert(deviations.end(), run.deviations.begin(), run.deviations.end());
        ticks += run.ticks;
        expected += run.expected;
    }
    const Summary s = summarize(self);
    std::printf("%-34s %6.2f [%.2f-%.2f] %8s %8s %8.2f %8.2f %8ld %8ld\n", Name, s.median, s.min, s.max,
                server.empty() ? "-" : std::to_string(percentile(server, 0.5)).substr(0, 5).c_str(),
                total.empty() ? "-" : std::to_string(percentile(total, 0.5)).substr(0, 5).c_str(),
                percentile(deviations, 0.5), percentile(deviations, 0.99), ticks, std::max(0L, expected - ticks));
}

} // namespace

void runIdleLoopFigures(int Rounds, double SecondsPerRun)
{
    KApplication* application = new KApplication;
    KTimerManager::initManager();
    std::vector<LoopRun> loop, reference;
    for (int round = 0; round < Rounds; ++round) {
        loop.push_back(measure(SecondsPerRun, [&](double Until) { return runMainLoop(*application, Until); }));
        reference.push_back(measure(SecondsPerRun, [&](double Until) { return runMultimediaTimer(Until); }));
        std::fprintf(stderr, "idle loop round %d of %d done\n", round + 1, Rounds);
    }
    KTimerManager::exitManager();
    KApplication::releaseApplication();

    std::printf("\nidle loop: one %ld ms timer, %d interleaved runs of %.1f s; processor time in %% of one core, "
                "median [min-max] over runs;\ntick deviation in ms from the period's grid, over all ticks\n\n",
                kPeriod, Rounds, SecondsPerRun);
    std::printf("%-34s %20s %8s %8s %8s %8s %8s %8s\n", "", "process %", "server %", "total %", "dev p50",
                "dev p99", "ticks", "missed");
    printRow("main loop, tape's timer mode", loop);
    printRow("reference: multimedia timer", reference);
    std::printf("goals: main loop process <= 2%% of a core, tick deviation p99 <= 2.5 ms, no missed tick\n");
}

} // namespace bench
