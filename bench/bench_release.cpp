// What dropping the last reference costs the releasing thread, against
// deleting the same object in place. Objects are made and collected outside
// the timed part, in batches, so only the release (or the delete) is timed.

#include "BaselineReporter.h"
#include "orbRuntime.h"

#include <vector>

namespace {

constexpr int BatchSize = 1000;

struct Payload : orb::refcounted
{
    int values[8] = {};
};

void PlainDelete(benchmark::State &state)
{
    std::vector<Payload *> batch(BatchSize);
    for (auto _ : state) {
        state.PauseTiming();
        for (auto &payload : batch)
            payload = new Payload;
        state.ResumeTiming();
        for (Payload *payload : batch)
            delete payload;
    }
    state.SetItemsProcessed(state.iterations() * BatchSize);
}
BENCHMARK(PlainDelete);

void LastRelease(benchmark::State &state)
{
    // A collector whose thread is stopped, so that only the releasing
    // thread's work is timed; its queue is drained outside the timed part.
    orb::GarbageCollection *host = orb::GarbageCollection::instance();
    orb::GarbageCollection collector(100);
    collector.stop(-1);
    std::vector<orb::ref_ptr<Payload>> batch(BatchSize);
    for (auto _ : state) {
        state.PauseTiming();
        for (auto &payload : batch)
            payload = orb::ref_ptr<Payload>(new Payload);
        state.ResumeTiming();
        for (auto &payload : batch)
            payload.reset();
        state.PauseTiming();
        collector.collect(false);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * BatchSize);
    orb::GarbageCollection::setInstance(host);
}
BENCHMARK(LastRelease);

// A reference that is not the last: one acquire and one release.
void AcquireRelease(benchmark::State &state)
{
    orb::ref_ptr<Payload> held(new Payload);
    for (auto _ : state) {
        orb::ref_ptr<Payload> copy = held;
        benchmark::DoNotOptimize(copy.get());
    }
}
BENCHMARK(AcquireRelease);

// End to end with the host's collector running beside the releasing thread;
// both threads share the allocator, so this is the whole-system cost.
void MakeAndReleaseWithRunningCollector(benchmark::State &state)
{
    for (auto _ : state) {
        orb::ref_ptr<Payload> payload(new Payload);
        benchmark::DoNotOptimize(payload.get());
    }
}
BENCHMARK(MakeAndReleaseWithRunningCollector);

void MakeAndDelete(benchmark::State &state)
{
    for (auto _ : state) {
        auto *payload = new Payload;
        benchmark::DoNotOptimize(payload);
        delete payload;
    }
}
BENCHMARK(MakeAndDelete);

const bool registered = [] {
    orbbench::compareWith("LastRelease", "PlainDelete");
    orbbench::compareWith("MakeAndReleaseWithRunningCollector", "MakeAndDelete");
    return true;
}();

} // namespace
