// Auto-Configure's refinement: how many candidates the search tries per second with the
// real quick prediction. This is where the prediction's speed becomes design quality
// within the user's time limit.
#include <chrono>
#include <memory>

#include <benchmark/benchmark.h>

#include "engine/AutoConfigure.h"
#include "engine/AutoConfigureServices.h"
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

// The real clock, so the search runs for the limit as it does for the user. The
// progress reports tell how many candidates were tried by when.
class RealTime : public AutoConfigureServices {
public:
    bool RefinementEnabled() override { return true; }
    std::int64_t TickCount() override
    {
        const std::int64_t now = std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count();
        if (start < 0)
            start = now;
        last = now;
        return now / 1000;
    }
    void RefreshWindows() override {}
    void LetMessagesRun() override {}
    std::string FormatCount(std::int64_t count) override
    {
        tried = count;
        reportedAt = last;
        return {};
    }
    std::int64_t start = -1, last = 0, reportedAt = 0; // microseconds
    std::int64_t tried = 0;
};

std::unique_ptr<Environment> Hall(int cells)
{
    auto venue = std::make_unique<Environment>();
    bench::FillHall(*venue, cells);
    return venue;
}

void BM_Refinement(benchmark::State& state)
{
    const int cells = static_cast<int>(state.range(0));
    double candidates = 0, seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto venue = Hall(cells);
        NoProgress progress;
        NoLabel percent, time;
        NoLabel combos;
        RealTime services;
        bool cancel = false;
        state.ResumeTiming();
        // Three seconds of search; the last progress report carries the count.
        venue->AutoCalculate(3000, cancel, progress, percent, time, &combos, services);
        candidates += static_cast<double>(services.tried);
        seconds += static_cast<double>(services.reportedAt - services.start) / 1e6;
    }
    // Candidates per second of search.
    state.counters["items_per_second"] = seconds > 0 ? candidates / seconds : 0.0;
}
BENCHMARK(BM_Refinement)->Arg(16)->Arg(24)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace polvane
