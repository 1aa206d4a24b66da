// Distance fields of corpus outlines at the cache's size (2048 raster, 128
// field): the brute-force search against the distance transform, outline by
// outline, and a whole generation against rasterising alone. Both kernels
// run on OpenMP threads, so the ratios are of wall-clock time.

#include "BaselineReporter.h"
#include "DistanceField.h"
#include "SvgCorpus.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int SampleCount = 20; // the search takes a large part of a second per outline
const QSizeF RenderSize(2048, 2048);
constexpr int FieldSize = 128;

struct Outline
{
    QPainterPath path;
    QImage raster;
};

// SampleCount outlines spread evenly over the corpus, with their rasters.
const std::vector<Outline> &outlines()
{
    static const std::vector<Outline> sample = [] {
        const std::vector<QPainterPath> all = orbtest::svgCorpusOutlines();

        std::vector<Outline> chosen;
        for (int k = 0; k < SampleCount && !all.empty(); ++k) {
            const QPainterPath &path = all[all.size() * k / SampleCount];
            chosen.push_back({path, orbsdf::rasterizePath(path, RenderSize)});
        }
        return chosen;
    }();
    return sample;
}

void field(benchmark::State &state, int searchLevel)
{
    if (std::size_t(state.range(0)) >= outlines().size()) {
        state.SkipWithError("no corpus outline");
        return;
    }
    const QImage &raster = outlines()[state.range(0)].raster;
    std::vector<std::uint8_t> samples(FieldSize * FieldSize);
    for (auto _ : state) {
        orbsdf::computeDistanceField(raster, FieldSize, {samples.data(), 1}, searchLevel);
        benchmark::DoNotOptimize(samples.data());
    }
}

void SdfReference(benchmark::State &state)
{
    field(state, orbsdf::ReferenceSearchLevel);
}
BENCHMARK(SdfReference)
    ->DenseRange(0, SampleCount - 1)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void SdfFast(benchmark::State &state)
{
    field(state, orbsdf::FastSearchLevel);
}
BENCHMARK(SdfFast)
    ->DenseRange(0, SampleCount - 1)
    ->MinTime(0.05)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void SdfRasterize(benchmark::State &state)
{
    for (auto _ : state) {
        for (const Outline &outline : outlines())
            benchmark::DoNotOptimize(orbsdf::rasterizePath(outline.path, RenderSize).constBits());
    }
    state.SetItemsProcessed(state.iterations() * outlines().size());
}
// Repeated, so that the ratio is of medians and a busy moment does not decide it.
BENCHMARK(SdfRasterize)
    ->MinTime(0.2)
    ->Repetitions(5)
    ->ReportAggregatesOnly()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void SdfGenerate(benchmark::State &state)
{
    for (auto _ : state) {
        for (const Outline &outline : outlines()) {
            benchmark::DoNotOptimize(
                orbsdf::generateDistanceField(outline.path, RenderSize, FieldSize).constBits());
        }
    }
    state.SetItemsProcessed(state.iterations() * outlines().size());
}
BENCHMARK(SdfGenerate)
    ->MinTime(0.2)
    ->Repetitions(5)
    ->ReportAggregatesOnly()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Run names carry the outline and the run's settings: "SdfFast/7/min_time:..."
int outlineOf(const std::string &name, const std::string &prefix)
{
    if (name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    return std::atoi(name.c_str() + prefix.size());
}

const double *realTimeOf(const std::map<std::string, orbbench::RunTimes> &times,
                         const std::string &prefix)
{
    for (const auto &[name, t] : times) {
        if (name.compare(0, prefix.size(), prefix) == 0)
            return &t.real;
    }
    return nullptr;
}

void summarise(const std::map<std::string, orbbench::RunTimes> &times)
{
    std::vector<double> reference(SampleCount, 0);
    std::vector<double> fast(SampleCount, 0);
    for (const auto &[name, t] : times) {
        const int r = outlineOf(name, "SdfReference/");
        const int f = outlineOf(name, "SdfFast/");
        if (r >= 0 && r < SampleCount)
            reference[r] = t.real;
        if (f >= 0 && f < SampleCount)
            fast[f] = t.real;
    }
    std::vector<double> ratios;
    for (int k = 0; k < SampleCount; ++k) {
        if (reference[k] > 0 && fast[k] > 0)
            ratios.push_back(reference[k] / fast[k]);
    }
    if (!ratios.empty()) {
        std::sort(ratios.begin(), ratios.end());
        const std::size_t m = ratios.size() / 2;
        const double median = ratios.size() % 2 ? ratios[m] : (ratios[m - 1] + ratios[m]) / 2;
        std::printf("\nsdf reference/fast outlines: %zu, smallest ratio %.1f, largest %.1f\n",
                    ratios.size(), ratios.front(), ratios.back());
        std::printf("sdf reference/fast median ratio: %.1f\n", median);
    }
    const double *generate = realTimeOf(times, "SdfGenerate");
    const double *rasterize = realTimeOf(times, "SdfRasterize");
    if (generate && rasterize && *rasterize > 0)
        std::printf("sdf generation/raster ratio: %.2f\n", *generate / *rasterize);
}

const bool registered = [] {
    orbbench::afterRun(summarise);
    return true;
}();

} // namespace
