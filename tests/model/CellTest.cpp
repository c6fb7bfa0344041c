#include "model/Cell.h"

#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/Cells.h"
#include "model/ProductTables.h"

namespace polvane {
namespace {

using enum ConfigurationCode;
using enum PinStyleCode;
using enum UnitsCode;

// A column of `count` cells of one type, built the way the line array builds it.
std::unique_ptr<Cells> Column(int count, int type, ConfigurationCode config = Flown, PinStyleCode pin = Slide,
                              UnitsCode units = English)
{
    auto cells = std::make_unique<Cells>();
    cells->SetUnits(units);
    cells->SetConfiguration(config);
    cells->StorePinStyle(pin);
    for (int i = 0; i < count; ++i)
        cells->Add(-1, type);
    return cells;
}

bool IsAllowed(const Cell& cell)
{
    const auto* row = ProductTables::AllowedSplays(cell.CellType(), cell.Position() == 1,
                                                   cell.Configuration(), cell.PinStyle());
    if (row == nullptr)
        return cell.SplayAngle().Degrees() == 0.0;
    for (double s : row->splays)
        if (Angle::FromDegrees(s).Radians() == cell.SplayAngle().Radians())
            return true;
    return false;
}

TEST(Cell, SplayWritesSnapFromEveryPath)
{
    auto cells = Column(3, 0);
    Cell& cell = cells->Item(2);

    cell.SplayAngle().SetDegrees(2); // through the reference
    EXPECT_NEAR(cell.SplayAngle().Degrees(), 3.3, 1e-12);
    cell.SplayAngle().AddDegrees(0.1);
    EXPECT_NEAR(cell.SplayAngle().Degrees(), 5, 1e-12);
    cell.SplayAngle() = Angle::FromDegrees(7);
    EXPECT_NEAR(cell.SplayAngle().Degrees(), 8.3, 1e-12);
    cell.SetSplayAngle(Angle::FromDegrees(11));
    EXPECT_NEAR(cell.SplayAngle().Degrees(), 10, 1e-12);
    cell.SplayAngle().SetRadians(-1);
    EXPECT_NEAR(cell.SplayAngle().Degrees(), 0, 1e-12);
}

TEST(Cell, SteppingTheSplay)
{
    auto cells = Column(2, 0);
    Cell& cell = cells->Item(2);
    cell.SplayAngle().SetDegrees(2);
    cell.IncreaseSplay();
    EXPECT_NEAR(cell.SplayAngle().Degrees(), 5, 1e-12);
    cell.DecreaseSplay();
    cell.DecreaseSplay();
    EXPECT_NEAR(cell.SplayAngle().Degrees(), 1.6, 1e-12);
    cell.DecreaseSplay();
    EXPECT_NEAR(cell.SplayAngle().Degrees(), 0, 1e-12);
    cell.DecreaseSplay();
    EXPECT_NEAR(cell.SplayAngle().Degrees(), 0, 1e-12);
    cell.SplayAngle().SetDegrees(10);
    cell.IncreaseSplay();
    EXPECT_NEAR(cell.SplayAngle().Degrees(), 10, 1e-12);
}

// A splay the list does not hold (kept through a move up the column or a change of
// configuration) has no hole, and each step goes to the nearest listed splay its way.
TEST(Cell, SplayOutsideTheListHasNoHoleAndStepsToTheNearestEntry)
{
    struct Case {
        const char* what;
        double kept;
        double up, down; // where one step up and one step down lead; kept: nowhere to go
    };
    auto kv9 = Column(3, 0);
    kv9->Item(2).SplayAngle().SetDegrees(10);
    kv9->Remove(1); // a flown first KV9 at 10 with the list -5 .. 5
    auto kv7 = Column(2, 2, GroundStacked, Slide);
    kv7->Item(1).SplayAngle().SetDegrees(-5.5);
    ASSERT_EQ(kv7->Item(1).PinPosition(), 0); // the real hole 0
    kv7->SetConfiguration(Flown); // rebuilds the list: -3, -1.2, 1.3, 2.8
    const std::pair<Cell*, Case> cases[] = {
        {&kv9->Item(1), {"above the list", 10, 10, 5}},
        {&kv7->Item(1), {"below the list", -5.5, -3, -5.5}},
    };
    for (const auto& [cell, c] : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NEAR(cell->SplayAngle().Degrees(), c.kept, 1e-12);
        EXPECT_EQ(cell->PinPosition(), std::nullopt);
        const auto copy = cell->CloneOf();
        copy->IncreaseSplay();
        EXPECT_NEAR(copy->SplayAngle().Degrees(), c.up, 1e-12);
        cell->DecreaseSplay();
        EXPECT_NEAR(cell->SplayAngle().Degrees(), c.down, 1e-12);
    }
}

TEST(Cell, SteppingTheAttenuation)
{
    auto cells = Column(1, 0);
    Cell& cell = cells->Item(1);
    cell.DecreaseAtten();
    EXPECT_FLOAT_EQ(cell.Attenuation(), -0.5f);
    cell.SetAttenuation(-6);
    cell.DecreaseAtten();
    EXPECT_FLOAT_EQ(cell.Attenuation(), -6);
    cell.SetAttenuation(1);
    cell.IncreaseAtten();
    EXPECT_FLOAT_EQ(cell.Attenuation(), 1);

    // Off the list: stored as written, and stepping starts from the first entry.
    cell.SetAttenuation(-0.7f);
    EXPECT_FLOAT_EQ(cell.Attenuation(), -0.7f);
    EXPECT_EQ(cell.GetAttenIndex(), 1);
    cell.DecreaseAtten();
    EXPECT_FLOAT_EQ(cell.Attenuation(), 0.5f);
}

TEST(Cell, TypeChangeSnapsToTheNewType)
{
    auto cells = Column(2, 0);
    Cell& first = cells->Item(1);
    first.SplayAngle().SetDegrees(3.3);
    first.SetCellType(2); // KV7 first cell, flown slide: -3, -1.2, 1.3, 2.8
    EXPECT_NEAR(first.SplayAngle().Degrees(), 2.8, 1e-12);
    EXPECT_FLOAT_EQ(first.Width(), 23.6f / 12);
    first.SetCellType(6); // PB0: always 0, hole 1
    EXPECT_EQ(first.SplayAngle().Degrees(), 0);
    EXPECT_EQ(first.PinPosition(), 1);
}

TEST(Cell, PinHoleFollowsPinStyle)
{
    auto slide = Column(2, 0, Flown, Slide);
    auto fixed = Column(2, 0, Flown, Fixed);
    slide->Item(2).SplayAngle().SetDegrees(3.3);
    fixed->Item(2).SplayAngle().SetDegrees(3.3);
    EXPECT_EQ(slide->Item(2).PinPosition(), 3);
    EXPECT_EQ(fixed->Item(2).PinPosition(), 4);

    auto stacked = Column(1, 0, GroundStacked, Fixed);
    stacked->Item(1).SplayAngle().SetDegrees(7.5);
    EXPECT_EQ(stacked->Item(1).PinPosition(), 8); // 7.5 does not survive radians exactly

    auto kv7 = Column(1, 2, GroundStacked, Fixed);
    kv7->Item(1).SplayAngle().SetDegrees(-5.5);
    EXPECT_EQ(kv7->Item(1).PinPosition(), 0);
}

struct DimensionCase {
    int type;
    UnitsCode units;
    float width, front, back, aperture, depth, weight;
};

TEST(Cell, DimensionsInBothUnits)
{
    const DimensionCase cases[] = {
        {0, English, 28.0f / 12, 14.0f / 12, 9.1f / 12, 11.875f / 12, 1.0f, 199},
        {0, Metric, 0.7112f, 0.3556f, 0.23114f, 0.301625f, 0.3048f, 90.2469f},
        {6, English, 2.5f, 20.5f / 12, 20.5f / 12, 100000, 0.75f, 143},
        {6, Metric, 0.762f, 0.5207f, 0.5207f, 100000, 0.2286f, 64.85261f},
        {12, Metric, 0.8128f, 0.56134f, 0.4619f, 100000, 0.33655f, 105.233f},
        {9, English, 20.875f / 12, 10.25f / 12, 6.6875f / 12, 8.8125f / 12, 9.13f / 12, 75},
    };
    for (const auto& c : cases) {
        auto cells = Column(1, c.type, Flown, Slide, c.units);
        const Cell& cell = cells->Item(1);
        EXPECT_FLOAT_EQ(cell.Width(), c.width) << c.type << "/" << static_cast<int>(c.units);
        EXPECT_FLOAT_EQ(cell.FrontHeight(), c.front) << c.type << "/" << static_cast<int>(c.units);
        EXPECT_FLOAT_EQ(cell.BackHeight(), c.back) << c.type << "/" << static_cast<int>(c.units);
        EXPECT_FLOAT_EQ(cell.ApertureHeight(), c.aperture) << c.type << "/" << static_cast<int>(c.units);
        EXPECT_FLOAT_EQ(cell.SourceDepth(), c.depth) << c.type << "/" << static_cast<int>(c.units);
        EXPECT_FLOAT_EQ(cell.Weight(), c.weight) << c.type << "/" << static_cast<int>(c.units);
        // The top face slopes down towards the back by half the height difference.
        EXPECT_NEAR(cell.SlopeAngle().Radians(),
                    std::atan((c.front - c.back) / 2 / c.width), 1e-6);
    }
}

TEST(Cell, UnknownTypeKeepsZeroDimensions)
{
    auto cells = Column(2, ProductTables::kUnknownCellType);
    Cell& cell = cells->Item(2);
    cell.SplayAngle().SetDegrees(5);
    EXPECT_EQ(cell.SplayAngle().Degrees(), 0);
    EXPECT_EQ(cell.Width(), 0);
    EXPECT_EQ(cell.Weight(), 0);
    EXPECT_EQ(cell.SlopeAngle().Radians(), 0);
    EXPECT_EQ(cell.PinPosition(), std::nullopt); // no hole table for a model we do not know
    EXPECT_TRUE(cell.GetPossibleSplays().empty());
    EXPECT_EQ(cell.GetSplayIndex(), 0);
    cell.IncreaseSplay(); // an empty list: nothing to step to
    cell.TouchSplay();
    EXPECT_TRUE(cell.GetPossibleCellTypes().empty());
}

TEST(Cell, IndexWritesOutsideTheListsThrow)
{
    auto cells = Column(1, 0);
    Cell& cell = cells->Item(1);
    EXPECT_THROW(cell.SetSplayIndex(0), std::out_of_range);
    EXPECT_THROW(cell.SetSplayIndex(8), std::out_of_range);
    EXPECT_THROW(cell.SetAttenIndex(16), std::out_of_range);
    EXPECT_NO_THROW(cell.SetSplayIndex(7));
    EXPECT_NEAR(cell.SplayAngle().Degrees(), 5, 1e-12);
}

TEST(Cell, CopyIsExactAndIndependent)
{
    auto cells = Column(2, 0, GroundStacked, Fixed, Metric);
    Cell& source = cells->Item(1);
    source.SplayAngle().SetDegrees(-4);
    source.SetAttenuation(-2.5f);

    auto copy = source.CloneOf();
    EXPECT_EQ(copy->CellType(), 0);
    EXPECT_EQ(copy->Position(), 1);
    EXPECT_EQ(copy->Configuration(), GroundStacked);
    EXPECT_EQ(copy->PinStyle(), Fixed);
    EXPECT_EQ(copy->Units(), UnitsCode::Metric);
    EXPECT_EQ(copy->SplayAngle().Radians(), source.SplayAngle().Radians());
    EXPECT_EQ(copy->Attenuation(), -2.5f);
    EXPECT_EQ(copy->Width(), source.Width());
    EXPECT_EQ(copy->GetPossibleSplays().size(), 8u);

    copy->SplayAngle().SetDegrees(7.5);
    copy->SetAttenuation(0);
    EXPECT_NEAR(source.SplayAngle().Degrees(), -4, 1e-12);
    EXPECT_EQ(source.Attenuation(), -2.5f);
    // The copy listens to its own splay.
    copy->SplayAngle().SetDegrees(6);
    EXPECT_NEAR(copy->SplayAngle().Degrees(), 7.5, 1e-12);
}

// A removal leaves a splay outside the new first cell's list; every copy holds it exactly.
TEST(Cell, CopyKeepsASplayOutsideTheListOfItsCase)
{
    auto cells = Column(3, 0);
    cells->Item(2).SplayAngle().SetDegrees(10);
    cells->Remove(1);
    const Cell& first = cells->Item(1);
    ASSERT_NEAR(first.SplayAngle().Degrees(), 10, 1e-12);
    EXPECT_EQ(first.CloneOf()->SplayAngle().Radians(), first.SplayAngle().Radians());
    EXPECT_EQ(cells->CloneOf()->Item(1).SplayAngle().Radians(), first.SplayAngle().Radians());
}

// What a file gives back: a splay the type allows in some case is kept (the program saves
// such splays after a removal or a configuration change), anything else is snapped.
TEST(Cell, RestoredSplaysKeepValuesOfTheTypeAndSnapTheRest)
{
    struct Case {
        int type;
        int position;
        double stored, restored;
    };
    const Case cases[] = {
        {0, 1, 3.3, 3.3},   // its own list
        {0, 1, 10, 10},     // a KV9 further down the column
        {0, 1, 8.3, 8.3},
        {0, 1, -4, -4},     // a stacked first KV9
        {0, 1, 7.5, 7.5},   // (7.5 reads back as 7.499999999999999)
        {0, 1, 2, 3.3},     // no KV9's: snapped to its own list
        {0, 1, 100, 5},
        {0, 2, -5, -5},     // a first KV9 moved down
        {0, 2, 9, 10},
        {2, 1, 10, 2.8},    // a KV7 has no 10
        {2, 2, 2.7, 2.7},   // a first KV7 of fixed pins
        {ProductTables::kUnknownCellType, 1, 10, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " at " << c.position << ": " << c.stored);
        auto cells = Column(2, c.type);
        Cell& cell = cells->Item(c.position);
        cell.RestoreSplay(c.stored);
        EXPECT_EQ(cell.SplayAngle().Radians(), Angle::FromDegrees(c.restored).Radians());
        // Its next change snaps it onto its own list, as after a removal.
        cell.SplayAngle().AddDegrees(0);
        EXPECT_TRUE(IsAllowed(cell));
    }
}

TEST(Cells, AddInsertsAndRenumbers)
{
    auto cells = Column(3, 0);
    cells->Item(3).SetAttenuation(-3);
    Cell& added = cells->Add(2);
    ASSERT_EQ(cells->Count(), 4);
    EXPECT_EQ(&cells->Item(2), &added);
    EXPECT_EQ(added.CellType(), 0);
    EXPECT_EQ(cells->Item(4).Attenuation(), -3.0f);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(cells->Item(i).Position(), i);
    EXPECT_THROW(cells->Add(6), std::out_of_range);
    EXPECT_EQ(cells->Count(), 4);
}

TEST(Cells, AddTakesTheBrandsTypeAndTheGivenSplay)
{
    Cells cells;
    cells.SetBrand(BrandCode::RSarn);
    Cell& r44 = cells.Add();
    EXPECT_EQ(r44.CellType(), 8);
    EXPECT_EQ(r44.SplayAngle().Degrees(), 0);
    const Angle splay = Angle::FromDegrees(6.2);
    Cell& second = cells.Add(-1, -1, &splay);
    EXPECT_NEAR(second.SplayAngle().Degrees(), 6, 1e-12);

    // A case whose list holds no 0 gets what the snap gives for 0.
    Cells stacked;
    stacked.SetConfiguration(GroundStacked);
    EXPECT_NEAR(stacked.Add(-1, 0).SplayAngle().Degrees(), 1, 1e-12);
}

TEST(Cells, RemoveRenumbersAndLeavesTheSplayUntilItsNextChange)
{
    auto cells = Column(3, 0);
    cells->Item(2).SplayAngle().SetDegrees(8.3);
    cells->Remove(1);
    ASSERT_EQ(cells->Count(), 2);
    Cell& first = cells->Item(1);
    EXPECT_EQ(first.Position(), 1);
    // The new first cell's list ends at 5, yet the move alone keeps its 8.3 ...
    EXPECT_EQ(first.GetPossibleSplays().size(), 7u);
    EXPECT_NEAR(first.SplayAngle().Degrees(), 8.3, 1e-12);
    EXPECT_EQ(first.GetSplayIndex(), 1);
    // ... until the splay next changes, which snaps it onto the list.
    first.SplayAngle().AddDegrees(0.1);
    EXPECT_NEAR(first.SplayAngle().Degrees(), 5, 1e-12);
    EXPECT_THROW(cells->Remove(3), std::out_of_range);
    EXPECT_THROW(cells->Remove(0), std::out_of_range);

    cells->Remove(1);
    cells->Remove(1);
    EXPECT_EQ(cells->Count(), 0);
    EXPECT_THROW(cells->Item(1), std::out_of_range);
    cells->Add();
    EXPECT_EQ(cells->Count(), 1);
    EXPECT_EQ(cells->Item(1).Position(), 1);
}

TEST(Cells, ChangesOfCaseRebuildTheListsAndKeepTheSplays)
{
    auto cells = Column(4, 2, Flown, Slide);
    cells->Item(1).SplayAngle().SetDegrees(-3);
    for (int i = 2; i <= 4; ++i)
        cells->Item(i).SplayAngle().SetDegrees(7);
    std::vector<double> before;
    for (int i = 1; i <= 4; ++i)
        before.push_back(cells->Item(i).SplayAngle().Degrees());

    cells->SetConfiguration(GroundStacked);
    for (int i = 1; i <= cells->Count(); ++i)
        cells->Item(i).SetPinStyle(Fixed);
    cells->Add(1); // the old first cell moves down
    for (int i = 2; i <= 5; ++i)
        EXPECT_EQ(cells->Item(i).SplayAngle().Degrees(), before[static_cast<std::size_t>(i - 2)])
            << i;
    // The next change of each splay lands on the list of the cell's new case.
    for (int i = 1; i <= cells->Count(); ++i) {
        cells->Item(i).SplayAngle().AddDegrees(0);
        EXPECT_TRUE(IsAllowed(cells->Item(i))) << i;
    }
}

TEST(Cells, UnitsConvertEveryCellOnlyOnChange)
{
    auto cells = Column(2, 0);
    cells->SetUnits(UnitsCode::Metric);
    EXPECT_FLOAT_EQ(cells->Item(2).Width(), 0.7112f);
    cells->SetUnits(UnitsCode::English);
    EXPECT_FLOAT_EQ(cells->Item(2).Width(), 28.0f / 12);
}

TEST(Cells, CopyIsDeep)
{
    auto cells = Column(3, 4);
    cells->Item(3).SplayAngle().SetDegrees(8);
    auto copy = cells->CloneOf();
    ASSERT_EQ(copy->Count(), 3);
    EXPECT_NE(&copy->Item(3), &cells->Item(3));
    EXPECT_NEAR(copy->Item(3).SplayAngle().Degrees(), 8, 1e-12);
    EXPECT_EQ(copy->Item(3).Position(), 3);
    copy->Item(3).SplayAngle().SetDegrees(2);
    copy->Remove(1);
    EXPECT_NEAR(cells->Item(3).SplayAngle().Degrees(), 8, 1e-12);
    EXPECT_EQ(cells->Count(), 3);
}

} // namespace
} // namespace polvane
