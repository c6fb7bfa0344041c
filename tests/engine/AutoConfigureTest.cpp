#include "engine/AutoConfigure.h"

#include <cmath>
#include <functional>
#include <numeric>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/AutoConfigureServices.h"
#include "engine/CalculationResults.h"
#include "engine/CaptionLabel.h"
#include "engine/Environment.h"
#include "engine/ProgressController.h"
#include "model/ProductTables.h"
#include "model/RiggingCode.h"

namespace polvane {
namespace {

class FakeProgress : public ProgressController {
public:
    void SetProgress(double fraction) override { fractions.push_back(fraction); }
    std::vector<double> fractions;
};

class FakeLabel : public CaptionLabel {
public:
    void SetCaption(const std::string& text) override { captions.push_back(text); }
    std::vector<std::string> captions;
};

// A clock that moves on by `step` ms at every reading, so deadlines and progress reports
// follow the number of readings, not the machine's speed.
class FakeServices : public AutoConfigureServices {
public:
    bool RefinementEnabled() override { return refinement; }
    std::int64_t TickCount() override
    {
        ++readings;
        if (onTick)
            onTick(readings);
        now += step;
        return now;
    }
    void RefreshWindows() override { ++refreshes; }
    void LetMessagesRun() override { ++messageRuns; }
    void ShareResults(const CalculationResults& results) override { shared = results; }
    int WorkerCount() override { return workers > 0 ? workers : AutoConfigureServices::WorkerCount(); }

    bool refinement = true;
    std::int64_t now = 1000;
    std::int64_t step = 1;
    int workers = 0; // 0: the program's choice
    int readings = 0;
    int refreshes = 0;
    int messageRuns = 0;
    CalculationResults shared;
    std::function<void(int)> onTick;
};

struct Harness {
    FakeProgress progress;
    FakeLabel percent, time, combos;
    FakeServices services;
    bool cancel = false;

