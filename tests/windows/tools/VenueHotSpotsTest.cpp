#include "windows/tools/VenueHotSpots.h"

#include <limits>

#include <gtest/gtest.h>

namespace polvane {
namespace {

using Pixel = VenueHotSpots::Pixel;

// The array at (100, 100); area 1 from (200, 100) to (400, 200); area 2 from (200, 300)
// to (400, 300); a listening point at (300, 150) on area 1.
class VenueHotSpotsTest : public ::testing::Test {
protected:
    VenueHotSpotsTest()
    {
        spots_.SetArrayLocation({100, 100});
        spots_.AddArea({200, 100}, {400, 200});
        spots_.AddArea({200, 300}, {400, 300});
        spots_.AddListener({300, 150});
        spots_.Validate();
    }
    VenueHotSpots spots_;
};

TEST_F(VenueHotSpotsTest, PointsWithinFifteenPixelsWinTheEarlierOnATie)
{
    struct Case {
        int x, y;
        bool engineering;
        int type, index;
    };
    const Case cases[] = {
        {100, 100, false, HotSpot::ArrayLocation, 0},
        {110, 110, false, HotSpot::ArrayLocation, 0},  // 14.1 px
        {115, 100, false, HotSpot::None, 0},           // exactly 15 px is out of reach
        {195, 105, false, HotSpot::AreaFront, 1},
        {400, 207, false, HotSpot::AreaBack, 1},
        {400, 300, false, HotSpot::AreaBack, 2},
        {300, 150, true, HotSpot::ListeningPoint, 1},
        // Outside engineering mode the listening point is no hot point; the area beneath
        // it is.
        {300, 150, false, HotSpot::WholeArea, 1},
        {10, 10, false, HotSpot::None, 0},
    };
    for (const Case& c : cases) {
        const HotSpot hot = spots_.Identify(c.x, c.y, c.engineering);
        EXPECT_EQ(hot.type, c.type) << c.x << "," << c.y;
        EXPECT_EQ(hot.index, c.index) << c.x << "," << c.y;
    }

    // The array location and a front point at the same distance: the array stays.
    VenueHotSpots tie;
    tie.SetArrayLocation({100, 100});
    tie.AddArea({120, 100}, {300, 100});
    tie.Validate();
    EXPECT_EQ(tie.Identify(110, 100, false).type, HotSpot::ArrayLocation);
    EXPECT_EQ(tie.Identify(111, 100, false).type, HotSpot::AreaFront);
    // Two ends in the same place: the first area's end.
    VenueHotSpots twin;
    twin.SetArrayLocation({-1000, -1000});
    twin.AddArea({0, 0}, {50, 50});
    twin.AddArea({50, 50}, {90, 10});
    twin.Validate();
    const HotSpot first = twin.Identify(52, 52, false);
    EXPECT_EQ(first.type, HotSpot::AreaBack);
    EXPECT_EQ(first.index, 1);
}

TEST_F(VenueHotSpotsTest, AnAreaIsHotAlongItsLengthOnlyWhenNoPointIsNear)
{
    const HotSpot hot = spots_.Identify(300, 140, false);
    ASSERT_EQ(hot.type, HotSpot::WholeArea);
    EXPECT_EQ(hot.index, 1);
    EXPECT_EQ(hot.x, 200);
    EXPECT_EQ(hot.y, 100);
    EXPECT_EQ(hot.x2, 400);
    EXPECT_EQ(hot.y2, 200);
    EXPECT_EQ(hot.halfDx, 100);
    EXPECT_EQ(hot.halfDy, 50);

    EXPECT_EQ(spots_.Identify(300, 310, false).index, 2);
    // Beyond the end of the area, the line goes on but the area does not.
    EXPECT_EQ(spots_.Identify(450, 300, false).type, HotSpot::None);
    // 15 pixels off the line is out of reach.
    EXPECT_EQ(spots_.Identify(300, 315, false).type, HotSpot::None);
}

TEST(VenueHotSpotsEdgeTest, UprightAndSinglePixelAreasNeitherFailNorCatchByAccident)
{
    VenueHotSpots spots;
    spots.SetArrayLocation({-1000, -1000});
    spots.AddArea({100, 100}, {100, 300}); // upright
    spots.AddArea({500, 500}, {500, 500}); // one pixel
    spots.Validate();
    const HotSpot upright = spots.Identify(108, 200, false);
    EXPECT_EQ(upright.type, HotSpot::WholeArea);
    EXPECT_EQ(upright.index, 1);
    EXPECT_EQ(spots.Identify(108, 350, false).type, HotSpot::None);
    EXPECT_EQ(spots.Identify(130, 200, false).type, HotSpot::None);
    // The one-pixel area is found by its end points only.
    EXPECT_EQ(spots.Identify(505, 500, false).type, HotSpot::AreaFront);
    EXPECT_EQ(spots.Identify(520, 500, false).type, HotSpot::None);
}

TEST(VenueHotSpotsEdgeTest, FarOffPositionsAreHeldAndPickNothing)
{
    EXPECT_EQ(VenueHotSpots::RoundPixel(2.5f), 2);
    EXPECT_EQ(VenueHotSpots::RoundPixel(3.5f), 4);
    const int far = VenueHotSpots::RoundPixel(std::numeric_limits<float>::max());
    EXPECT_EQ(VenueHotSpots::RoundPixel(-std::numeric_limits<float>::infinity()), -far);
    EXPECT_EQ(VenueHotSpots::RoundPixel(std::numeric_limits<float>::quiet_NaN()), far);

    VenueHotSpots spots;
    spots.SetArrayLocation({far, far});
    spots.AddArea({-far, -far}, {far, far});
    spots.AddArea({-far, 0}, {far, 1});
    spots.Validate();
    // The long areas still pass the mouse, and are found without overflow.
    EXPECT_EQ(spots.Identify(0, 0, false).type, HotSpot::WholeArea);
    EXPECT_EQ(spots.Identify(0, 0, false).index, 1);
    EXPECT_EQ(spots.Identify(1000, 3, false).index, 2);
}

TEST(VenueHotSpotsEdgeTest, NothingIsHotBeforeTheFirstDrawing)
{
    VenueHotSpots spots;
    spots.SetArrayLocation({10, 10});
    EXPECT_EQ(spots.Identify(10, 10, false).type, HotSpot::None);
    spots.Validate();
    EXPECT_EQ(spots.Identify(10, 10, false).type, HotSpot::ArrayLocation);
    spots.Clear();
    EXPECT_FALSE(spots.IsValid());
    EXPECT_EQ(spots.Identify(10, 10, false).type, HotSpot::None);
}

TEST(VenueHotSpotsEdgeTest, TheNearestSampleWithinTwentyFivePixelsIsReadOut)
{
    VenueHotSpots spots;
    spots.AddResponse({{100, 100}, 1.0f, 2.0f, -3.0f});
    spots.AddResponse({{140, 100}, 5.0f, 2.0f, -6.0f});
    spots.AddResponse({{160, 100}, 7.0f, 2.0f, -9.0f});
    spots.Validate();
    EXPECT_EQ(spots.ClosestResponse(100, 124), 0);
    EXPECT_EQ(spots.ClosestResponse(100, 125), -1); // exactly 25 is out of reach
    EXPECT_EQ(spots.ClosestResponse(120, 100), 0);  // a tie keeps the earlier sample
    EXPECT_EQ(spots.ClosestResponse(151, 100), 2);
    EXPECT_EQ(spots.ClosestResponse(400, 400), -1);
    EXPECT_EQ(VenueHotSpots().ClosestResponse(0, 0), -1);
}

} // namespace
} // namespace polvane
