#include "tests/benchmarks/Measurement.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace bench {

double now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

namespace {

// Fields 14 and 15 of a host /proc stat line (user and system time, in clock ticks of
// 1/100 s), reached through Wine's mapping of the host's root as drive Z:.
double hostProcessSeconds(const std::string& StatPath)
{
    std::ifstream file(StatPath);
    std::string line;
    if (!file || !std::getline(file, line))
        return -1;
    // The command name stands in parentheses and may hold blanks.
    const size_t close = line.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream rest(line.substr(close + 2));
    std::string field;
    double user = 0, system = 0;
    for (int index = 3; rest >> field; ++index) {
        if (index == 14)
            user = std::atof(field.c_str());
        if (index == 15) {
            system = std::atof(field.c_str());
            return (user + system) / 100.0;
        }
    }
    return -1;
}

std::string readWhole(const std::string& Path)
{
    std::ifstream file(Path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The Wine server of this process's prefix: a host process named "wineserver" whose
// environment names the same WINEPREFIX.
std::string findServerStat()
{
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix)
        return {};
    const std::string wanted = std::string("WINEPREFIX=") + prefix;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::string found;
    do {
        const char* name = entry.cFileName;
        if (!std::isdigit(static_cast<unsigned char>(name[0])))
            continue;
        const std::string folder = std::string("Z:\\proc\\") + name;
        std::string command = readWhole(folder + "\\comm");
        if (command.rfind("wineserver", 0) != 0)
            continue;
        const std::string environment = readWhole(folder + "\\environ");
        for (size_t start = 0; start < environment.size();) {
            const size_t end = environment.find('\0', start);
            const std::string variable = environment.substr(start, end - start);
            if (variable == wanted)
                found = folder + "\\stat";
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    } while (found.empty() && FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

} // namespace

ProcessorTime processorTime()
{
    static const std::string serverStat = findServerStat();
    ProcessorTime time;
    time.self = hostProcessSeconds("Z:\\proc\\self\\stat");
    if (time.self < 0) {
        FILETIME created, exited, kernel, user;
        if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
            auto seconds = [](const FILETIME& T) {
                return double((uint64_t(T.dwHighDateTime) << 32) | T.dwLowDateTime) / 1e7;
            };
            time.self = seconds(kernel) + seconds(user);
        }
    }
    if (!serverStat.empty())
        time.server = hostProcessSeconds(serverStat);
    return time;
}

double percentile(std::vector<double> Samples, double Fraction)
{
    if (Samples.empty())
        return 0;
    std::sort(Samples.begin(), Samples.end());
    const double position = Fraction * double(Samples.size() - 1);
    const size_t below = size_t(position);
    const size_t above = std::min(below + 1, Samples.size() - 1);
    const double weight = position - double(below);
    return Samples[below] * (1 - weight) + Samples[above] * weight;
}

Summary summarize(std::vector<double> Samples)
{
    Summary summary;
    if (Samples.empty())
        return summary;
    summary.median = percentile(Samples, 0.5);
    summary.low = percentile(Samples, 0.25);
    summary.high = percentile(Samples, 0.75);
    summary.min = *std::min_element(Samples.begin(), Samples.end());
    summary.max = *std::max_element(Samples.begin(), Samples.end());
    return summary;
}

void runInterleaved(std::vector<Figure>& Figures, int Rounds)
{
    for (int round = -1; round < Rounds; ++round) {
        for (Figure& figure : Figures) {
            const double measured = figure.measured();
            const double reference = figure.referenced ? figure.referenced() : 0;
            if (round < 0)
                continue;
            figure.measuredTimes.push_back(measured);
            figure.referenceTimes.push_back(reference);
            if (reference > 0)
                figure.ratios.push_back(measured / reference);
        }
        std::fprintf(stderr, "round %d of %d done\n", round + 1, Rounds);
    }
}

void printTable(const std::vector<Figure>& Figures, int Rounds)
{
    std::printf("\n%d interleaved rounds; times are medians in ms; ratio = measured / reference, median "
                "[25th-75th percentile] (min-max)\n\n",
                Rounds);
    std::printf("%-34s %10s %10s  %-28s %-30s %s\n", "figure", "measured", "reference", "ratio", "reference is",
                "goal");
    for (const Figure& figure : Figures) {
        const Summary measured = summarize(figure.measuredTimes);
        const Summary reference = summarize(figure.referenceTimes);
        const Summary ratio = summarize(figure.ratios);
        char ratioText[64];
        std::snprintf(ratioText, sizeof ratioText, "%.2f [%.2f-%.2f] (%.2f-%.2f)", ratio.median, ratio.low,
                      ratio.high, ratio.min, ratio.max);
        std::string goal;
        char text[96];
        if (figure.ratioGoal > 0) {
            std::snprintf(text, sizeof text, "ratio <= %.2g: %s", figure.ratioGoal,
                          ratio.median <= figure.ratioGoal ? "met" : "NOT MET");
            goal = text;
        }
        if (figure.throughputGoal > 0 && measured.median > 0) {
            const double rate = figure.bytes / measured.median / 1e6;
            std::snprintf(text, sizeof text, "%s%.0f MB/s >= %.0f: %s", goal.empty() ? "" : "; ", rate,
                          figure.throughputGoal, rate >= figure.throughputGoal ? "met" : "NOT MET");
            goal += text;
        } else if (figure.bytes > 0 && measured.median > 0) {
            std::snprintf(text, sizeof text, "%s%.0f MB/s", goal.empty() ? "" : "; ", figure.bytes / measured.median / 1e6);
            goal += text;
        }
        std::printf("%-34s %10.2f %10.2f  %-28s %-30s %s\n", figure.name.c_str(), measured.median * 1e3,
                    reference.median * 1e3, ratioText, figure.reference.c_str(), goal.c_str());
    }
}

} // namespace bench
