#include "tests/support/ReportCatcher.h"

#include "foundation/ErrorTable.h"
#include "foundation/KernelFunctions.h"

#include <gtest/gtest.h>

namespace {
ReportCatcher* s_innermost = nullptr;
constexpr int kIdOk = 1;
} // namespace

ReportCatcher::ReportCatcher()
    : m_outer(s_innermost)
    , m_answer(kIdOk)
{
    s_innermost = this;
}

ReportCatcher::~ReportCatcher()
{
    s_innermost = m_outer;
}

std::vector<int> ReportCatcher::codes() const
{
    std::vector<int> result;
    for (const CaughtReport& report : m_reports)
        result.push_back(report.code);
    return result;
}

bool ReportCatcher::caught(int Code, const std::string& Context) const
{
    for (const CaughtReport& report : m_reports) {
        if (report.code == Code && report.context == Context)
            return true;
    }
    return false;
}

void ReportCatcher::clear()
{
    m_reports.clear();
    m_boxes.clear();
}

void ReportCatcher::catchReport(int Code, const char* Context)
{
    if (!s_innermost) {
        ADD_FAILURE() << "unexpected error report " << Code << " from \"" << (Context ? Context : "") << "\"";
        return;
    }
    s_innermost->m_reports.push_back({Code, Context ? Context : ""});
}

int ReportCatcher::presentBox(const char* Caption, const char* Text, unsigned Flags)
{
    if (!s_innermost) {
        ADD_FAILURE() << "unexpected message box \"" << (Caption ? Caption : "") << "\": \"" << (Text ? Text : "") << "\"";
        return kIdOk;
    }
    s_innermost->m_boxes.push_back({Caption ? Caption : "", Text ? Text : "", Flags});
    return s_innermost->m_answer;
}

void installTestReportHooks()
{
    kksSetErrorHook([](uint8 Code, const char* Context) { ReportCatcher::catchReport(Code, Context); });
    kksSetErrorMode(kErrorModeHook);
    knsSetMessageBoxPresenter(&ReportCatcher::presentBox);
}
