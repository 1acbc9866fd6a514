#pragma once
// What a child tells its parent while it opens a batch of damaged inputs: a small block of
// memory the two share, so that the child pays no system call per input and the parent
// still knows, whatever way the child ends, which input it was at and what the last
// message said.
#include <cstdint>
#include <string>

enum class FailureKind : long {
    None = 0,
    // The process was ended through the fatal-error path.
    Fatal = 1,
    // An exception nobody caught: a trap of the checked build, an access violation.
    Crash = 2,
    // An abort, as a failed library assertion ends the process.
    Abort = 3,
    // The input ran past the step bound, or the child stopped making progress.
    Hang = 4,
    // The reader answered, but what it left behind is wrong (a refusal that changed
    // what was open before).
    Broken = 5,
};

const char* failureKindName(FailureKind Kind);

struct SharedProgress {
    // The input being opened; inputs before it are done.
    volatile long current;
    volatile long loaded;
    volatile long refused;
    // Set once the child has opened every input of its batch.
    volatile long finished;
    volatile long failureKind;
    volatile unsigned long exceptionCode;
    // The last message box shown (the fatal path shows one before it ends the process),
    // or what the child found wrong.
    char message[512];
    // The return addresses of the stop box's caller chain (the runner is built with frame
    // pointers), for the map file of the build to name.
    char where[256];

    void setMessage(const std::string& Text);
    void setWhere(const std::string& Text);
};

// The block of one child, named after the parent's process and the child's slot, so that
// parallel children and parallel runners never share one.
class SharedProgressMapping {
public:
    // Creates the block (the parent) or opens it (the child).
    SharedProgressMapping(const std::string& Name, bool Create);
    ~SharedProgressMapping();
    SharedProgressMapping(const SharedProgressMapping&) = delete;
    SharedProgressMapping& operator=(const SharedProgressMapping&) = delete;

    SharedProgress* get() const { return m_block; }

private:
    void* m_mapping = nullptr;
    SharedProgress* m_block = nullptr;
};
