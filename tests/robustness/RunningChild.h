#pragma once
// A child process of the runner with its shared progress block: started on an order,
// watched while it runs, and read once it has ended, however it ended.
#include "tests/robustness/ChildBatch.h"
#include "tests/robustness/SharedProgress.h"

#include <memory>

struct ChildEnd {
    // The child opened every input of its order.
    bool finished = false;
    // The input it was at when it ended.
    uint64_t current = 0;
    long loaded = 0;
    long refused = 0;
    FailureKind kind = FailureKind::None;
    std::string message;
    std::string where;
};

class RunningChild {
public:
    RunningChild(ChildOrder Order, int Slot);
    ~RunningChild();
    RunningChild(const RunningChild&) = delete;
    RunningChild& operator=(const RunningChild&) = delete;

    const ChildOrder& order() const { return m_order; }
    void* processHandle() const { return m_process; }
    // The input being opened; −1 before the first.
    long current() const { return m_progress->get()->current; }
    // Ends a child that makes no progress.
    void stopAsHung();
    // Once the process has ended.
    ChildEnd end() const;

private:
    ChildOrder m_order;
    std::unique_ptr<SharedProgressMapping> m_progress;
    void* m_process = nullptr;
    bool m_stoppedAsHung = false;
};

// Command-line switches of the child side.
ChildOrder parseChildOrder(int Argc, char** Argv);
// Whether Argument is Switch followed by a value, which goes to Value.
bool takeSwitch(const char* Argument, const char* Switch, std::string& Value);
