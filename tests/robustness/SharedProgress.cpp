#include "tests/robustness/SharedProgress.h"

#include <cstring>
#include <stdexcept>

#include <windows.h>

const char* failureKindName(FailureKind Kind)
{
    switch (Kind) {
    case FailureKind::None: return "none";
    case FailureKind::Fatal: return "fatal exit";
    case FailureKind::Crash: return "crash";
    case FailureKind::Abort: return "abort";
    case FailureKind::Hang: return "hang";
    case FailureKind::Broken: return "broken refusal";
    }
    return "unknown";
}

namespace {
template <size_t N>
void copyInto(char (&Field)[N], const std::string& Text)
{
    const size_t length = Text.size() < N - 1 ? Text.size() : N - 1;
    std::memcpy(Field, Text.data(), length);
    Field[length] = '\0';
}
} // namespace

void SharedProgress::setMessage(const std::string& Text) { copyInto(message, Text); }
void SharedProgress::setWhere(const std::string& Text) { copyInto(where, Text); }

SharedProgressMapping::SharedProgressMapping(const std::string& Name, bool Create)
{
    if (Create)
        m_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedProgress), Name.c_str());
    else
        m_mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, Name.c_str());
    if (!m_mapping)
        throw std::runtime_error("no shared progress block " + Name);
    m_block = static_cast<SharedProgress*>(MapViewOfFile(m_mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedProgress)));
    if (!m_block) {
        CloseHandle(m_mapping);
        throw std::runtime_error("cannot map " + Name);
    }
    if (Create)
        std::memset(m_block, 0, sizeof(SharedProgress));
}

SharedProgressMapping::~SharedProgressMapping()
{
    UnmapViewOfFile(m_block);
    CloseHandle(m_mapping);
}
