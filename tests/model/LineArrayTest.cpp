#include "model/LineArray.h"

#include <gtest/gtest.h>

namespace polvane {
namespace {

std::unique_ptr<LineArray> Flown(BrandCode brand, int cells)
{
    auto a = std::make_unique<LineArray>();
    a->SetBrand(brand);
    a->SetConfiguration(ConfigurationCode::Flown);
    a->SetPinStyle(PinStyleCode::Slide);
    for (int i = 0; i < cells; ++i)
        a->Cells().Add();
    return a;
}

struct BrandCase {
    BrandCode brand;
    int bumperType;
    int holes;
    int cellType;
};

TEST(LineArray, BrandChoosesBumperAndCells)
{
    const BrandCase cases[] = {
        {BrandCode::TarvicKv9, 0, 11, 0}, {BrandCode::TarvicKv7, 1, 19, 2}, {BrandCode::TarvicKv4, 1, 19, 3},
        {BrandCode::RSarn, 3, 20, 8},     {BrandCode::DeVelt, 2, 9, 4}};
    for (const auto& c : cases) {
        LineArray a;
        a.Cells().Add();
        a.Cells().Add();
        a.SetBrand(c.brand);
        EXPECT_EQ(a.Bumper().BumperType(), c.bumperType) << static_cast<int>(c.brand);
        EXPECT_EQ(a.Bumper().FrontHangPoint(), 1) << static_cast<int>(c.brand);
        EXPECT_EQ(a.Bumper().BackHangPoint(), c.holes) << static_cast<int>(c.brand);
        for (int i = 1; i <= 2; ++i)
            EXPECT_EQ(a.Cells().Item(i).CellType(), c.cellType) << static_cast<int>(c.brand);
    }
}

TEST(LineArray, SameBumperTypeKeepsTheHangPoints)
{
    LineArray a;
    a.SetBrand(BrandCode::TarvicKv4);
    a.Bumper().SetFrontHangPoint(4);
    a.Bumper().SetBackHangPoint(12);
    a.SetBrand(BrandCode::TarvicKv7);
    EXPECT_EQ(a.Bumper().FrontHangPoint(), 4);
    EXPECT_EQ(a.Bumper().BackHangPoint(), 12);
    a.SetBrand(BrandCode::TarvicKv9);
    EXPECT_EQ(a.Bumper().FrontHangPoint(), 1);
    EXPECT_EQ(a.Bumper().BackHangPoint(), 11);
}

struct PinCase {
    BrandCode brand;
    ConfigurationCode config;
    PinStyleCode from;
    PinStyleCode write;
    PinStyleCode stored;
};

TEST(LineArray, SlidePinsRefusedWhenStackedOrForBrand4)
{
    const PinCase cases[] = {
        {BrandCode::TarvicKv9, ConfigurationCode::GroundStacked, PinStyleCode::Fixed, PinStyleCode::Slide, PinStyleCode::Fixed},
        {BrandCode::DeVelt, ConfigurationCode::Flown, PinStyleCode::Fixed, PinStyleCode::Slide, PinStyleCode::Fixed},
        {BrandCode::TarvicKv9, ConfigurationCode::Flown, PinStyleCode::Fixed, PinStyleCode::Slide, PinStyleCode::Slide},
        {BrandCode::DeVelt, ConfigurationCode::Flown, PinStyleCode::Slide, PinStyleCode::Fixed, PinStyleCode::Fixed},
        {BrandCode::TarvicKv9, ConfigurationCode::GroundStacked, PinStyleCode::Fixed, PinStyleCode::Fixed, PinStyleCode::Fixed},
    };
    for (const auto& c : cases) {
        LineArray a;
        a.SetBrand(c.brand);
        a.SetPinStyle(c.from);
        a.SetConfiguration(c.config);
        a.SetPinStyle(c.write);
        EXPECT_EQ(a.PinStyle(), c.stored) << static_cast<int>(c.brand) << " " << static_cast<int>(c.config);
    }
}

TEST(LineArray, PinStyleWritePutsEveryCellOnItsDefault)
{
    auto owner = Flown(BrandCode::TarvicKv9, 4);
    LineArray& a = *owner;
    for (int i = 1; i <= 4; ++i)
        a.Cells().Item(i).SplayAngle().SetDegrees(10);
    a.SetPinStyle(PinStyleCode::Slide); // the current value resets too
    EXPECT_NEAR(a.Cells().Item(1).SplayAngle().Degrees(), -3.3, 1e-12);
    for (int i = 2; i <= 4; ++i)
        EXPECT_NEAR(a.Cells().Item(i).SplayAngle().Degrees(), 5, 1e-12);

    a.SetConfiguration(ConfigurationCode::GroundStacked);
    a.SetPinStyle(PinStyleCode::Slide); // refused: nothing moves
    EXPECT_NEAR(a.Cells().Item(2).SplayAngle().Degrees(), 5, 1e-12);
    a.SetPinStyle(PinStyleCode::Fixed);
    EXPECT_NEAR(a.Cells().Item(1).SplayAngle().Degrees(), -0.5, 1e-12);
    EXPECT_NEAR(a.Cells().Item(2).SplayAngle().Degrees(), 1.6, 1e-12);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(a.Cells().Item(i).PinStyle(), PinStyleCode::Fixed);
}

TEST(LineArray, CellsAddedLaterTakeThePinStyleAndBrand)
{
    auto owner = Flown(BrandCode::RSarn, 1);
    LineArray& a = *owner;
    a.SetPinStyle(PinStyleCode::Fixed);
    Cell& added = a.Cells().Add();
    EXPECT_EQ(added.PinStyle(), PinStyleCode::Fixed);
    EXPECT_EQ(added.CellType(), 8);
}

TEST(LineArray, UnitsReachBumperAndCells)
{
    auto owner = Flown(BrandCode::TarvicKv9, 2);
    LineArray& a = *owner;
    a.Bumper().SetLocation(Point2D(10, 20));
    a.SetUnits(UnitsCode::Metric);
    EXPECT_FLOAT_EQ(a.Bumper().Location().x, 3.048f);
    EXPECT_FLOAT_EQ(a.Bumper().Width(), 1.2112625f);
    EXPECT_FLOAT_EQ(a.Cells().Item(2).Width(), 0.7112f);
    EXPECT_EQ(a.Units(), UnitsCode::Metric);
}

TEST(LineArray, CopyIsExactAndIndependent)
{
    auto owner = Flown(BrandCode::RSarn, 5);
    LineArray& a = *owner;
    a.SetPinStyle(PinStyleCode::Fixed);
    const double splays[] = {3, 2, 7, 10, 4};
    for (int i = 1; i <= 5; ++i) {
        a.Cells().Item(i).SplayAngle().SetDegrees(splays[i - 1]);
        a.Cells().Item(i).SetAttenuation(-0.5f * static_cast<float>(i));
    }
    a.Cells().Item(3).SetCellType(13);
    a.Bumper().SetLocation(Point2D(1.5f, 30));
    a.Bumper().SetAngle(Angle::FromDegrees(-4));
    a.Bumper().SetBackHangPoint(17);
    a.SetUnits(UnitsCode::Metric);

    auto copy = a.CloneOf();
    EXPECT_EQ(copy->Brand(), BrandCode::RSarn);
    EXPECT_EQ(copy->PinStyle(), PinStyleCode::Fixed);
    EXPECT_EQ(copy->Configuration(), ConfigurationCode::Flown);
    EXPECT_EQ(copy->Units(), UnitsCode::Metric);
    EXPECT_EQ(copy->Bumper().Location(), a.Bumper().Location());
    EXPECT_EQ(copy->Bumper().Angle().Radians(), a.Bumper().Angle().Radians());
    EXPECT_EQ(copy->Bumper().BackHangPoint(), 17);
    ASSERT_EQ(copy->Cells().Count(), 5);
    for (int i = 1; i <= 5; ++i) {
        const Cell& c = copy->Cells().Item(i);
        const Cell& s = a.Cells().Item(i);
        EXPECT_EQ(c.CellType(), s.CellType()) << i;
        EXPECT_EQ(c.SplayAngle().Radians(), s.SplayAngle().Radians()) << i;
        EXPECT_EQ(c.Attenuation(), s.Attenuation()) << i;
        EXPECT_EQ(c.Width(), s.Width()) << i;
        EXPECT_EQ(c.PinStyle(), PinStyleCode::Fixed) << i;
    }
    // Cells added to the copy are of the copy's brand; changes stay in the copy.
    EXPECT_EQ(copy->Cells().Add().CellType(), 8);
    copy->Cells().Item(2).SplayAngle().SetDegrees(9);
    copy->Bumper().SetLocation(Point2D(0, 0));
    copy->SetPinStyle(PinStyleCode::Fixed);
    EXPECT_EQ(a.Cells().Count(), 5);
    EXPECT_NEAR(a.Cells().Item(2).SplayAngle().Degrees(), 2, 1e-12);
    EXPECT_NEAR(a.Cells().Item(4).SplayAngle().Degrees(), 10, 1e-12);
    EXPECT_FLOAT_EQ(a.Bumper().Location().y, 30 * 0.3048f);
}

// Snapshots, the printed sheet and Auto-Configure work on copies, and the venue changes units
// both ways: none of that may move a splay or a hang point the array holds.
TEST(LineArray, CopiesAndUnitChangesMoveNoSplayAndNoHangPoint)
{
    struct Case {
        const char* name;
        RiggingCode rigging;
        int front, back;
    };
    // A single-point bumper's unused back point may lie before its front one (the bumper
    // window sets only the front point when single point is chosen).
    const Case cases[] = {
        {"dual", RiggingCode::DualPoint, 3, 9},
        {"dual, neighbours", RiggingCode::DualPoint, 10, 11},
        {"single, back before front", RiggingCode::SinglePoint, 6, 3},
        {"single, back on hole 1", RiggingCode::SinglePoint, 11, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto a = Flown(BrandCode::TarvicKv9, 12);
        a->Cells().Item(2).SplayAngle().SetDegrees(10);
        a->Cells().Remove(1); // the new first cell keeps 10, outside its list
        a->Bumper().SetRigging(c.rigging);
        a->Bumper().SetFrontHangPoint(c.front);
        a->Bumper().SetBackHangPoint(c.back);

        const auto expectHeld = [&c](const LineArray& held) {
            EXPECT_EQ(held.Bumper().FrontHangPoint(), c.front);
            EXPECT_EQ(held.Bumper().BackHangPoint(), c.back);
            EXPECT_NEAR(held.Cells().Item(1).SplayAngle().Degrees(), 10, 1e-12);
            EXPECT_NO_THROW(held.Bumper().HoleLocation(held.Bumper().FrontHangPoint()));
        };
        expectHeld(*a->CloneOf());
        a->SetUnits(UnitsCode::Metric);
        expectHeld(*a);
        expectHeld(*a->CloneOf());
        a->SetUnits(UnitsCode::English);
        expectHeld(*a);
    }
}

} // namespace
} // namespace polvane
