#include <gtest/gtest.h>

#include "model/Angle.h"
#include "model/CalcParameters.h"
#include "model/Point2D.h"
#include "model/Temperature.h"

namespace polvane {
namespace {

TEST(Point2D, ConvertUnits)
{
    Point2D p(10, 5);
    p.ConvertUnits(UnitsCode::Metric);
    EXPECT_FLOAT_EQ(p.x, 3.048f);
    EXPECT_FLOAT_EQ(p.y, 1.524f);
    p.ConvertUnits(UnitsCode{2});
    EXPECT_FLOAT_EQ(p.x, 3.048f);
    p.ConvertUnits(UnitsCode::English);
    EXPECT_NEAR(p.x, 10.0f, 1e-4);
    EXPECT_NEAR(p.y, 5.0f, 1e-4);
}

TEST(Point2D, OffsetsMidpointAndDistance)
{
    const Point2D p(1, 2);
    EXPECT_EQ(p.OffsetFromXY(2, -1), Point2D(3, 1));
    const Point2D q = p.OffsetFromAH(Angle::FromDegrees(90), 2);
    EXPECT_NEAR(q.x, 1, 1e-6);
    EXPECT_NEAR(q.y, 4, 1e-6);
    EXPECT_EQ(p.MidPointWith(Point2D(3, 4)), Point2D(2, 3));
    const Point2D r(4, 6);
    EXPECT_FLOAT_EQ(p.DistanceTo(r), 5);
    EXPECT_FLOAT_EQ(r.DistanceTo(p), 5);
    EXPECT_FLOAT_EQ(p.DistanceTo(p), 0);
}

TEST(Temperature, DefaultAndFahrenheit)
{
    Temperature t;
    EXPECT_FLOAT_EQ(t.Celsius(), 22);
    EXPECT_FLOAT_EQ(t.Fahrenheit(), 71.6f);
    t.SetFahrenheit(32);
    EXPECT_FLOAT_EQ(t.Celsius(), 0);
}

TEST(CalcParameters, StoresValuesUnchecked)
{
    CalcParameters c;
    EXPECT_EQ(c.LowerAngle(), 0);
    c.SetLowerAngle(-135);
    c.SetUpperAngle(90);
    c.SetAngleStep(0);
    EXPECT_EQ(c.LowerAngle(), -135);
    EXPECT_EQ(c.UpperAngle(), 90);
    EXPECT_EQ(c.AngleStep(), 0);
}

} // namespace
} // namespace polvane
