#include "tests/support/TemporaryFolder.h"

#include <atomic>
#include <filesystem>
#include <stdexcept>

#include <windows.h>

namespace {
std::atomic<unsigned> s_counter{0};
}

TemporaryFolder::TemporaryFolder()
{
    char base[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, base);
    if (length == 0 || length >= MAX_PATH)
        throw std::runtime_error("no temporary folder");
    for (;;) {
        std::string candidate = std::string(base) + "ktest-" + std::to_string(GetCurrentProcessId())
                              + "-" + std::to_string(s_counter++);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            m_path = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot make " + candidate);
    }
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::u8path(m_path), ignored);
}
