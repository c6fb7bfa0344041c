#include "engine/Environment.h"

#include <gtest/gtest.h>

namespace polvane {
namespace {

// A small metric venue with two areas, three points and a short array.
std::unique_ptr<Environment> MetricVenue()
{
    auto env = std::make_unique<Environment>();
    env->Clear();
    env->SetUnits(UnitsCode::Metric);
    const Point2D f1(3, -2), b1(20, 1), f2(22, 3), b2(30, 8);
    env->SeatingAreas().Add(-1, &f1, &b1).SetName("Floor");
    env->SeatingAreas().Add(-1, &f2, &b2).SetName("Balcony");
    for (int i = 0; i < 3; ++i) {
        ListeningPoint& p = env->ListeningPoints().Add(std::string("P").append(std::to_string(i + 1)));
        p.SetSeatingAreaIndex(i == 2 ? 2 : 1);
        p.SetHorizontalPosition(2.5f * static_cast<float>(i + 1));
    }
    env->ListeningPoints().SetReferencePointIndex(2);
    env->SetEarHeight(1.2f);
    env->LineArray().SetConfiguration(ConfigurationCode::Flown);
    env->LineArray().SetPinStyle(PinStyleCode::Fixed);
    for (int i = 0; i < 4; ++i)
        env->LineArray().Cells().Add();
    env->LineArray().Bumper().SetLocation(Point2D(0, 9));
    env->SetNotes("line 1\r\nline \\2");
    env->SetFrequencyList({250, 1000, 4000});
    env->SetAggregateFrequencies(true);
    env->AmbientTemperature().SetCelsius(30);
    return env;
}

TEST(Environment, NewVenueDefaults)
{
    Environment env;
    EXPECT_FALSE(env.AggregateFrequencies());
    EXPECT_EQ(env.CenterFrequency(), 1000);
    EXPECT_EQ(env.Units(), UnitsCode::English);
    EXPECT_EQ(env.AmbientTemperature().Celsius(), 22);
    EXPECT_EQ(env.CalcParameters().AngleStep(), 0);
    EXPECT_EQ(env.SeatingAreas().ListeningPointsLink(), &env.ListeningPoints());
    EXPECT_EQ(env.GetMaxCellSplays(), 7);
}

TEST(Environment, SameUnitsChangeNothing)
{
    auto env = MetricVenue();
    env->SetUnits(UnitsCode::Metric);
    EXPECT_FLOAT_EQ(env->SeatingAreas().Item(1).FrontPoint().x, 3);
    EXPECT_FLOAT_EQ(env->EarHeight(), 1.2f);
}

TEST(Environment, UnitsRoundTripConvertsEveryLength)
{
    auto env = MetricVenue();
    env->SetUnits(UnitsCode::English);
    EXPECT_NEAR(env->SeatingAreas().Item(2).BackPoint().y, 8 * 3.28084, 1e-4);
    EXPECT_NEAR(env->EarHeight(), 1.2 * 3.28084, 1e-5);
    EXPECT_NEAR(env->ListeningPoints().Item(3).HorizontalPosition(), 7.5 * 3.28084, 1e-4);
    EXPECT_NEAR(env->LineArray().Bumper().Location().y, 9 * 3.28084, 1e-4);
    EXPECT_FLOAT_EQ(env->LineArray().Cells().Item(1).Width(), 28.0f / 12);
    env->SetUnits(UnitsCode::Metric);
    EXPECT_NEAR(env->SeatingAreas().Item(2).BackPoint().y, 8, 1e-5);
    EXPECT_NEAR(env->SeatingAreas().Item(1).FrontPoint().x, 3, 1e-5);
    EXPECT_NEAR(env->EarHeight(), 1.2, 1e-6);
    EXPECT_NEAR(env->ListeningPoints().Item(3).HorizontalPosition(), 7.5, 1e-5);
    EXPECT_NEAR(env->LineArray().Bumper().Location().y, 9, 1e-5);
    EXPECT_EQ(env->AmbientTemperature().Celsius(), 30);
}

TEST(Environment, ClearResetsTheVenueAndKeepsTheRest)
{
    auto env = MetricVenue();
    env->LineArray().SetConfiguration(ConfigurationCode::GroundStacked);
    env->LineArray().SetPinStyle(PinStyleCode::Fixed);
    env->LineArray().Bumper().SetRigging(RiggingCode::SinglePoint);
    env->SetCenterFrequency(4000);
    env->Clear();
    EXPECT_EQ(env->Units(), UnitsCode::English);
    EXPECT_EQ(env->SeatingAreas().Count(), 0);
    EXPECT_EQ(env->LineArray().Cells().Count(), 0);
    EXPECT_EQ(env->ListeningPoints().Count(), 0);
    EXPECT_EQ(env->CalcParameters().LowerAngle(), -135);
    EXPECT_EQ(env->CalcParameters().UpperAngle(), 90);
    EXPECT_EQ(env->CalcParameters().AngleStep(), 1);
    EXPECT_EQ(env->CenterFrequency(), 1000);
    EXPECT_NEAR(env->EarHeight(), 1.2 * 3.28084, 1e-5);
    const Bumper& b = env->LineArray().Bumper();
    EXPECT_EQ(env->LineArray().Brand(), BrandCode::TarvicKv9);
    EXPECT_EQ(b.Rigging(), RiggingCode::DualPoint);
    EXPECT_EQ(b.FrontHangPoint(), 1);
    EXPECT_EQ(b.BackHangPoint(), 11);
    EXPECT_EQ(b.Location(), Point2D(0, 0));
    EXPECT_EQ(b.Angle().Radians(), 0);
    EXPECT_EQ(env->LineArray().Configuration(), ConfigurationCode::GroundStacked);
    EXPECT_EQ(env->LineArray().PinStyle(), PinStyleCode::Fixed);
    EXPECT_EQ(env->Notes(), "line 1\r\nline \\2");
    EXPECT_TRUE(env->AggregateFrequencies());
    EXPECT_EQ(env->FrequencyCount(), 3);
    // The reference number survives the points it named.
    EXPECT_EQ(env->ListeningPoints().ReferencePointIndex(), 2);
}

TEST(Environment, CopyIsDeepExactAndLinked)
{
    auto env = MetricVenue();
    env->SetAutoCalcBaselines(3, 4);
    env->SetAutoCalcBumperAdjust(true);
    auto copy = env->CloneOf();
    EXPECT_EQ(copy->Units(), UnitsCode::Metric);
    EXPECT_EQ(copy->SeatingAreas().Item(2).BackPoint(), Point2D(30, 8));
    EXPECT_EQ(copy->SeatingAreas().Item(1).Name(), "Floor");
    EXPECT_EQ(copy->EarHeight(), 1.2f);
    EXPECT_EQ(copy->ListeningPoints().Item(3).HorizontalPosition(), 7.5f);
    EXPECT_EQ(copy->ListeningPoints().ReferencePointIndex(), 2);
    EXPECT_EQ(copy->FrequencyList(), env->FrequencyList());
    EXPECT_EQ(copy->Notes(), env->Notes());
    EXPECT_EQ(copy->AmbientTemperature().Celsius(), 30);
    EXPECT_EQ(copy->CalcParameters().LowerAngle(), -135);
    EXPECT_EQ(copy->LineArray().Cells().Count(), 4);
    EXPECT_EQ(copy->LineArray().Bumper().Location(), Point2D(0, 9));
    EXPECT_FLOAT_EQ(copy->LineArray().Cells().Item(1).Width(), 0.7112f);
    // Not copied: the Auto-Configure settings.
    EXPECT_EQ(copy->AutoCalcOverthrow(), 0);
    EXPECT_FALSE(copy->AutoCalcBumperAdjust());

    // The copy's areas renumber the copy's points, not the source's.
    EXPECT_EQ(copy->SeatingAreas().ListeningPointsLink(), &copy->ListeningPoints());
    copy->SeatingAreas().Remove(1);
    EXPECT_EQ(copy->ListeningPoints().Item(3).SeatingAreaIndex(), 1);
    EXPECT_EQ(env->ListeningPoints().Item(3).SeatingAreaIndex(), 2);
    EXPECT_EQ(env->SeatingAreas().Count(), 2);
}

TEST(Environment, ReplacingTheListsKeepsThemLinked)
{
    auto env = MetricVenue();
    auto points = env->ListeningPoints().CloneOf();
    env->SetListeningPoints(std::move(points));
    env->SeatingAreas().Swap(1, 2);
    EXPECT_EQ(env->ListeningPoints().Item(1).SeatingAreaIndex(), 2);
    env->SetSeatingAreas(env->SeatingAreas().CloneOf());
    env->SeatingAreas().Swap(1, 2);
    EXPECT_EQ(env->ListeningPoints().Item(1).SeatingAreaIndex(), 1);
}

} // namespace
} // namespace polvane
