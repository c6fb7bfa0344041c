#include "model/Angle.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "model/Point2D.h"

namespace polvane {
namespace {

constexpr double kPi = Angle::kPi;

class CountingListener : public AngleListener {
public:
    void AngleChanged() override { ++count; }
    int count = 0;
};

struct WrapCase {
    double written;   // radians
    double readBack;  // radians
};

class AngleWrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(AngleWrap, ReadsWrapIntoClosedRange)
{
    Angle a;
    a.SetRadians(GetParam().written);
    EXPECT_DOUBLE_EQ(a.Radians(), GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(Values, AngleWrap, ::testing::Values(
    WrapCase{0.0, 0.0},
    WrapCase{kPi, kPi},                       // the range is closed at both ends
    WrapCase{-kPi, -kPi},
    WrapCase{7.0, 7.0 - 2 * kPi},
    WrapCase{-7.0, -7.0 + 2 * kPi},
    WrapCase{3 * kPi, kPi},
    WrapCase{190.0 / Angle::kDegreesPerRadian, -170.0 / Angle::kDegreesPerRadian}));

TEST(Angle, DegreesRoundTripAndWrap)
{
    Angle a;
    a.SetDegrees(190);
    EXPECT_NEAR(a.Degrees(), -170, 1e-12);
    a.SetDegrees(180);
    EXPECT_DOUBLE_EQ(a.Degrees(), 180);
    a.SetDegrees(-180);
    EXPECT_DOUBLE_EQ(a.Degrees(), -180);
}

TEST(Angle, WrapOfHugeValuesEndsAndStaysInRange)
{
    for (double v : {1e17 / Angle::kDegreesPerRadian, 7e16, -7e16, 1e300, -1e300,
                     std::numeric_limits<double>::max()}) {
        Angle a;
        a.SetRadians(v);
        const double r = a.Radians();
        EXPECT_GE(r, -kPi) << v;
        EXPECT_LE(r, kPi) << v;
    }
}

TEST(Angle, StepwiseWrapGivesTheSameBitsAsRepeatedTurns)
{
    // Ordinary values wrap exactly as subtracting whole turns one at a time does.
    for (double v = -200.0; v <= 200.0; v += 0.37) {
        double expected = v;
        while (expected > kPi)
            expected -= 2 * kPi;
        while (expected < -kPi)
            expected += 2 * kPi;
        Angle a;
        a.SetRadians(v);
        EXPECT_EQ(a.Radians(), expected) << v;
    }
}

TEST(Angle, WritesNotifyOnceAndReadsNever)
{
    CountingListener listener;
    Angle a;
    a.SetListener(&listener);
    a.SetDegrees(10);
    a.AddDegrees(360);
    EXPECT_EQ(listener.count, 2);
    EXPECT_NEAR(a.Degrees(), 10, 1e-12);
    (void)a.Radians();
    (void)a.Sine();
    (void)a.LeftAngleOf();
    EXPECT_EQ(listener.count, 2);

    Angle other = Angle::FromDegrees(5);
    a.Add(other);
    a.Subtract(other);
    a.AddRadians(1);
    a.SubtractRadians(1);
    a.SubtractDegrees(1);
    a.ConstructFromPoints(Point2D(0, 0), Point2D(1, 1));
    a.ConstructFromWidthHeight(1, 1);
    a = other; // assignment is a write, and keeps this angle's listener
    EXPECT_EQ(listener.count, 10);
}

TEST(Angle, CopiesDoNotTakeTheListener)
{
    CountingListener listener;
    Angle a;
    a.SetListener(&listener);
    Angle copy = a;
    copy.SetDegrees(3);
    Angle left = a.LeftAngleOf();
    left.SetDegrees(4);
    EXPECT_EQ(listener.count, 0);
}

TEST(Angle, DerivedAnglesLeaveTheSourceUnchanged)
{
    const Angle a = Angle::FromDegrees(30);
    EXPECT_NEAR(a.LeftAngleOf().Degrees(), 120, 1e-12);
    EXPECT_NEAR(a.RightAngleOf().Degrees(), -60, 1e-12);
    EXPECT_NEAR(a.ReverseAngleOf().Degrees(), -150, 1e-12);
    EXPECT_NEAR(a.Degrees(), 30, 1e-12);
}

struct PointsCase {
    Point2D p1, p2;
    double degrees;
};

class AngleFromPoints : public ::testing::TestWithParam<PointsCase> {};

TEST_P(AngleFromPoints, GivesTheDirection)
{
    Angle a;
    a.ConstructFromPoints(GetParam().p1, GetParam().p2);
    EXPECT_NEAR(a.Degrees(), GetParam().degrees, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, AngleFromPoints, ::testing::Values(
    PointsCase{{0, 0}, {-1, -1}, -135},
    PointsCase{{0, 0}, {0, 0}, 0},
    PointsCase{{0, 0}, {0, 2}, 90},
    PointsCase{{0, 0}, {0, -2}, -90},
    PointsCase{{1, 1}, {2, 2}, 45},
    PointsCase{{0, 0}, {-1, 1}, 135},
    PointsCase{{0, 0}, {-1, 0}, -180}));

TEST(Angle, FromWidthHeight)
{
    Angle a;
    a.ConstructFromWidthHeight(-1, 0);
    EXPECT_NEAR(a.Degrees(), 180, 1e-12);
    a.ConstructFromWidthHeight(1, 1);
    EXPECT_NEAR(a.Degrees(), 45, 1e-12);
    a.ConstructFromWidthHeight(-1, 1);
    EXPECT_NEAR(a.Degrees(), 135, 1e-12);
}

TEST(Angle, IsBetweenAcrossTheWrap)
{
    Angle x = Angle::FromDegrees(-170);
    EXPECT_TRUE(x.IsBetween(Angle::FromDegrees(170), Angle::FromDegrees(-160)));
    Angle y = Angle::FromDegrees(0);
    EXPECT_FALSE(y.IsBetween(Angle::FromDegrees(170), Angle::FromDegrees(-160)));
    Angle z = Angle::FromDegrees(10);
    EXPECT_TRUE(z.IsBetween(Angle::FromDegrees(0), Angle::FromDegrees(20)));
}

} // namespace
} // namespace polvane
