#include <cmath>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"

#include "BenchVenues.h"

namespace {

using polvane::bench::kPredictionCells;
using polvane::bench::kSweepAngles;
using polvane::bench::PredictionVenue;

void BM_PredictionSingleFrequency(benchmark::State& state)
{
    auto env = PredictionVenue();
    bool tilted = false;
    for (auto _ : state) {
        polvane::bench::MoveEveryCell(*env, tilted);
        auto r = env->GenerateCalculations(false);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_PredictionSingleFrequency);

void BM_PredictionThirdOctaveAggregate(benchmark::State& state)
{
    auto env = PredictionVenue();
    env->SetFrequencyList({100, 125, 160, 200, 250, 315, 400, 500, 630, 800, 1000, 1250, 1600,
                           2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000});
    env->SetAggregateFrequencies(true);
    bool tilted = false;
    for (auto _ : state) {
        polvane::bench::MoveEveryCell(*env, tilted);
        auto r = env->GenerateCalculations(false);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_PredictionThirdOctaveAggregate);

void BM_PredictionQuickRejectedUnbalanced(benchmark::State& state)
{
    auto env = PredictionVenue();
    // Both hang points at the front end of the bar: the array cannot balance.
    env->LineArray().Bumper().SetFrontHangPoint(1);
    env->LineArray().Bumper().SetBackHangPoint(2);
    if (env->GenerateCalculations(true).Balanced)
        state.SkipWithError("the venue was meant to be unbalanced");
    for (auto _ : state) {
        auto r = env->GenerateCalculations(true);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_PredictionQuickRejectedUnbalanced);

// The yardstick: only the float sines and cosines the single-frequency polar sum needs
// (per cell and sweep angle: the aperture factor and the three phase terms' pairs).
void BM_YardstickPolarSinCos(benchmark::State& state)
{
    std::vector<float> args(kPredictionCells * kSweepAngles);
    for (std::size_t i = 0; i < args.size(); ++i)
        args[i] = 0.37f * static_cast<float>(i % 997) - 11.0f;
    benchmark::DoNotOptimize(args.data());
    for (auto _ : state) {
        float sum = 0.0f;
        for (float x : args) {
            const float y = 1.1224620342254639f * x;
            const float z = 0.8908987045288086f * x;
            sum += std::sin(0.5f * x) + std::sin(2.0f * x) + std::cos(x) + std::sin(x) +
                   std::cos(y) + std::sin(y) + std::cos(z) + std::sin(z);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["calls"] = 8.0 * kPredictionCells * kSweepAngles;
}
BENCHMARK(BM_YardstickPolarSinCos);

} // namespace
