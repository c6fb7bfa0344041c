// Auto-Configure's refinement: how many candidates the search tries per second with the
// real quick prediction. This is where the prediction's speed becomes design quality
// within the user's time limit.
#include <chrono>
#include <memory>

#include <benchmark/benchmark.h>

#include "engine/AutoConfigure.h"
#include "engine/AutoConfigureServices.h"
#include "engine/CalculationResults.h"
#include "engine/CaptionLabel.h"
#include "engine/Environment.h"
#include "engine/ProgressController.h"

#include "BenchVenues.h"

namespace polvane {
namespace {

class NoProgress : public ProgressController {
public:
    void SetProgress(double) override {}
};

class NoLabel : public CaptionLabel {
public:
    void SetCaption(const std::string&) override {}
};

// The real clock, so the search runs for the limit as it does for the user, and the
// number of worker threads the benchmark asks for (0: every hardware thread).
class RealTime : public AutoConfigureServices {
public:
    explicit RealTime(int workers) : workers_(workers) {}
    bool RefinementEnabled() override { return true; }
    std::int64_t TickCount() override
    {
        const std::int64_t now = std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count();
        if (start < 0)
            start = now;
        return now / 1000;
    }
    void RefreshWindows() override {}
    void LetMessagesRun() override {}
    int WorkerCount() override
    {
        return workers_ > 0 ? workers_ : AutoConfigureServices::WorkerCount();
    }
    std::int64_t start = -1; // microseconds, at the search's first reading

private:
    int workers_;
};

std::unique_ptr<Environment> Hall(int cells)
{
    auto venue = std::make_unique<Environment>();
    bench::FillHall(*venue, cells);
    return venue;
}

struct SearchRun {
    std::int64_t candidates = 0;
    double seconds = 0; // of search, after the initial design
};

SearchRun Search(Environment& venue, int limitMs, int workers)
{
    NoProgress progress;
    NoLabel percent, time, combos;
    RealTime services(workers);
    bool cancel = false;
    AutoConfigure search(venue);
    search.Run(limitMs, cancel, progress, percent, time, &combos, services);
    const std::int64_t end = std::chrono::duration_cast<std::chrono::microseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
    return {search.CombinationsTried(), static_cast<double>(end - services.start) / 1e6};
}

// Candidates per second over three seconds of search; arguments: cells, workers.
void BM_Refinement(benchmark::State& state)
{
    const int cells = static_cast<int>(state.range(0));
    const int workers = static_cast<int>(state.range(1));
    double candidates = 0, seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto venue = Hall(cells);
        state.ResumeTiming();
        const SearchRun run = Search(*venue, 3000, workers);
        candidates += static_cast<double>(run.candidates);
        seconds += run.seconds;
    }
    state.counters["items_per_second"] = seconds > 0 ? candidates / seconds : 0.0;
}
BENCHMARK(BM_Refinement)
    ->Args({16, 1})
    ->Args({16, 0})
    ->Args({24, 1})
    ->Args({24, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// What ten seconds of search give the hall: the design's evenness score and its largest
// level drop (lower is better for both), and the candidates tried; arguments: cells,
// workers.
void BM_AutoConfigureQuality(benchmark::State& state)
{
    const int cells = static_cast<int>(state.range(0));
    const int workers = static_cast<int>(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        auto venue = Hall(cells);
        state.ResumeTiming();
        const SearchRun run = Search(*venue, 10'000, workers);
        state.PauseTiming();
        const CalculationResults r = venue->GenerateCalculations(false);
        state.counters["evenness"] = r.EvennessScore;
        state.counters["max_level_drop_db"] = r.MaxLevelDrop;
        state.counters["candidates"] = static_cast<double>(run.candidates);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AutoConfigureQuality)
    ->Args({24, 1})
    ->Args({24, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
} // namespace polvane
