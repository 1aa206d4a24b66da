#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace orbbench {

// Names a benchmark's baseline in the same run; the ratio of the two medians
// (or single means) is printed after the run.
void compareWith(const std::string &candidate, const std::string &baseline);

// Console output plus a closing table of candidate / baseline time ratios.
class BaselineReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    std::map<std::string, double> m_timeByName; // per-iteration CPU time of the running thread
};

} // namespace orbbench