    void Run(Environment& venue, int limitMs)
    {
        venue.AutoCalculate(limitMs, cancel, progress, percent, time, &combos, services);
    }
};

// A flown array hanging over a floor and a raked balcony, in feet or metres.
std::unique_ptr<Environment> Hall(int cells, int type, UnitsCode units = UnitsCode::English)
{
    auto venue = std::make_unique<Environment>();
    venue->Clear();
    LineArray& array = venue->LineArray();
    array.SetBrand(ProductTables::CellType(type)->splayGroup == 3 ? BrandCode::DeVelt : BrandCode::TarvicKv9);
    array.SetConfiguration(ConfigurationCode::Flown);
    array.SetPinStyle(PinStyleCode::Fixed);
    for (int i = 0; i < cells; ++i)
        array.Cells().Add(-1, type);
    array.Bumper().SetLocation(Point2D(0, 30));
    const Point2D f1(10, 0), b1(80, 5), f2(85, 12), b2(120, 25);
    venue->SeatingAreas().Add(-1, &f1, &b1);
    venue->SeatingAreas().Add(-1, &f2, &b2);
    venue->SetEarHeight(4.25f);
    venue->SetAutoCalcBaselines(5, 5);
    venue->SetUnits(units);
    return venue;
}

std::vector<double> Splays(const Environment& venue)
{
    std::vector<double> out;
    const Cells& cells = venue.LineArray().Cells();
    for (int i = 1; i <= cells.Count(); ++i)
        out.push_back(cells.Item(i).SplayAngle().Degrees());
    return out;
}

class AutoConfigureTest : public ::testing::Test {};

TEST(AutoConfigureText, TimeRemaining)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {3'600'000, "1h 0m 0s"}, {59'999, "59s"}, {245'000, "4m 5s"},
        {3'723'000, "1h 2m 3s"}, {6'000, "6s"},   {0, "0s"},
    };
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(AutoConfigure::FormatTimeRemaining(ms), text) << ms;
    EXPECT_EQ(AutoConfigure::FormatPercent(0.125), "12.50%");
    EXPECT_EQ(AutoConfigure::FormatPercent(1), "100.00%");
    EXPECT_EQ(AutoConfigure::FormatCount(1234567), "1234567");
    EXPECT_EQ(AutoConfigure::FormatCount(999), "999");
}

TEST(AutoConfigureShares, EqualTrianglesAndTheCarry)
{
    float carry = 0;
    EXPECT_EQ(AutoConfigure::ShareCells({5, 5}, 8, carry), (std::vector<int>{4, 4}));
    carry = 0;
    EXPECT_EQ(AutoConfigure::ShareCells({3, 3, 3}, 4, carry), (std::vector<int>{1, 1, 2}));
    EXPECT_NEAR(carry, 0, 1e-5);
    carry = 0;
    EXPECT_EQ(AutoConfigure::ShareCells({0, 0}, 4, carry), (std::vector<int>{0, 0}));
}

TEST(AutoConfigureShares, TriangleArea)
{
    EXPECT_NEAR(AutoConfigure::TriangleArea({0, 0}, {4, 0}, {0, 3}), 6, 1e-5);
    EXPECT_EQ(AutoConfigure::TriangleArea({0, 0}, {1, 1}, {2, 2}), 0);
}

TEST_F(AutoConfigureTest, RefinementOffLeavesTheProgressUntouched)
{
    auto venue = Hall(8, 0);
    Harness h;
    h.services.refinement = false;
    h.Run(*venue, 10'000);
    EXPECT_TRUE(h.progress.fractions.empty());
    EXPECT_TRUE(h.percent.captions.empty());
    EXPECT_TRUE(h.time.captions.empty());
    EXPECT_EQ(h.services.refreshes, 0);

    // The result is the initial design, and it is what the windows now show.
    auto designed = Hall(8, 0);
    AutoConfigure(*designed).DesignInitialSplays();
    EXPECT_EQ(Splays(*venue), Splays(*designed));
    EXPECT_EQ(h.services.shared.CellResults.size(), 8u);
}

TEST_F(AutoConfigureTest, InitialDesignCoversTheAreas)
{
    auto venue = Hall(8, 0);
    AutoConfigure(*venue).DesignInitialSplays();
    const CalculationResults r = venue->GenerateCalculations(false);
    // The coarse splay steps leave a cell or two between the areas, but both areas are
    // covered, the balcony by the upper cells.
    int floor = 0, balcony = 0;
    for (const auto& c : r.CellResults) {
        floor += c.HitAreaIndex == 1 ? 1 : 0;
        balcony += c.HitAreaIndex == 2 ? 1 : 0;
    }
    EXPECT_GE(floor, 2);
    EXPECT_GE(balcony, 2);
    EXPECT_GE(floor + balcony, 6);
    // The array curves downward: the lowest cell aims lowest.
    EXPECT_GT(r.CellResults.front().Aim.Degrees(), r.CellResults.back().Aim.Degrees());
}

TEST_F(AutoConfigureTest, DesignDoesNotDependOnTheUnits)
{
    auto feet = Hall(12, 0, UnitsCode::English);
    auto metres = Hall(12, 0, UnitsCode::Metric);
    AutoConfigure(*feet).DesignInitialSplays();
    AutoConfigure(*metres).DesignInitialSplays();
    const auto a = Splays(*feet);
    const auto b = Splays(*metres);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(a[i], b[i], 1e-9) << i;
}

TEST_F(AutoConfigureTest, BumperAdjustTakesTheTopCellsAim)
{
    auto venue = Hall(6, 0);
    venue->SetAutoCalcBumperAdjust(true);
    AutoConfigure(*venue).DesignInitialSplays();
    // Cell 1 then gets what its snap makes of 0 degrees relative to the bumper.
    const Cell& first = venue->LineArray().Cells().Item(1);
    EXPECT_NEAR(first.SplayAngle().Degrees(), first.SnapSplay(0), 1e-9);
    EXPECT_NE(venue->LineArray().Bumper().Angle().Radians(), 0);
}

TEST_F(AutoConfigureTest, EmptyVenuesReturnAtOnce)
{
    for (bool noAreas : {true, false}) {
        auto venue = Hall(noAreas ? 4 : 0, 0);
        if (noAreas)
            while (venue->SeatingAreas().Count() > 0)
                venue->SeatingAreas().Remove(1);
        const auto before = Splays(*venue);
        Harness h;
        h.Run(*venue, 10'000);
        EXPECT_EQ(Splays(*venue), before);
        EXPECT_TRUE(h.progress.fractions.empty());
        const CalculationResults& r = h.services.shared;
        EXPECT_TRUE(std::isfinite(r.CenterOfGravity.x) && std::isfinite(r.CenterOfGravity.y));
    }
}

// Every combination of the cells' allowed splays, scored the way the search scores them.
struct BruteForce {
    float bestScore = std::numeric_limits<float>::infinity();
    std::vector<int> best;
};

BruteForce SearchEverything(Environment& venue, const std::vector<int>& start, float startScore)
{
    Cells& cells = venue.LineArray().Cells();
    const int n = cells.Count();
    BruteForce result{startScore, start};
    std::vector<int> idx(static_cast<std::size_t>(n), 1);
    while (true) {
        for (int i = 1; i <= n; ++i)
            cells.Item(i).SetSplayIndex(idx[static_cast<std::size_t>(i - 1)]);
        const CalculationResults r = venue.GenerateCalculations(true);
        const double upper = r.UpperCoverageAngle.Degrees(), lower = r.LowerCoverageAngle.Degrees();
        const bool within = r.CellResults.front().Aim.Degrees() <= upper + venue.AutoCalcOverthrow() &&
                            lower - venue.AutoCalcUnderthrow() <= r.CellResults.back().Aim.Degrees();
        if (r.Balanced && within && r.EvennessScore < result.bestScore) {
            result.bestScore = r.EvennessScore;
            result.best = idx;
        }
        int m = 0;
        for (; m < n; ++m) {
            auto& v = idx[static_cast<std::size_t>(m)];
            if (++v <= static_cast<int>(cells.Item(m + 1).GetPossibleSplays().size()))
                break;
            v = 1;
        }
        if (m == n)
            break;
    }
    return result;
}

TEST_F(AutoConfigureTest, SearchFindsTheBestCombination)
{
    auto venue = Hall(3, 4); // three PQ4 cells: 6 x 6 x 6 combinations
    venue->SetAutoCalcBaselines(15, 15);
    Harness h;
    h.Run(*venue, std::numeric_limits<int>::max() / 2);
    const auto found = Splays(*venue);
    const float foundScore = venue->GenerateCalculations(false).EvennessScore;

    auto reference = Hall(3, 4);
    reference->SetAutoCalcBaselines(15, 15);
    AutoConfigure(*reference).DesignInitialSplays();
    std::vector<int> start;
    for (int i = 1; i <= 3; ++i)
        start.push_back(reference->LineArray().Cells().Item(i).GetSplayIndex());
    const float startScore = reference->GenerateCalculations(false).EvennessScore;
    const BruteForce brute = SearchEverything(*reference, start, startScore);

    EXPECT_LT(brute.bestScore, startScore); // the venue leaves room to improve
    EXPECT_FLOAT_EQ(foundScore, brute.bestScore);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(venue->LineArray().Cells().Item(i).GetSplayIndex(),
                  brute.best[static_cast<std::size_t>(i - 1)]) << i;
    // Progress went out while it ran, and the window refresh came first.
    EXPECT_EQ(h.services.refreshes, 1);
    EXPECT_FALSE(h.progress.fractions.empty());
    EXPECT_FALSE(h.combos.captions.empty());
    (void)found;
}

TEST_F(AutoConfigureTest, CancelAppliesTheBestSoFar)
{
    auto venue = Hall(3, 4);
    venue->SetAutoCalcBaselines(15, 15);
    Harness h;
    h.services.onTick = [&](int readings) {
        if (readings > 40)
            h.cancel = true;
    };
    h.Run(*venue, std::numeric_limits<int>::max() / 2);
    const float score = venue->GenerateCalculations(false).EvennessScore;

    auto initial = Hall(3, 4);
    AutoConfigure(*initial).DesignInitialSplays();
    const float initialScore = initial->GenerateCalculations(false).EvennessScore;
    EXPECT_LE(score, initialScore);
    for (int i = 1; i <= 3; ++i)
        EXPECT_GE(venue->LineArray().Cells().Item(i).GetSplayIndex(), 1);
}

TEST_F(AutoConfigureTest, NoAcceptedCandidateKeepsTheInitialDesign)
{
    auto venue = Hall(4, 0);
    venue->SetAutoCalcBaselines(-500, -500); // no aim can keep these limits
    Harness h;
    h.Run(*venue, 50);
    auto designed = Hall(4, 0);
    AutoConfigure(*designed).DesignInitialSplays();
    EXPECT_EQ(Splays(*venue), Splays(*designed));
}

// With nothing accepted every subset size is searched once. In each subset the first
// member counts on from its initial index and the others from their first, so a subset
// tries all its combinations less the first member's indices below its initial one.
TEST_F(AutoConfigureTest, EachSubsetStartsItsFirstMemberAtItsInitialIndex)
{
    auto venue = Hall(4, 4); // four PQ4 cells of six splays each
    venue->SetAutoCalcBaselines(-500, -500); // no aim can keep these limits
    Harness h;
    h.services.step = 300; // every candidate reports, so the last count is the total
    h.Run(*venue, std::numeric_limits<int>::max() / 2);

    auto designed = Hall(4, 4);
    AutoConfigure(*designed).DesignInitialSplays();
    const Cells& cells = designed->LineArray().Cells();
    std::vector<long long> choices, initial;
    for (int i = 1; i <= cells.Count(); ++i) {
        choices.push_back(static_cast<long long>(cells.Item(i).GetPossibleSplays().size()));
        initial.push_back(cells.Item(i).GetSplayIndex());
    }
    long long expected = 0;
    const int n = cells.Count();
    for (int mask = 1; mask < (1 << n); ++mask) {
        long long product = 1;
        int firstMember = -1;
        for (int i = 0; i < n; ++i) {
            if ((mask & (1 << i)) != 0) {
                product *= choices[static_cast<std::size_t>(i)];
                if (firstMember < 0)
                    firstMember = i;
            }
        }
        expected += product - (initial[static_cast<std::size_t>(firstMember)] - 1);
    }
    ASSERT_FALSE(h.combos.captions.empty());
    std::string last = h.combos.captions.back();
    std::erase(last, ',');
    EXPECT_EQ(std::stoll(last), expected);
    EXPECT_EQ(Splays(*venue), Splays(*designed));
}

TEST_F(AutoConfigureTest, DeadlineStopsTheSearch)
{
    auto venue = Hall(8, 0);
    Harness h;
    h.services.step = 10;
    h.Run(*venue, 100);
    // About ten readings fit in 100 ms: the search stopped long before its end.
    EXPECT_LT(h.services.readings, 40);
}

// The venues the parallel search is compared on: flown and stacked, dual- and
// single-point, limits that accept candidates and limits that reject every one.
struct SearchCase {
    const char* name;
    int cells;
    int type;
    ConfigurationCode configuration;
    RiggingCode rigging;
    float limits; // overthrow and underthrow, degrees
    std::int64_t bound;
};

const SearchCase kSearchCases[] = {
    {"flown 8, several sweeps", 8, 0, ConfigurationCode::Flown, RiggingCode::DualPoint, 5, 3000},
    {"flown 16, nothing accepted", 16, 0, ConfigurationCode::Flown, RiggingCode::DualPoint, -500, 2500},
    {"flown 24 PQ4", 24, 4, ConfigurationCode::Flown, RiggingCode::DualPoint, 15, 2500},
    {"stacked 16", 16, 0, ConfigurationCode::GroundStacked, RiggingCode::DualPoint, 15, 2500},
    {"single point 16", 16, 0, ConfigurationCode::Flown, RiggingCode::SinglePoint, 10, 2500},
    {"single point 8", 8, 4, ConfigurationCode::Flown, RiggingCode::SinglePoint, 15, 3000},
    {"stacked single point 8", 8, 0, ConfigurationCode::GroundStacked, RiggingCode::SinglePoint, 15, 3000},
};

std::unique_ptr<Environment> CaseVenue(const SearchCase& c)
{
    auto venue = Hall(c.cells, c.type);
    LineArray& array = venue->LineArray();
    array.SetConfiguration(c.configuration);
    if (c.configuration == ConfigurationCode::GroundStacked)
        array.Bumper().SetLocation(Point2D(0, 2));
    array.Bumper().SetRigging(c.rigging);
    // Hung from the middle, the array hangs nearly level.
    if (c.rigging == RiggingCode::SinglePoint)
        array.Bumper().SetFrontHangPoint((array.Bumper().HoleCount() + 1) / 2);
    venue->SetAutoCalcBaselines(c.limits, c.limits);
    return venue;
}

struct Outcome {
    std::vector<int> indices;
    float score = 0;
    std::int64_t tried = 0;
};

std::vector<int> Indices(const Environment& venue)
{
    std::vector<int> out;
    const Cells& cells = venue.LineArray().Cells();
    for (int i = 1; i <= cells.Count(); ++i)
        out.push_back(cells.Item(i).GetSplayIndex());
    return out;
}

Outcome SearchWithWorkers(Environment& venue, int workers, std::int64_t bound,
                          const std::function<void(int)>& onTick = {})
{
    Harness h;
    h.services.workers = workers;
    h.services.onTick = onTick;
    AutoConfigure search(venue);
    search.SetCombinationBound(bound);
    search.Run(std::numeric_limits<int>::max() / 2, h.cancel, h.progress, h.percent, h.time,
               &h.combos, h.services);
    return {Indices(venue), search.BestScore(), search.CombinationsTried()};
}

// The search written out plainly, one candidate after another on the venue itself, every
// candidate's levelling starting from the bumper angle of the search's first prediction.
Outcome SearchInOrder(Environment& venue, std::int64_t bound)
{
    AutoConfigure(venue).DesignInitialSplays();
    Cells& cells = venue.LineArray().Cells();
    const int n = cells.Count();
    const bool flown = venue.LineArray().Configuration() == ConfigurationCode::Flown;
    std::vector<int> choices(static_cast<std::size_t>(n + 1)), initial(choices.size());
    for (int i = 1; i <= n; ++i) {
        choices[static_cast<std::size_t>(i)] = static_cast<int>(cells.Item(i).GetPossibleSplays().size());
        initial[static_cast<std::size_t>(i)] = cells.Item(i).GetSplayIndex();
    }
    std::vector<int> best = initial;
    float bestScore = venue.GenerateCalculations(false).EvennessScore;
    const Angle level = venue.LineArray().Bumper().Angle();
    std::int64_t tried = 0;
    for (int k = 1; k <= n && tried < bound;) {
        const float sweepStart = bestScore;
        std::vector<int> subset(static_cast<std::size_t>(k));
        std::iota(subset.begin(), subset.end(), 1);
        while (tried < bound) {
            std::vector<int> current = initial;
            for (std::size_t m = 1; m < subset.size(); ++m)
                current[static_cast<std::size_t>(subset[m])] = 1;
            while (tried < bound) {
                for (int i = 1; i <= n; ++i)
                    if (current[static_cast<std::size_t>(i)] >= 1)
                        cells.Item(i).SetSplayIndex(current[static_cast<std::size_t>(i)]);
                venue.LineArray().Bumper().ForceAngle(level);
                const CalculationResults r = venue.GenerateCalculations(true);
                ++tried;
                const CellResult& top = flown ? r.CellResults.front() : r.CellResults.back();
                const CellResult& bottom = flown ? r.CellResults.back() : r.CellResults.front();
                const bool within =
                    top.Aim.Degrees() <= r.UpperCoverageAngle.Degrees() + venue.AutoCalcOverthrow() &&
                    r.LowerCoverageAngle.Degrees() - venue.AutoCalcUnderthrow() <= bottom.Aim.Degrees();
                if (r.EvennessScore < bestScore && r.Balanced && within) {
                    bestScore = r.EvennessScore;
                    best = current;
                }
                std::size_t m = 0;
                for (; m < subset.size(); ++m) {
                    int& count = current[static_cast<std::size_t>(subset[m])];
                    if (++count <= choices[static_cast<std::size_t>(subset[m])])
                        break;
                    count = 1;
                }
                if (m == subset.size())
                    break;
            }
            int m = k - 1;
            while (m >= 0 && subset[static_cast<std::size_t>(m)] == n - (k - 1 - m))
                --m;
            if (m < 0)
                break;
            ++subset[static_cast<std::size_t>(m)];
            for (int after = m + 1; after < k; ++after)
                subset[static_cast<std::size_t>(after)] = subset[static_cast<std::size_t>(after - 1)] + 1;
        }
        if (tried >= bound)
            break;
        initial = best;
        if (bestScore == sweepStart)
            ++k;
    }
    for (int i = 1; i <= n; ++i)
        if (best[static_cast<std::size_t>(i)] >= 1)
            cells.Item(i).SetSplayIndex(best[static_cast<std::size_t>(i)]);
    return {Indices(venue), bestScore, tried};
}

TEST_F(AutoConfigureTest, AnyNumberOfWorkersChoosesWhatTheSearchInOrderChooses)
{
    for (const SearchCase& c : kSearchCases) {
        SCOPED_TRACE(c.name);
        auto plain = CaseVenue(c);
        const Outcome expected = SearchInOrder(*plain, c.bound);
        ASSERT_EQ(expected.tried, c.bound);
        for (const int workers : {1, 2, 3, 8}) {
            SCOPED_TRACE(::testing::Message() << workers << " workers");
            auto venue = CaseVenue(c);
            const Outcome found = SearchWithWorkers(*venue, workers, c.bound);
            EXPECT_EQ(found.indices, expected.indices);
            EXPECT_EQ(found.score, expected.score);
            EXPECT_EQ(found.tried, expected.tried);
        }
    }
}

TEST_F(AutoConfigureTest, SearchesThatAcceptImproveOnTheInitialDesign)
{
    // Guards the comparison above against venues where nothing happens.
    for (const SearchCase& c : kSearchCases) {
        SCOPED_TRACE(c.name);
        auto designed = CaseVenue(c);
        AutoConfigure(*designed).DesignInitialSplays();
        const float initialScore = designed->GenerateCalculations(false).EvennessScore;
        // The first sweep varies one cell at a time, from its initial index.
        std::int64_t firstSweep = 0;
        const Cells& cells = designed->LineArray().Cells();
        for (int i = 1; i <= cells.Count(); ++i)
            firstSweep += static_cast<std::int64_t>(cells.Item(i).GetPossibleSplays().size()) -
                          cells.Item(i).GetSplayIndex() + 1;
        auto once = CaseVenue(c);
        const float firstSweepScore = SearchWithWorkers(*once, 3, firstSweep).score;
        auto venue = CaseVenue(c);
        const Outcome found = SearchWithWorkers(*venue, 3, c.bound);
        if (c.limits < -100) {
            EXPECT_EQ(found.score, initialScore);
        } else {
            EXPECT_LT(found.score, initialScore);
            // Later sweeps, from the first sweep's best, improve on it again.
            EXPECT_LT(found.score, firstSweepScore);
        }
    }
}

TEST_F(AutoConfigureTest, CancelledWorkersLeaveTheDesignOfTheCombinationsTakenBack)
{
    for (const SearchCase& c : kSearchCases) {
        SCOPED_TRACE(c.name);
        Harness h;
        auto venue = CaseVenue(c);
        h.services.workers = 8;
        h.services.onTick = [&](int readings) {
            if (readings > 700)
                h.cancel = true;
        };
        AutoConfigure search(*venue);
        search.Run(std::numeric_limits<int>::max() / 2, h.cancel, h.progress, h.percent, h.time,
                   &h.combos, h.services);
        const std::int64_t tried = search.CombinationsTried();
        ASSERT_GT(tried, 0);

        auto alone = CaseVenue(c);
        const Outcome expected = SearchWithWorkers(*alone, 1, tried);
        EXPECT_EQ(Indices(*venue), expected.indices);
        EXPECT_EQ(search.BestScore(), expected.score);
        EXPECT_EQ(expected.tried, tried);
    }
}

} // namespace
} // namespace polvane
