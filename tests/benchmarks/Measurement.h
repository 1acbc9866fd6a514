#pragma once
// Wall-clock and processor-time measurement for the benchmark program, and the figures it
// prints: each figure pairs a measured case with its reference, timed alternately in every
// round, so that a slow moment of the machine touches both.
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Seconds on the performance counter.
double now();

// The processor time, in seconds, of this process and of the Wine server that serves it,
// read from the host's process table; negative when it cannot be read.
struct ProcessorTime {
    double self = -1;
    double server = -1;
};
ProcessorTime processorTime();

// Order statistics of a list of samples.
struct Summary {
    double median = 0;
    double low = 0;  // 25th percentile
    double high = 0; // 75th percentile
    double min = 0;
    double max = 0;
};
Summary summarize(std::vector<double> Samples);
double percentile(std::vector<double> Samples, double Fraction);

// One line of the table: a measured case, its reference, and how the ratio is judged.
struct Figure {
    std::string name;
    std::string reference;
    // The timed bodies; each returns the seconds it took (a body that times only part of
    // its work, as a decoder's throughput, returns that part).
    std::function<double()> measured;
    std::function<double()> referenced;
    // Ratio goal (measured / reference at most this); 0 for none.
    double ratioGoal = 0;
    // Throughput goal in MB/s of Bytes per measured run; 0 for none.
    double throughputGoal = 0;
    double bytes = 0;

    std::vector<double> measuredTimes;
    std::vector<double> referenceTimes;
    std::vector<double> ratios;
};

// Runs every figure Rounds times, interleaved (round by round, each figure's measured case
// then its reference), after one untimed warm-up round.
void runInterleaved(std::vector<Figure>& Figures, int Rounds);
void printTable(const std::vector<Figure>& Figures, int Rounds);

} // namespace bench
