#pragma once
// Every test program runs with error reports handed to a hook and message boxes answered
// by a presenter, so nothing ever blocks. A report or a box that no test expects fails
// the running test. A test that expects some opens a ReportCatcher for its duration.
#include <string>
#include <vector>

struct CaughtReport {
    int code;
    std::string context;
};

struct CaughtMessageBox {
    std::string caption;
    std::string text;
    unsigned flags;
};

class ReportCatcher {
public:
    ReportCatcher();
    ~ReportCatcher();
    ReportCatcher(const ReportCatcher&) = delete;
    ReportCatcher& operator=(const ReportCatcher&) = delete;

    const std::vector<CaughtReport>& reports() const { return m_reports; }
    const std::vector<CaughtMessageBox>& boxes() const { return m_boxes; }
    // The codes of the reports caught, in order.
    std::vector<int> codes() const;
    bool caught(int Code, const std::string& Context) const;
    void clear();

    // The button the next message boxes answer with (IDOK, IDYES, IDNO...); IDOK at first.
    void answerBoxesWith(int Button) { m_answer = Button; }

    // Called by the hooks the test main installs.
    static void catchReport(int Code, const char* Context);
    static int presentBox(const char* Caption, const char* Text, unsigned Flags);

private:
    ReportCatcher* m_outer;
    std::vector<CaughtReport> m_reports;
    std::vector<CaughtMessageBox> m_boxes;
    int m_answer;
};

// Installs the hooks above; the test main calls it once the error table is built.
void installTestReportHooks();
