#include "model/LineArray.h"

#include <gtest/gtest.h>

namespace polvane {
namespace {

constexpr int kFlown = 0, kStacked = 1, kSlide = 0, kFixed = 1;

std::unique_ptr<LineArray> Flown(int brand, int cells)
{
    auto a = std::make_unique<LineArray>();
    a->SetBrand(brand);
    a->SetConfiguration(kFlown);
    a->SetPinStyle(kSlide);
    for (int i = 0; i < cells; ++i)
        a->Cells().Add();
    return a;
}

struct BrandCase {
    int brand;
    int bumperType;
    int holes;
    int cellType;
};

TEST(LineArray, BrandChoosesBumperAndCells)
{
    const BrandCase cases[] = {
        {0, 0, 11, 0}, {1, 1, 19, 2}, {2, 1, 19, 3}, {3, 3, 20, 8}, {4, 2, 9, 4}};
    for (const auto& c : cases) {
        LineArray a;
        a.Cells().Add();
        a.Cells().Add();
        a.SetBrand(c.brand);
        EXPECT_EQ(a.Bumper().BumperType(), c.bumperType) << c.brand;
        EXPECT_EQ(a.Bumper().FrontHangPoint(), 1) << c.brand;
        EXPECT_EQ(a.Bumper().BackHangPoint(), c.holes) << c.brand;
        for (int i = 1; i <= 2; ++i)
            EXPECT_EQ(a.Cells().Item(i).CellType(), c.cellType) << c.brand;
    }
}

TEST(LineArray, SameBumperTypeKeepsTheHangPoints)
{
    LineArray a;
    a.SetBrand(2);
    a.Bumper().SetFrontHangPoint(4);
    a.Bumper().SetBackHangPoint(12);
    a.SetBrand(1);
    EXPECT_EQ(a.Bumper().FrontHangPoint(), 4);
    EXPECT_EQ(a.Bumper().BackHangPoint(), 12);
    a.SetBrand(0);
    EXPECT_EQ(a.Bumper().FrontHangPoint(), 1);
    EXPECT_EQ(a.Bumper().BackHangPoint(), 11);
}

struct PinCase {
    int brand;
    int config;
    int from;
    int write;
    int stored;
};

TEST(LineArray, SlidePinsRefusedWhenStackedOrForBrand4)
{
    const PinCase cases[] = {
        {0, kStacked, kFixed, kSlide, kFixed},
        {4, kFlown, kFixed, kSlide, kFixed},
        {0, kFlown, kFixed, kSlide, kSlide},
        {4, kFlown, kSlide, kFixed, kFixed},
        {0, kStacked, kFixed, kFixed, kFixed},
    };
    for (const auto& c : cases) {
        LineArray a;
        a.SetBrand(c.brand);
        a.SetPinStyle(c.from);
        a.SetConfiguration(c.config);
        a.SetPinStyle(c.write);
        EXPECT_EQ(a.PinStyle(), c.stored) << c.brand << " " << c.config;
    }
}

TEST(LineArray, PinStyleWritePutsEveryCellOnItsDefault)
{
    auto owner = Flown(0, 4);
    LineArray& a = *owner;
    for (int i = 1; i <= 4; ++i)
        a.Cells().Item(i).SplayAngle().SetDegrees(10);
    a.SetPinStyle(kSlide); // the current value resets too
    EXPECT_NEAR(a.Cells().Item(1).SplayAngle().Degrees(), -3.3, 1e-12);
    for (int i = 2; i <= 4; ++i)
        EXPECT_NEAR(a.Cells().Item(i).SplayAngle().Degrees(), 5, 1e-12);

    a.SetConfiguration(kStacked);
    a.SetPinStyle(kSlide); // refused: nothing moves
    EXPECT_NEAR(a.Cells().Item(2).SplayAngle().Degrees(), 5, 1e-12);
    a.SetPinStyle(kFixed);
    EXPECT_NEAR(a.Cells().Item(1).SplayAngle().Degrees(), -0.5, 1e-12);
    EXPECT_NEAR(a.Cells().Item(2).SplayAngle().Degrees(), 1.6, 1e-12);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(a.Cells().Item(i).PinStyle(), kFixed);
}

TEST(LineArray, CellsAddedLaterTakeThePinStyleAndBrand)
{
    auto owner = Flown(3, 1);
    LineArray& a = *owner;
    a.SetPinStyle(kFixed);
    Cell& added = a.Cells().Add();
    EXPECT_EQ(added.PinStyle(), kFixed);
    EXPECT_EQ(added.CellType(), 8);
}

TEST(LineArray, UnitsReachBumperAndCells)
{
    auto owner = Flown(0, 2);
    LineArray& a = *owner;
    a.Bumper().SetLocation(Point2D(10, 20));
    a.SetUnits(1);
    EXPECT_FLOAT_EQ(a.Bumper().Location().x, 3.048f);
    EXPECT_FLOAT_EQ(a.Bumper().Width(), 1.2112625f);
    EXPECT_FLOAT_EQ(a.Cells().Item(2).Width(), 0.7112f);
    EXPECT_EQ(a.Units(), 1);
}

TEST(LineArray, CopyIsExactAndIndependent)
{
    auto owner = Flown(3, 5);
    LineArray& a = *owner;
    a.SetPinStyle(kFixed);
    const double splays[] = {3, 2, 7, 10, 4};
    for (int i = 1; i <= 5; ++i) {
        a.Cells().Item(i).SplayAngle().SetDegrees(splays[i - 1]);
        a.Cells().Item(i).SetAttenuation(-0.5f * static_cast<float>(i));
    }
    a.Cells().Item(3).SetCellType(13);
    a.Bumper().SetLocation(Point2D(1.5f, 30));
    a.Bumper().SetAngle(Angle::FromDegrees(-4));
    a.Bumper().SetBackHangPoint(17);
    a.SetUnits(1);

    auto copy = a.CloneOf();
    EXPECT_EQ(copy->Brand(), 3);
    EXPECT_EQ(copy->PinStyle(), kFixed);
    EXPECT_EQ(copy->Configuration(), kFlown);
    EXPECT_EQ(copy->Units(), 1);
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
        EXPECT_EQ(c.PinStyle(), kFixed) << i;
    }
    // Cells added to the copy are of the copy's brand; changes stay in the copy.
    EXPECT_EQ(copy->Cells().Add().CellType(), 8);
    copy->Cells().Item(2).SplayAngle().SetDegrees(9);
    copy->Bumper().SetLocation(Point2D(0, 0));
    copy->SetPinStyle(kFixed);
    EXPECT_EQ(a.Cells().Count(), 5);
    EXPECT_NEAR(a.Cells().Item(2).SplayAngle().Degrees(), 2, 1e-12);
    EXPECT_NEAR(a.Cells().Item(4).SplayAngle().Degrees(), 10, 1e-12);
    EXPECT_FLOAT_EQ(a.Bumper().Location().y, 30 * 0.3048f);
}

} // namespace
} // namespace polvane
