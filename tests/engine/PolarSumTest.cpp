#include "engine/PolarSum.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PredictionTestVenues.h"
#include "engine/AutoConfigure.h"
#include "engine/AutoConfigureServices.h"
#include "engine/CaptionLabel.h"
#include "engine/Environment.h"
#include "engine/ProgressController.h"

namespace polvane {
namespace {

using testing::AddArea;
using testing::ArraySpec;
using testing::CellSpec;
using testing::MakeVenue;

// Runs with the vector routines switched off, restoring them however the test ends.
class PlainSum {
public:
    PlainSum() { PolarSum::SetVectorised(false); }
    ~PlainSum() { PolarSum::SetVectorised(true); }
    PlainSum(const PlainSum&) = delete;
    PlainSum& operator=(const PlainSum&) = delete;
};

// A 24-cell curved column over a floor, a balcony and a riser.
std::unique_ptr<Environment> CurvedHall()
{
    ArraySpec spec;
    spec.location = Point2D(0, 45);
    for (int i = 0; i < 24; ++i)
        spec.cells.push_back({static_cast<double>(i == 0 ? 2 : (i < 8 ? 1 : (i < 16 ? 3 : 6))),
                              i % 5 == 4 ? -3.0f : 0.0f});
    auto env = MakeVenue(spec);
    AddArea(*env, Point2D(15, 0), Point2D(110, 8));
    AddArea(*env, Point2D(70, 22), Point2D(140, 38));
    AddArea(*env, Point2D(112, 9), Point2D(150, 20));
    env->SetEarHeight(4);
    return env;
}

struct VenueCase {
    const char* name;
    std::function<void(Environment&)> setUp;
};

const std::vector<float> kThirdOctaves{100,  125,  160,  200,  250,  315,   400,   500,
                                       630,  800,  1000, 1250, 1600, 2000,  2500,  3150,
                                       4000, 5000, 6300, 8000, 10000, 12500, 16000};

void PrintTo(const VenueCase& c, std::ostream* os) { *os << c.name; }

class VectorisedSum : public ::testing::TestWithParam<VenueCase> {};

// The vector sines and cosines differ from the C library's in the last bits only: the
// levels stay within 1e-5 dB of the plain loop's down to 25 dB below the peak, and the
// evenness figures with them.
TEST_P(VectorisedSum, AgreesWithThePlainLoop)
{
    if (!PolarSum::Vectorised())
        GTEST_SKIP() << "no vector math library here";
    auto env = CurvedHall();
    GetParam().setUp(*env);
    const CalculationResults vector = env->GenerateCalculations(false);
    CalculationResults plain;
    {
        const PlainSum off;
        ASSERT_EQ(PolarSum::Lanes(), 1);
        plain = env->GenerateCalculations(false);
        // Nothing of the vector routine's kept sums went into the plain one's.
        Environment other;
        other.Clear();
        other.LineArray().Cells().Add();
        other.GenerateCalculations(false);
        EXPECT_EQ(env->GenerateCalculations(false).PolarLevels, plain.PolarLevels);
    }
    ASSERT_EQ(vector.PolarLevels.size(), plain.PolarLevels.size());
    for (std::size_t j = 0; j < plain.PolarLevels.size(); ++j) {
        // Far below the peak the sum cancels, and a few last bits weigh more in dB.
        const double tolerance = plain.PolarLevels[j] > -25.0f ? 1e-5 : 1e-3;
        EXPECT_NEAR(vector.PolarLevels[j], plain.PolarLevels[j], tolerance) << "index " << j;
    }
    ASSERT_EQ(vector.AreaLevels.size(), plain.AreaLevels.size());
    for (std::size_t a = 0; a < plain.AreaLevels.size(); ++a) {
        ASSERT_EQ(vector.AreaLevels[a].Samples.size(), plain.AreaLevels[a].Samples.size());
        for (std::size_t s = 0; s < plain.AreaLevels[a].Samples.size(); ++s)
            EXPECT_NEAR(vector.AreaLevels[a].Samples[s].Level,
                        plain.AreaLevels[a].Samples[s].Level, 1e-5);
    }
    EXPECT_NEAR(vector.EvennessScore, plain.EvennessScore, 1e-5 * plain.EvennessScore);
    EXPECT_NEAR(vector.MaxLevelDrop, plain.MaxLevelDrop, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(
    PolarSum, VectorisedSum,
    ::testing::Values(
        VenueCase{"OneKilohertz", [](Environment&) {}},
        VenueCase{"SixteenKilohertz", [](Environment& env) { env.SetCenterFrequency(16000); }},
        VenueCase{"ThirdOctaveAggregate",
                  [](Environment& env) {
                      env.SetFrequencyList(kThirdOctaves);
                      env.SetAggregateFrequencies(true);
                  }},
        VenueCase{"StackedFineSweep",
                  [](Environment& env) {
                      env.LineArray().SetConfiguration(ConfigurationCode::GroundStacked);
                      env.CalcParameters().SetAngleStep(0.25f);
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

// Auto-Configure chooses the same design with either routine.
TEST(PolarSum, AutoConfigureDesignsTheSameWithEitherRoutine)
{
    class Quiet : public ProgressController, public CaptionLabel {
    public:
        void SetProgress(double) override {}
        void SetCaption(const std::string&) override {}
    };
    // Counts readings, so both searches try the same candidates.
    class Readings : public AutoConfigureServices {
    public:
        bool RefinementEnabled() override { return true; }
        std::int64_t TickCount() override { return ++now; }
        void RefreshWindows() override {}
        void LetMessagesRun() override {}
        std::int64_t now = 0;
    };
    const auto design = [] {
        auto env = CurvedHall();
        for (int i = 16; i >= 9; --i)
            env->LineArray().Cells().Remove(i);
        env->SetAutoCalcBaselines(10, 10);
        Quiet quiet;
        Readings readings;
        const bool cancel = false;
        env->AutoCalculate(3000, cancel, quiet, quiet, quiet, nullptr, readings);
        std::vector<int> indices;
        for (int i = 1; i <= env->LineArray().Cells().Count(); ++i)
            indices.push_back(env->LineArray().Cells().Item(i).GetSplayIndex());
        return indices;
    };
    const std::vector<int> vector = design();
    std::vector<int> plain;
    {
        const PlainSum off;
        plain = design();
    }
    EXPECT_EQ(vector, plain);
}

// A prediction that starts from the kept sums of the unchanged upper cells gives, bit for
// bit, what one from the first cell gives.
TEST(PolarSum, ReusedSumsGiveTheSameResultsAsAFreshSum)
{
    const auto same = [](const CalculationResults& a, const CalculationResults& b,
                         const std::string& what) {
        ASSERT_EQ(a.PolarLevels.size(), b.PolarLevels.size()) << what;
        for (std::size_t j = 0; j < a.PolarLevels.size(); ++j)
            ASSERT_EQ(a.PolarLevels[j], b.PolarLevels[j]) << what << ", index " << j;
        EXPECT_EQ(a.EvennessScore, b.EvennessScore) << what;
    };
    auto env = CurvedHall();
    env->SetFrequencyList({250, 1000, 4000});
    Environment other; // a different venue in between forgets every kept sum
    other.Clear();
    other.LineArray().Cells().Add();
    for (const bool aggregate : {false, true}) {
        env->SetAggregateFrequencies(aggregate);
        env->GenerateCalculations(false);
        for (const int cell : {20, 20, 7, 24, 1, 13}) {
            Cell& changed = env->LineArray().Cells().Item(cell);
            const int choices = static_cast<int>(changed.GetPossibleSplays().size());
            changed.SetSplayIndex(changed.GetSplayIndex() % choices + 1);
            const CalculationResults reused = env->GenerateCalculations(false);
            other.GenerateCalculations(false);
            const CalculationResults fresh = env->GenerateCalculations(false);
            same(reused, fresh, "cell " + std::to_string(cell));
        }
        // An attenuation change counts as a change of the cell.
        env->LineArray().Cells().Item(18).SetAttenuation(-6);
        const CalculationResults reused = env->GenerateCalculations(false);
        other.GenerateCalculations(false);
        same(reused, env->GenerateCalculations(false), "attenuation");
        env->LineArray().Cells().Item(18).SetAttenuation(0);
    }
}

// The evenness graph's one pass gives each band's full-prediction score.
TEST(PolarSum, EvennessScoresMatchAFullPredictionPerFrequency)
{
    auto env = CurvedHall();
    // The second time after an edit of a lower cell, from the kept sums of the others.
    for (const int edit : {0, 1}) {
        if (edit == 1)
            env->LineArray().Cells().Item(15).SetSplayIndex(1);
        const std::vector<float> scores = env->EvennessScores(kThirdOctaves);
        ASSERT_EQ(scores.size(), kThirdOctaves.size());
        for (std::size_t i = 0; i < kThirdOctaves.size(); ++i) {
            env->SetCenterFrequency(kThirdOctaves[i]);
            EXPECT_EQ(scores[i], env->GenerateCalculations(false).EvennessScore)
                << kThirdOctaves[i] << " Hz, edit " << edit;
        }
    }
    Environment empty;
    empty.Clear();
    EXPECT_EQ(empty.EvennessScores({100, 1000}), (std::vector<float>{0.0f, 0.0f}));
}

} // namespace
} // namespace polvane
