#include "plot/NearestItem.h"

#include <vector>

#include <gtest/gtest.h>

namespace polvane {
namespace {

struct Case {
    const char* what;
    NearestItem::Edge edge;
    std::vector<float> distances; // item i + 1 at distances[i]
    int expected;                 // 0: none
};

class NearestItemTest : public ::testing::TestWithParam<Case> {};

TEST_P(NearestItemTest, PicksTheNearestWithinReachEarlierWinningTies)
{
    const Case& c = GetParam();
    NearestItem nearest(NearestItem::kReach, c.edge);
    for (std::size_t i = 0; i < c.distances.size(); ++i)
        nearest.Offer(static_cast<int>(i) + 1, c.distances[i]);
    EXPECT_EQ(nearest.Index(), c.expected);
    EXPECT_EQ(nearest.Found(), c.expected != 0);
    if (c.expected != 0) {
        EXPECT_EQ(nearest.Distance(), c.distances[static_cast<std::size_t>(c.expected - 1)]);
    }
}

using Edge = NearestItem::Edge;
INSTANTIATE_TEST_SUITE_P(
    Cases, NearestItemTest,
    ::testing::Values(Case{"nothing offered", Edge::Included, {}, 0},
                      Case{"all out of reach", Edge::Included, {15.01f, 40.0f}, 0},
                      Case{"later and nearer wins", Edge::Included, {9.0f, 4.0f, 6.0f}, 2},
                      Case{"tie keeps the earlier", Edge::Included, {7.0f, 3.0f, 3.0f}, 2},
                      Case{"at the reach counts", Edge::Included, {20.0f, 15.0f}, 2},
                      Case{"at the reach does not count", Edge::Excluded, {15.0f}, 0},
                      Case{"just inside an excluded reach", Edge::Excluded, {15.0f, 14.99f}, 2},
                      Case{"tie at the reach keeps the earlier", Edge::Included,
                           {15.0f, 15.0f}, 1}),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (ch == ' ')
                ch = '_';
        return name;
    });

TEST(NearestItemReachTest, LevelReadoutReachesFurther)
{
    NearestItem nearest(NearestItem::kLevelReach);
    nearest.Offer(4, 24.5f);
    EXPECT_EQ(nearest.Index(-1), 4);
    NearestItem none(NearestItem::kLevelReach);
    none.Offer(4, 25.5f);
    EXPECT_EQ(none.Index(-1), -1);
}

} // namespace
} // namespace polvane
