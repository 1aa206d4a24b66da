#include "BaselineReporter.h"

#include <cstdio>

namespace orbbench {

namespace {
std::vector<std::pair<std::string, std::string>> &comparisons()
{
    static std::vector<std::pair<std::string, std::string>> pairs;
    return pairs;
}

std::vector<RunSummary> &summaries()
{
    static std::vector<RunSummary> all;
    return all;
}

// Prefer the median of repetitions; a single run reports its mean.
bool isSummaryOrOnly(const benchmark::BenchmarkReporter::Run &run)
{
    return run.aggregate_name.empty() || run.aggregate_name == "median";
}
} // namespace

void compareWith(const std::string &candidate, const std::string &baseline)
{
    comparisons().emplace_back(candidate, baseline);
}

void afterRun(RunSummary summary)
{
    summaries().push_back(std::move(summary));
}

void BaselineReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.error_occurred || !isSummaryOrOnly(run))
            continue;
        const std::string name = run.run_name.str();
        if (run.aggregate_name == "median" || !m_timeByName.count(name)) {
            m_timeByName[name] = run.GetAdjustedCPUTime();
            const double perSecond = benchmark::GetTimeUnitMultiplier(run.time_unit);
            m_runTimes[name]
                = {run.GetAdjustedCPUTime() / perSecond, run.GetAdjustedRealTime() / perSecond};
        }
    }
}

void BaselineReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf("\n%-40s %-28s %10s\n", "candidate", "baseline", "ratio");
    for (const auto &[candidate, baseline] : comparisons()) {
        const auto c = m_timeByName.find(candidate);
        const auto b = m_timeByName.find(baseline);
        if (c == m_timeByName.end() || b == m_timeByName.end() || b->second <= 0)
            continue;
        std::printf("%-40s %-28s %10.2f\n", candidate.c_str(), baseline.c_str(),
                    c->second / b->second);
    }
    for (const auto &summary : summaries())
        summary(m_runTimes);
}

} // namespace orbbench
