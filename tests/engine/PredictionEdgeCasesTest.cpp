#include "engine/Prediction.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PredictionTestVenues.h"
#include "engine/Environment.h"
#include "model/ProductTables.h"

namespace polvane {
namespace {

using testing::AddArea;
using testing::AddPoint;
using testing::ArraySpec;
using testing::ExpectAllFinite;
using testing::MakeVenue;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

ArraySpec FiveCells()
{
    ArraySpec spec;
    spec.cells = {{1}, {3}, {5}, {7}, {9}};
    return spec;
}

// Five cells over two areas, three listening points on them and a frequency list.
std::unique_ptr<Environment> FullVenue(const ArraySpec& spec = FiveCells())
{
    auto env = MakeVenue(spec);
    AddArea(*env, Point2D(15, 2), Point2D(90, 12));
    AddArea(*env, Point2D(95, 14), Point2D(140, 30));
    AddPoint(*env, 1, 10);
    AddPoint(*env, 1, 50);
    AddPoint(*env, 2, 20);
    env->ListeningPoints().SetReferencePointIndex(1);
    env->SetFrequencyList({250, 1000, 4000});
    env->SetEarHeight(4);
    return env;
}

class PredictionModes : public ::testing::Test {};

// ---- Nothing a window shows is ever NaN or infinite ----------------------------------------

using Change = std::function<void(Environment&)>;

struct VenueCase {
    const char* what;
    std::function<std::unique_ptr<Environment>()> make;
};

// The full venue with one change.
VenueCase Changed(const char* what, Change change)
{
    return {what, [change] {
                auto env = FullVenue();
                change(*env);
                return env;
            }};
}

Change Celsius(float c)
{
    return [c](Environment& e) { e.AmbientTemperature().SetCelsius(c); };
}
Change Ear(float h)
{
    return [h](Environment& e) { e.SetEarHeight(h); };
}
Change Centre(float hz)
{
    return [hz](Environment& e) { e.SetCenterFrequency(hz); };
}
Change Sweep(float lower, float upper, float step)
{
    return [=](Environment& e) {
        e.CalcParameters().SetLowerAngle(lower);
        e.CalcParameters().SetUpperAngle(upper);
        e.CalcParameters().SetAngleStep(step);
    };
}
Change Aggregate(std::vector<float> list)
{
    return [list](Environment& e) {
        e.SetAggregateFrequencies(true);
        e.SetFrequencyList(list);
    };
}
Change Area(Point2D front, Point2D back)
{
    return [=](Environment& e) { AddArea(e, front, back); };
}

ArraySpec FiveCellsWith(int cellType, float attenuation,
                        ConfigurationCode configuration = ConfigurationCode::Flown)
{
    ArraySpec spec = FiveCells();
    spec.configuration = configuration;
    for (auto& c : spec.cells) {
        c.cellType = cellType;
        c.attenuation = attenuation;
    }
    return spec;
}

std::vector<VenueCase> OddVenues()
{
    return {
        {"never cleared: weightless bar without holes, sweep 0 0 0",
         [] { return std::make_unique<Environment>(); }},
        {"never cleared with areas and points",
         [] {
             auto env = std::make_unique<Environment>();
             AddArea(*env, Point2D(15, 2), Point2D(90, 12));
             AddPoint(*env, 1, 10);
             return env;
         }},
        {"no cells", [] { return FullVenue(ArraySpec{}); }},
        {"no seating areas", [] { return MakeVenue(FiveCells()); }},
        {"no listening points",
         [] {
             auto env = MakeVenue(FiveCells());
             AddArea(*env, Point2D(15, 2), Point2D(90, 12));
             return env;
         }},
        {"cells without aperture (KB0)", [] { return FullVenue(FiveCellsWith(13, 0)); }},
        {"every cell silent", [] { return FullVenue(FiveCellsWith(-1, -1e38f)); }},
        {"stacked", [] { return FullVenue(FiveCellsWith(-1, 0, ConfigurationCode::GroundStacked)); }},
        Changed("at absolute zero", Celsius(-273.15f)),
        Changed("below absolute zero", Celsius(-300)),
        Changed("temperature NaN", Celsius(kNaN)),
        Changed("temperature infinite", Celsius(kInf)),
        Changed("ear height 1e38", Ear(1e38f)),
        Changed("ear height -1e38", Ear(-1e38f)),
        Changed("centre frequency 0", Centre(0)),
        Changed("centre frequency NaN", Centre(kNaN)),
        Changed("centre frequency infinite", Centre(kInf)),
        Changed("centre frequency 3e38", Centre(3e38f)),
        Changed("aggregate, empty list", Aggregate({})),
        Changed("aggregate, listed 0 Hz and NaN", Aggregate({0, kNaN, 1000})),
        Changed("vertical seating area", Area(Point2D(60, 0), Point2D(60, 20))),
        Changed("seating area of one point", Area(Point2D(60, 0), Point2D(60, 0))),
        Changed("points on missing areas",
                [](Environment& e) {
                    AddPoint(e, 0, 5);
                    AddPoint(e, 9, 5);
                }),
        Changed("sweep step 0", Sweep(-135, 90, 0)),
        Changed("sweep step negative", Sweep(-135, 90, -1)),
        Changed("sweep step NaN", Sweep(-135, 90, kNaN)),
        Changed("sweep step 1e-6", Sweep(-135, 90, 1e-6f)),
        Changed("sweep upside down", Sweep(90, -135, 1)),
        Changed("sweep bound infinite", Sweep(-135, kInf, 1)),
        Changed("sweep not a whole number of steps", Sweep(-135, 90, 0.7f)),
        Changed("single point", [](Environment& e) { e.LineArray().Bumper().SetRigging(RiggingCode::SinglePoint); }),
        // Finite, yet beyond anything the windows or the files allow.
        Changed("bumper at the edge of a single's range",
                [](Environment& e) { e.LineArray().Bumper().SetLocation(Point2D(3.4e38f, -3.4e38f)); }),
        Changed("seating area across a single's range",
                Area(Point2D(-3.4e38f, -3.4e38f), Point2D(3.4e38f, 3.4e38f))),
        Changed("listening point 3e38 along its area",
                [](Environment& e) { AddPoint(e, 1, 3e38f); }),
        Changed("back hang point beyond the holes",
                [](Environment& e) { e.LineArray().Bumper().SetBackHangPoint(99); }),
        Changed("front hang point 0",
                [](Environment& e) { e.LineArray().Bumper().SetFrontHangPoint(0); }),
        Changed("single point on a hole beyond the bumper's",
                [](Environment& e) {
                    e.LineArray().Bumper().SetRigging(RiggingCode::SinglePoint);
                    e.LineArray().Bumper().SetFrontHangPoint(-5);
                }),
    };
}

TEST_F(PredictionModes, OddVenuesPredictFiniteFields)
{
    for (bool engineering : {false, true}) {
        for (bool aggregate : {false, true}) {
            for (const VenueCase& c : OddVenues()) {
                SCOPED_TRACE(std::string(c.what) + (engineering ? ", engineering" : "") +
                             (aggregate ? ", aggregate" : ""));
                auto env = c.make();
                if (aggregate)
                    env->SetAggregateFrequencies(true);
                CalculationResults r;
                ASSERT_NO_THROW(r = env->GenerateCalculations(false, engineering));
                ExpectAllFinite(r);
                EXPECT_EQ(r.AreaLevels.size(),
                          static_cast<std::size_t>(env->SeatingAreas().Count()));
                EXPECT_EQ(r.PointLevels.size(),
                          static_cast<std::size_t>(env->ListeningPoints().Count()));
                ASSERT_NO_THROW(r = env->GenerateCalculations(true, engineering));
                ExpectAllFinite(r);
            }
        }
    }
}

// A venue beyond the prediction's reach is predicted as held within it, and keeps its values.
TEST(PredictionEdgeCases, VenueBeyondReachKeepsWhatItHolds)
{
    auto env = FullVenue();
    env->LineArray().Bumper().SetLocation(Point2D(3.4e38f, -3.4e38f));
    env->LineArray().Bumper().SetBackHangPoint(99);
    env->SetEarHeight(1e30f);
    CalculationResults r;
    ASSERT_NO_THROW(r = env->GenerateCalculations(false));
    EXPECT_EQ(env->LineArray().Bumper().Location().x, 3.4e38f);
    EXPECT_EQ(env->LineArray().Bumper().Location().y, -3.4e38f);
    EXPECT_EQ(env->LineArray().Bumper().BackHangPoint(), 99);
    EXPECT_EQ(env->EarHeight(), 1e30f);
    EXPECT_EQ(r.CellResults.size(), 5u);
}

// ---- What the record holds for the missing parts -----------------------------------------

TEST(PredictionEdgeCases, NoCellsGivesTheBumperAloneAndNoSound)
{
    auto env = FullVenue(ArraySpec{});
    const Bumper& bumper = env->LineArray().Bumper();
    const CalculationResults r = env->GenerateCalculations(false);
    EXPECT_TRUE(r.CellResults.empty());
    EXPECT_EQ(r.TotalWeight, bumper.Weight());
    EXPECT_EQ(r.CenterOfGravity, bumper.CenterOfGravity());
    EXPECT_EQ(r.ArrayMinX, r.RiggingMinX);
    EXPECT_EQ(r.ArrayMaxY, r.RiggingMaxY);
    EXPECT_EQ(r.VenueMaxX, 140); // the areas still make the venue box
    EXPECT_EQ(r.FarThrow, 0);
    EXPECT_EQ(r.NearThrow, 0);
    EXPECT_EQ(r.UpperCoverageAngle.Radians(), 0);
    EXPECT_EQ(r.LowerCoverageAngle.Radians(), 0);
    EXPECT_TRUE(r.PolarLevels.empty());
    ASSERT_EQ(r.AreaLevels.size(), 2u);
    for (const AreaLevelResult& a : r.AreaLevels) {
        EXPECT_EQ(a.SampleCount, 0);
        EXPECT_FALSE(a.FrontClipped || a.BackClipped);
    }
    ASSERT_EQ(r.PointLevels.size(), 3u);
    EXPECT_EQ(r.EvennessScore, 0);
    EXPECT_EQ(r.MaxLevelDrop, 0);
    EXPECT_EQ(r.FarFieldDistance, 0);
    // Quick mode has no aims to test.
    EXPECT_TRUE(env->GenerateCalculations(true).PolarLevels.empty());
}

TEST(PredictionEdgeCases, NoSeatingAreasGivesNoThrowsCoverageOrSamples)
{
    auto env = MakeVenue(FiveCells());
    const CalculationResults r = env->GenerateCalculations(false);
    EXPECT_EQ(r.FarThrow, 0);
    EXPECT_EQ(r.NearThrow, 0);
    EXPECT_EQ(r.UpperCoverageAngle.Radians(), 0);
    EXPECT_EQ(r.LowerCoverageAngle.Radians(), 0);
    EXPECT_EQ(r.PolarLevels.size(), 226u);
    EXPECT_TRUE(r.AreaLevels.empty());
    EXPECT_TRUE(r.PointLevels.empty());
    EXPECT_EQ(r.EvennessScore, 0);
    EXPECT_EQ(r.MaxLevelDrop, 0);
    // The venue box is the array box together with the origin.
    EXPECT_EQ(r.VenueMinX, std::min(r.ArrayMinX, 0.0f));
    EXPECT_EQ(r.VenueMaxY, std::max(r.ArrayMaxY, 0.0f));
    for (const CellResult& c : r.CellResults)
        EXPECT_FALSE(c.Hit);
}

TEST(PredictionEdgeCases, WeightlessBarWithoutHolesIsNotHung)
{
    for (RiggingCode rigging : {RiggingCode::DualPoint, RiggingCode::SinglePoint}) {
        Environment env; // never cleared: bumper type never set, no weight, no holes
        env.LineArray().Bumper().SetRigging(rigging);
        const CalculationResults r = env.GenerateCalculations(rigging == RiggingCode::DualPoint);
        EXPECT_EQ(r.TotalWeight, 0);
        EXPECT_EQ(r.CenterOfGravity, env.LineArray().Bumper().CenterOfGravity());
        EXPECT_FALSE(r.Balanced);
        EXPECT_EQ(r.FrontLoad, 0);
        EXPECT_EQ(r.BackLoad, 0);
        EXPECT_EQ(env.LineArray().Bumper().Angle().Radians(), 0);
    }
}

// ---- Sweeps that cannot be stepped through ----------------------------------------------

TEST(PredictionEdgeCases, UnusableSweepFallsBackToTheDefault)
{
    auto reference = FullVenue();
    const CalculationResults expected = reference->GenerateCalculations(false);
    struct Case {
        const char* what;
        float lower, upper, step;
    };
    const Case cases[] = {
        {"never cleared", 0, 0, 0},
        {"step 0", -135, 90, 0},
        {"negative step", -135, 90, -1},
        {"NaN step", -135, 90, kNaN},
        {"infinite step", -135, 90, kInf},
        {"absurdly fine", -135, 90, 1e-6f},
        {"upside down", 90, -135, 1},
        {"NaN bound", kNaN, 90, 1},
    };
    for (const Case& c : cases) {
        auto env = FullVenue();
        env->CalcParameters().SetLowerAngle(c.lower);
        env->CalcParameters().SetUpperAngle(c.upper);
        env->CalcParameters().SetAngleStep(c.step);
        const CalculationResults r = env->GenerateCalculations(false);
        EXPECT_EQ(r.PolarLevels, expected.PolarLevels) << c.what;
        ASSERT_EQ(r.AreaLevels.size(), expected.AreaLevels.size()) << c.what;
        for (std::size_t a = 0; a < r.AreaLevels.size(); ++a)
            EXPECT_EQ(r.AreaLevels[a].SampleCount, expected.AreaLevels[a].SampleCount) << c.what;
        EXPECT_EQ(r.EvennessScore, expected.EvennessScore) << c.what;
    }
}

// ---- Levels that have no decibel value -------------------------------------------------

TEST(PredictionEdgeCases, ZeroFrequencyIsOmnidirectional)
{
    // At 0 Hz the aperture factor's argument is 0 for every cell: sin(x)/x reads 1.
    auto env = FullVenue();
    env->SetCenterFrequency(0);
    const CalculationResults r = env->GenerateCalculations(false);
    ASSERT_EQ(r.PolarLevels.size(), 226u);
    for (float v : r.PolarLevels)
        EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(r.FarFieldDistance, 0);
}

TEST(PredictionEdgeCases, SilentArrayReadsTheFloor)
{
    ArraySpec spec = FiveCells();
    for (auto& c : spec.cells)
        c.attenuation = -1e38f; // every gain 0: every power and the maximum 0
    auto env = FullVenue(spec);
    const CalculationResults r = env->GenerateCalculations(false);
    ASSERT_EQ(r.PolarLevels.size(), 226u);
    for (float v : r.PolarLevels)
        EXPECT_EQ(v, -300.0f);
    float loudest = -1e30f;
    for (const AreaLevelResult& a : r.AreaLevels)
        for (const LevelSample& s : a.Samples)
            loudest = std::max(loudest, s.Level);
    EXPECT_EQ(loudest, 0.0f);
}

TEST(PredictionEdgeCases, CellsWithoutApertureRadiateEvenly)
{
    ArraySpec spec;
    spec.cells.assign(1, testing::CellSpec{0, 0.0f, 13}); // KB0 alone
    auto env = MakeVenue(spec);
    ASSERT_EQ(env->LineArray().Cells().Item(1).ApertureHeight(), ProductTables::kNoAperture);
    for (const float frequency : {100.0f, 1000.0f, 16000.0f}) {
        env->SetCenterFrequency(frequency);
        const CalculationResults r = env->GenerateCalculations(false);
        ExpectAllFinite(r);
        for (const float level : r.PolarLevels)
            EXPECT_EQ(level, 0.0f) << frequency << " Hz";
    }
}

TEST(PredictionEdgeCases, SampleAndPointAtTheCentreOfGravity)
{
    auto env = MakeVenue(FiveCells());
    const Point2D g = env->GenerateCalculations(false).CenterOfGravity;
    // A line through the centre of gravity: every ray meets it there.
    AddArea(*env, Point2D(g.x - 10, g.y - 5), Point2D(g.x + 10, g.y + 5));
    // A listening point put on the centre of gravity itself (5 ft above a level area).
    AddArea(*env, Point2D(g.x, g.y - 5), Point2D(g.x + 10, g.y - 5));
    AddPoint(*env, 2, 0);
    env->SetAggregateFrequencies(true);
    env->SetFrequencyList({1000});
    const CalculationResults r = env->GenerateCalculations(false);
    ExpectAllFinite(r);
    EXPECT_GT(r.AreaLevels[0].SampleCount, 0);
    EXPECT_TRUE(r.PointLevels[0].InSweep);
}

// ---- The frequency forms ------------------------------------------------------------------

TEST_F(PredictionModes, AggregateWithoutListAveragesTheCentreFrequencyAlone)
{
    auto env = FullVenue();
    const CalculationResults single = env->GenerateCalculations(false);
    env->SetAggregateFrequencies(true);
    env->SetFrequencyList({});
    for (bool engineering : {false, true}) {
        const CalculationResults r = env->GenerateCalculations(false, engineering);
        EXPECT_EQ(r.PolarLevels, single.PolarLevels);
        EXPECT_EQ(r.FarFieldDistance, 0);
        // The points get their one level at the centre frequency.
        for (const ListeningPointResult& p : r.PointLevels)
            EXPECT_EQ(p.Levels.size(), 1u);
    }
}

TEST_F(PredictionModes, AggregateIsTheMeanOfTheListedResponses)
{
    auto env = FullVenue();
    std::vector<std::vector<float>> each;
    for (float f : env->FrequencyList()) {
        env->SetCenterFrequency(f);
        each.push_back(env->GenerateCalculations(false).PolarLevels);
    }
    env->SetAggregateFrequencies(true);
    const CalculationResults r = env->GenerateCalculations(false);
    ASSERT_EQ(r.PolarLevels.size(), 226u);
    for (std::size_t j = 0; j < 226; ++j)
        EXPECT_NEAR(r.PolarLevels[j], (each[0][j] + each[1][j] + each[2][j]) / 3, 1e-4);
    EXPECT_EQ(r.FarFieldDistance, 0);
    // In aggregate mode the points have their levels without engineering mode.
    EXPECT_NE(r.PointLevels[1].Levels[0], 0.0f);
}

TEST_F(PredictionModes, CentreFrequencyOutsideTheListIsComputed)
{
    auto env = FullVenue();
    const CalculationResults standard = env->GenerateCalculations(false);
    const std::vector<std::vector<float>> lists{{250, 1000, 4000}, {250, 4000}, {}};
    for (const std::vector<float>& list : lists) {
        env->SetFrequencyList(list);
        const CalculationResults r = env->GenerateCalculations(false, true);
        EXPECT_EQ(r.PolarLevels, standard.PolarLevels) << list.size() << " listed";
        EXPECT_EQ(r.AreaLevels[0].Samples.size(), standard.AreaLevels[0].Samples.size());
        EXPECT_EQ(r.EvennessScore, standard.EvennessScore);
        ASSERT_EQ(r.PointLevels.size(), 3u);
        // Without a list the centre frequency is the one level.
        EXPECT_EQ(r.PointLevels[1].Levels.size(), list.empty() ? 1u : list.size());
    }
}

TEST(PredictionEdgeCases, StandardModePointsArePlacedWithoutLevels)
{
    auto env = FullVenue();
    const CalculationResults r = env->GenerateCalculations(false);
    ASSERT_EQ(r.PointLevels.size(), 3u);
    for (const ListeningPointResult& p : r.PointLevels) {
        EXPECT_TRUE(p.InSweep);
        ASSERT_EQ(p.Levels.size(), 3u);
        for (float v : p.Levels)
            EXPECT_EQ(v, 0.0f);
    }
    EXPECT_NEAR(r.PointLevels[1].Point.x, 65, 1e-5);
}

TEST_F(PredictionModes, PointsOnMissingAreasAreOutOfTheSweep)
{
    auto env = FullVenue();
    AddPoint(*env, 0, 5);
    AddPoint(*env, 3, 5);
    env->ListeningPoints().SetReferencePointIndex(0); // their zeros before any reference
    const CalculationResults r = env->GenerateCalculations(false, true);
    ASSERT_EQ(r.PointLevels.size(), 5u);
    EXPECT_TRUE(r.PointLevels[1].InSweep);
    for (std::size_t i : {3u, 4u}) {
        EXPECT_FALSE(r.PointLevels[i].InSweep);
        ASSERT_EQ(r.PointLevels[i].Levels.size(), 3u);
        for (float v : r.PointLevels[i].Levels)
            EXPECT_EQ(v, 0.0f);
    }
    // Naming one of them as the reference takes off nothing.
    env->ListeningPoints().SetReferencePointIndex(4);
    EXPECT_EQ(env->GenerateCalculations(false, true).PointLevels[1].Levels, r.PointLevels[1].Levels);
    EXPECT_NE(r.PointLevels[1].Levels[0], 0.0f);
}

TEST(PredictionEdgeCases, RecordsAreIndependentOfLaterRuns)
{
    auto env = FullVenue();
    const CalculationResults first = env->GenerateCalculations(false);
    const std::vector<float> polar = first.PolarLevels;
    env->SetCenterFrequency(4000);
    const CalculationResults second = env->GenerateCalculations(false);
    EXPECT_EQ(first.PolarLevels, polar);
    EXPECT_NE(second.PolarLevels, polar);
}

} // namespace
} // namespace polvane
