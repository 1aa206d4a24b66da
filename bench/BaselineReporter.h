#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace orbbench {

// Names a benchmark's baseline in the same run; the ratio of the two medians
// (or single means) is printed after the run.
void compareWith(const std::string &candidate, const std::string &baseline);

// Seconds per iteration of one benchmark run.
struct RunTimes
{
    double cpu = 0;  // CPU time of the thread that ran it
    double real = 0; // wall-clock time: what the caller waits, helper threads included
};
using RunSummary = std::function<void(const std::map<std::string, RunTimes> &timesByName)>;

// Called after the closing table with the times of every run by name, for
// summaries that are more than the ratio of two runs.
void afterRun(RunSummary summary);

// Console output plus a closing table of candidate / baseline time ratios.
class BaselineReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    std::map<std::string, double> m_timeByName; // per-iteration CPU time of the running thread
    std::map<std::string, RunTimes> m_runTimes;
};

} // namespace orbbench
