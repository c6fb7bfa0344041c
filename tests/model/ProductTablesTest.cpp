#include "model/ProductTables.h"

#include <cmath>
#include <optional>

#include <gtest/gtest.h>

#include "model/Angle.h"

namespace polvane {
namespace {

using enum ConfigurationCode;
using enum PinStyleCode;

// The types of each splay group, one representative each is not enough: the group is
// looked up per type.
struct GroupCase {
    int type;
    int group;
};

TEST(ProductTables, SplayGroupsOfEveryType)
{
    const GroupCase cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 2}, {4, 3}, {5, 3}, {6, 4}, {7, 3},
                               {8, 5}, {9, 5}, {10, 1}, {11, 2}, {12, 2}, {13, 5}, {14, 0},
                               {-1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ProductTables::SplayGroup(c.type), c.group) << c.type;
}

struct ListCase {
    int type;
    bool first;
    ConfigurationCode config;
    PinStyleCode pin;
    std::vector<double> splays; // empty: no row applies
};

class AllowedSplays : public ::testing::TestWithParam<ListCase> {};

TEST_P(AllowedSplays, ListOfTheCase)
{
    const ListCase& c = GetParam();
    const AllowedSplaysRow* row = ProductTables::AllowedSplays(c.type, c.first, c.config, c.pin);
    if (c.splays.empty()) {
        EXPECT_EQ(row, nullptr);
        return;
    }
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(std::vector<double>(row->splays.begin(), row->splays.end()), c.splays);
}

INSTANTIATE_TEST_SUITE_P(Cases, AllowedSplays, ::testing::Values(
    ListCase{0, true, Flown, Slide, {-5, -3.3, -1.6, 0, 1.6, 3.3, 5}},
    ListCase{10, true, Flown, Fixed, {-5, -3.3, -1.6, 0, 1.6, 3.3, 5}},
    ListCase{1, true, GroundStacked, PinStyleCode{7}, {-4, -2.2, -0.5, 1, 2.8, 4.7, 5.7, 7.5}},
    ListCase{0, false, Flown, Fixed, {0, 1.6, 3.3, 5, 6.6, 8.3, 10}},
    ListCase{0, false, GroundStacked, PinStyleCode{5}, {0, 1.6, 3.3, 5, 6.6, 8.3, 10}},
    ListCase{0, false, Flown, PinStyleCode{2}, {}},
    ListCase{0, true, ConfigurationCode{2}, Slide, {}},
    ListCase{2, true, Flown, Slide, {-3, -1.2, 1.3, 2.8}},
    ListCase{11, true, Flown, Fixed, {-1.4, -0.6, 2.7, 5}},
    ListCase{3, true, Flown, PinStyleCode{2}, {}},
    ListCase{12, true, GroundStacked, Slide, {-5.5, -4.5, -3.5, -2.5, -1.5, -0.5, 0.5, 1.5, 2.5, 3.5}},
    ListCase{2, false, Flown, PinStyleCode{9}, {0, 1, 2, 3, 4, 5, 6, 7}},
    ListCase{2, false, GroundStacked, Fixed, {-2, -1, 0, 1, 2, 3, 4, 5, 6, 7}},
    ListCase{4, true, GroundStacked, PinStyleCode{3}, {-5, -3, -1, 1, 3, 5}},
    ListCase{7, false, Flown, Slide, {0, 2, 4, 6, 8, 10}},
    ListCase{5, false, ConfigurationCode{2}, Slide, {}},
    ListCase{6, true, ConfigurationCode{7}, PinStyleCode{7}, {0}},
    ListCase{8, true, ConfigurationCode{5}, PinStyleCode{5}, {0, 1, 2, 3, 4, 5}},
    ListCase{13, false, Flown, Slide, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    ListCase{14, false, Flown, Slide, {}}));

struct SnapCase {
    int type;
    bool first;
    ConfigurationCode config;
    PinStyleCode pin;
    double request;
    double snapped;
};

class SnapSplay : public ::testing::TestWithParam<SnapCase> {};

TEST_P(SnapSplay, GivesAnAllowedSplay)
{
    const SnapCase& c = GetParam();
    EXPECT_DOUBLE_EQ(ProductTables::SnapSplay(c.type, c.first, c.config, c.pin, c.request),
                     c.snapped);
}

INSTANTIATE_TEST_SUITE_P(Cases, SnapSplay, ::testing::Values(
    // At or above: groups 1, 2 and the first cell of group 3.
    SnapCase{0, false, Flown, Slide, 2, 3.3},
    SnapCase{0, false, Flown, Slide, 11, 10},
    SnapCase{0, false, Flown, Slide, -4, 0},
    SnapCase{0, false, Flown, Slide, 3.3, 3.3},
    SnapCase{0, true, GroundStacked, Fixed, 7.5, 7.5},
    SnapCase{0, true, GroundStacked, Fixed, 7.499999999999999, 7.5},
    SnapCase{2, true, Flown, Slide, 3.3, 2.8},
    SnapCase{2, true, Flown, Fixed, -1.0, -0.6},
    SnapCase{2, true, Flown, Fixed, -0.5, 2.7},
    SnapCase{2, false, GroundStacked, Slide, -1.5, -1},
    SnapCase{4, true, Flown, Slide, 0, 1},
    // Nearest, halfway going down: other cells of group 3, and group 5.
    SnapCase{4, false, Flown, Slide, 5, 4},
    SnapCase{4, false, Flown, Slide, 5.01, 6},
    SnapCase{4, false, Flown, Slide, -3, 0},
    SnapCase{4, false, Flown, Slide, 30, 10},
    SnapCase{8, true, Flown, Slide, 4.5, 4},
    SnapCase{8, true, Flown, Slide, 4.6, 5},
    SnapCase{8, true, Flown, Slide, 9, 5},
    SnapCase{8, false, Flown, Slide, 9, 9},
    SnapCase{13, false, GroundStacked, Fixed, 0.5, 0},
    // Always 0, and 0 where no row applies.
    SnapCase{6, false, Flown, Slide, 7, 0},
    SnapCase{0, false, Flown, PinStyleCode{2}, 7, 0},
    SnapCase{3, false, ConfigurationCode{2}, Slide, 5, 0},
    SnapCase{14, false, Flown, Slide, 5, 0}));

struct HoleCase {
    int type;
    bool first;
    ConfigurationCode config;
    PinStyleCode pin;
    double splay;
    std::optional<int> hole; // nothing: no hole gives the splay
};

class PinHoles : public ::testing::TestWithParam<HoleCase> {};

TEST_P(PinHoles, HoleOfTheSplay)
{
    const HoleCase& c = GetParam();
    EXPECT_EQ(ProductTables::PinHoleOf(c.type, c.first, c.config, c.pin, c.splay), c.hole);
}

INSTANTIATE_TEST_SUITE_P(Cases, PinHoles, ::testing::Values(
    HoleCase{0, false, Flown, Slide, 3.3, 3},
    HoleCase{0, false, Flown, Fixed, 3.3, 4},
    HoleCase{0, false, GroundStacked, Slide, 10, 8},
    HoleCase{0, true, Flown, Slide, -5, 1},
    HoleCase{0, true, Flown, Fixed, 5, 8},
    HoleCase{0, true, GroundStacked, Slide, 7.5, 8},
    HoleCase{2, true, Flown, Slide, 2.8, 4},
    HoleCase{2, true, Flown, Fixed, -1.4, 1},
    HoleCase{2, true, GroundStacked, Slide, -5.5, 0},
    HoleCase{2, true, GroundStacked, Slide, 3.5, 9},
    HoleCase{2, false, Flown, Slide, 7, 7},
    HoleCase{2, false, Flown, Fixed, 0, 2},
    HoleCase{2, false, GroundStacked, Fixed, -2, 0},
    HoleCase{4, true, GroundStacked, Fixed, 5, 6},
    HoleCase{4, false, Flown, Slide, 10, 7},
    HoleCase{4, false, Flown, Fixed, 10, 6},
    HoleCase{4, false, GroundStacked, Slide, 0, 6},
    HoleCase{6, false, ConfigurationCode{3}, PinStyleCode{3}, 0, 1},
    HoleCase{8, true, Flown, Slide, 0, 5},
    HoleCase{8, true, Flown, Fixed, 5, 12},
    HoleCase{8, true, GroundStacked, Slide, 2, 9},
    HoleCase{8, false, Flown, Slide, 10, 10},
    HoleCase{8, false, GroundStacked, Slide, 10, 12},
    // No hole at all, distinct from the real hole 0 above.
    HoleCase{0, false, Flown, Slide, 2, std::nullopt},   // not an entry
    HoleCase{0, true, Flown, Slide, 10, std::nullopt},   // an other cell's splay on the first
    HoleCase{2, true, GroundStacked, Slide, -6, std::nullopt},
    HoleCase{0, false, Flown, PinStyleCode{2}, 3.3, std::nullopt},      // unknown pin style
    HoleCase{14, false, Flown, Slide, 0, std::nullopt}));

// Every entry of every allowed list, stored as the radians a cell holds and read back,
// finds its hole wherever the case has a hole table.
TEST(ProductTables, EveryTableEntryFindsItsHoleThroughRadians)
{
    for (int type = 0; type < ProductTables::kCellTypeCount; ++type)
        for (bool first : {true, false})
            for (ConfigurationCode config : {Flown, GroundStacked})
                for (PinStyleCode pin : {Slide, Fixed}) {
                    const auto* row = ProductTables::AllowedSplays(type, first, config, pin);
                    ASSERT_NE(row, nullptr);
                    for (double s : row->splays) {
                        const double readBack = Angle::FromDegrees(s).Degrees();
                        const std::optional<int> hole =
                            ProductTables::PinHoleOf(type, first, config, pin, readBack);
                        ASSERT_TRUE(hole.has_value()) << type << " " << first << " " << static_cast<int>(config)
                                                      << " " << static_cast<int>(pin) << " " << s;
                        // Groups 1, 3 and 4 number their holes from 1.
                        const int group = ProductTables::SplayGroup(type);
                        if (group == 1 || group == 3 || group == 4) {
                            EXPECT_GT(*hole, 0) << type << " " << first << " " << static_cast<int>(config)
                                               << " " << static_cast<int>(pin) << " " << s;
                        }
                        EXPECT_EQ(hole, ProductTables::PinHoleOf(type, first, config, pin, s));
                    }
                }
}

struct DefaultCase {
    int type;
    bool first;
    ConfigurationCode config;
    PinStyleCode pin;
    std::optional<int> index;
};

TEST(ProductTables, DefaultSplayIndices)
{
    const DefaultCase cases[] = {
        {0, true, Flown, Slide, 2},   {0, true, Flown, Fixed, 4},
        {0, true, GroundStacked, Slide, 3}, {0, false, Flown, Fixed, 4},
        {0, false, GroundStacked, Fixed, 2}, {2, true, Flown, Slide, 2},
        {2, true, Flown, Fixed, 4},   {2, true, GroundStacked, Fixed, 6},
        {2, false, Flown, Slide, 4},  {2, false, GroundStacked, Slide, 3},
        {4, true, Flown, Slide, 1},   {6, false, GroundStacked, Fixed, 1},
        {8, true, GroundStacked, Slide, 1}, {0, true, Flown, PinStyleCode{2}, std::nullopt},
        {4, false, ConfigurationCode{2}, Slide, std::nullopt}, {14, true, Flown, Slide, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProductTables::DefaultSplayIndex(c.type, c.first, c.config, c.pin), c.index)
            << c.type << " " << c.first << " " << static_cast<int>(c.config) << " "
            << static_cast<int>(c.pin);
}

TEST(ProductTables, EveryDefaultIndexLiesInItsList)
{
    for (int type = 0; type < ProductTables::kCellTypeCount; ++type)
        for (bool first : {true, false})
            for (ConfigurationCode config : {Flown, GroundStacked})
                for (PinStyleCode pin : {Slide, Fixed}) {
                    const auto index = ProductTables::DefaultSplayIndex(type, first, config, pin);
                    ASSERT_TRUE(index.has_value());
                    const auto* row = ProductTables::AllowedSplays(type, first, config, pin);
                    EXPECT_GE(*index, 1);
                    EXPECT_LE(*index, static_cast<int>(row->splays.size()));
                }
}

TEST(ProductTables, AttenuationSteps)
{
    const auto steps = ProductTables::AttenuationSteps();
    ASSERT_EQ(steps.size(), 15u);
    EXPECT_EQ(steps.front(), 1.0f);
    EXPECT_EQ(steps[2], 0.0f);
    EXPECT_EQ(steps.back(), -6.0f);
    for (std::size_t i = 1; i < steps.size(); ++i)
        EXPECT_FLOAT_EQ(steps[i - 1] - steps[i], 0.5f);
}

TEST(ProductTables, SwapGroups)
{
    const std::vector<int> kv9{0, 1, 10}, kv7{2, 11}, kv4{3, 12}, pq{7, 4, 5, 6}, r{8, 9, 13};
    const std::vector<int> expected[] = {kv9, kv9, kv7, kv4, pq, pq, pq, pq, r, r, kv9, kv7, kv4, r};
    for (int type = 0; type < 14; ++type) {
        const auto g = ProductTables::SwapGroup(type);
        EXPECT_EQ(std::vector<int>(g.begin(), g.end()), expected[type]) << type;
    }
    EXPECT_TRUE(ProductTables::SwapGroup(14).empty());
    EXPECT_TRUE(ProductTables::SwapGroup(-1).empty());
}

TEST(ProductTables, BrandsAndDefaults)
{
    const int bumpers[] = {0, 1, 1, 3, 2};
    const int types[] = {0, 2, 3, 8, 4};
    for (int b = 0; b < 5; ++b) {
        ASSERT_NE(ProductTables::Brand(BrandCode{b}), nullptr);
        EXPECT_EQ(ProductTables::Brand(BrandCode{b})->bumperType, bumpers[b]);
        EXPECT_EQ(ProductTables::DefaultCellType(BrandCode{b}), types[b]);
    }
    EXPECT_EQ(ProductTables::Brand(BrandCode{5}), nullptr);
    EXPECT_EQ(ProductTables::DefaultCellType(BrandCode{5}), 0);
    EXPECT_EQ(ProductTables::DefaultCellType(BrandCode{-1}), 0);
}

} // namespace
} // namespace polvane
