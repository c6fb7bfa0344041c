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
    venue->Clear();
    LineArray& array = venue->LineArray();
    array.SetConfiguration(0);
    array.SetPinStyle(1);
    for (int i = 0; i < cells; ++i)
        array.Cells().Add();
    array.Bumper().SetLocation(Point2D(0, 45));
    const Point2D f1(15, 0), b1(110, 8), f2(115, 18), b2(170, 40), f3(60, 25), b3(95, 32);
    venue->SeatingAreas().Add(-1, &f1, &b1);
    venue->SeatingAreas().Add(-1, &f2, &b2);
    venue->SeatingAreas().Add(-1, &f3, &b3);
    venue->SetEarHeight(4.25f);
    venue->SetAutoCalcBaselines(5, 5);
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
        // Half a second of search; the last progress report carries the count.
        venue->AutoCalculate(500, cancel, progress, percent, time, &combos, services);
        candidates += static_cast<double>(services.tried);
        seconds += static_cast<double>(services.reportedAt - services.start) / 1e6;
    }
    state.counters["candidates/s"] = seconds > 0 ? candidates / seconds : 0.0;
}
BENCHMARK(BM_Refinement)->Arg(16)->Arg(24)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace polvane
