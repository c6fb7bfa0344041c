#include "engine/PolarExport.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "PredictionTestVenues.h"

namespace polvane {
namespace {

using testing::ArraySpec;
using testing::MakeVenue;

std::unique_ptr<Environment> Hall()
{
    ArraySpec spec;
    spec.cells = {{0}, {2}, {4}, {5}};
    auto venue = MakeVenue(spec);
    testing::AddArea(*venue, Point2D(10, 0), Point2D(80, 5));
    return venue;
}

TEST(PolarExport, EveryFrequencyIsAttenuationFromTheLoudestDirection)
{
    auto venue = Hall();
    const std::vector<float> frequencies{125.0f, 1000.0f, 8000.0f};
    const std::vector<PolarExportRecord> records = PolarExport::Distill(*venue, frequencies);
    ASSERT_EQ(records.size(), 3u);
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].frequency, frequencies[i]);
        const auto [least, most] =
            std::minmax_element(records[i].attenuation.begin(), records[i].attenuation.end());
        EXPECT_EQ(*least, 0.0f) << frequencies[i]; // the loudest direction
        EXPECT_GT(*most, 1.0f) << frequencies[i];
        EXPECT_FALSE(std::signbit(*least));
    }
    // The beam narrows as the frequency rises.
    const auto quiet = [](const PolarExportRecord& r) {
        return std::count_if(r.attenuation.begin(), r.attenuation.end(), [](float a) { return a > 6.0f; });
    };
    EXPECT_LT(quiet(records[0]), quiet(records[2]));
}

TEST(PolarExport, TheVenueKeepsItsSettings)
{
    for (const bool aggregate : {false, true}) {
        auto venue = Hall();
        venue->SetAggregateFrequencies(aggregate);
        venue->SetCenterFrequency(2500.0f);
        PolarExport::Distill(*venue, {100.0f, 16000.0f});
        EXPECT_EQ(venue->AggregateFrequencies(), aggregate);
        EXPECT_EQ(venue->CenterFrequency(), 2500.0f);
        EXPECT_EQ(venue->CalcParameters().LowerAngle(), -135.0f);
        EXPECT_EQ(venue->CalcParameters().UpperAngle(), 90.0f);
        EXPECT_EQ(venue->CalcParameters().AngleStep(), 1.0f);
    }

    // Also when a prediction fails on the way.
    auto broken = Hall();
    broken->SetCenterFrequency(2500.0f);
    // Without cells there is no polar response to export.
    while (broken->LineArray().Cells().Count() > 0)
        broken->LineArray().Cells().Remove(1);
    EXPECT_ANY_THROW(PolarExport::Distill(*broken, {100.0f}));
    EXPECT_EQ(broken->CenterFrequency(), 2500.0f);
    EXPECT_EQ(broken->CalcParameters().LowerAngle(), -135.0f);
}

} // namespace
} // namespace polvane
