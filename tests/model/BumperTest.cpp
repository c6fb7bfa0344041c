#include "model/Bumper.h"

#include <cmath>
#include <functional>
#include <stdexcept>

#include <gtest/gtest.h>

#include "model/Angle.h"
#include "model/Point2D.h"

namespace polvane {
namespace {

using enum ConfigurationCode;
using enum UnitsCode;

// A bumper set up the way the line array sets one up: type, configuration, units.
std::unique_ptr<Bumper> Make(int type, ConfigurationCode config = Flown, UnitsCode units = English)
{
    auto b = std::make_unique<Bumper>();
    b->SetBumperType(type);
    b->SetConfiguration(config);
    b->SetUnits(units);
    return b;
}

using PointOf = std::function<Point2D(const Bumper&)>;

PointOf Hole(int i)
{
    return [i](const Bumper& b) { return b.HoleLocation(i); };
}

const PointOf kFrontPin = &Bumper::FrontPin;
const PointOf kBackPin = &Bumper::BackPin;
const PointOf kCog = &Bumper::CenterOfGravity;
const PointOf kTopFront = &Bumper::TopFront;
const PointOf kBottomFront = &Bumper::BottomFront;
const PointOf kTopBack = &Bumper::TopBack;
const PointOf kBottomBack = &Bumper::BottomBack;

struct PointCase {
    const char* what;
    int type;
    ConfigurationCode config;
    PointOf point;
    double x; // inches in the English cases, metres in the metric ones
    double y;
};

void ExpectPoint(const Point2D& p, double x, double y, double tol)
{
    EXPECT_NEAR(p.x, x, tol);
    EXPECT_NEAR(p.y, y, tol);
}

// Type 0: width 47.6875 in (half 23.84375), height 6, front pin 5.3, back pin 32.5,
// centre of gravity 25, side offset 1.5, first hole 3.5, pitch 3.75, last hole 44.75.
const PointCase kLevelEnglish[] = {
    {"front pin flown", 0, Flown, kFrontPin, 18.54375, -3},
    {"back pin flown", 0, Flown, kBackPin, 23.84375 - 32.5, -3},
    {"centre of gravity flown", 0, Flown, kCog, -1.15625, 0},
    {"hole 1 flown", 0, Flown, Hole(1), 20.34375, 1.5},
    {"hole 2 flown", 0, Flown, Hole(2), 23.84375 - 7.25, 1.5},
    // Hole 7 closes the first group, 26 in behind the front end; 8..11 count back
    // from the last hole at 44.75 in.
    {"hole 7 flown", 0, Flown, Hole(7), 23.84375 - 26, 1.5},
    {"hole 8 flown", 0, Flown, Hole(8), 23.84375 - 33.5, 1.5},
    {"hole 11 flown", 0, Flown, Hole(11), 23.84375 - 44.75, 1.5},
    {"top front flown", 0, Flown, kTopFront, 23.84375, 3},
    {"bottom front flown", 0, Flown, kBottomFront, 23.84375, -3},
    {"top back flown", 0, Flown, kTopBack, -23.84375, 3},
    {"bottom back flown", 0, Flown, kBottomBack, -23.84375, -3},
    // Stacked: pins and holes move to the other face, the corners stay.
    {"front pin stacked", 0, GroundStacked, kFrontPin, 18.54375, 3},
    {"back pin stacked", 0, GroundStacked, kBackPin, 23.84375 - 32.5, 3},
    {"centre of gravity stacked", 0, GroundStacked, kCog, -1.15625, 0},
    {"hole 1 stacked", 0, GroundStacked, Hole(1), 20.34375, -1.5},
    {"hole 11 stacked", 0, GroundStacked, Hole(11), 23.84375 - 44.75, -1.5},
    {"top front stacked", 0, GroundStacked, kTopFront, 23.84375, 3},
    {"bottom back stacked", 0, GroundStacked, kBottomBack, -23.84375, -3},
    // Type 2: 9 holes, all in the first group, from 3.125 in at a 3 in pitch; half width
    // 15.125, half height 1.5, side offset 0.8125.
    {"type 2 hole 1", 2, Flown, Hole(1), 15.125 - 3.125, 0.6875},
    {"type 2 hole 9", 2, Flown, Hole(9), 15.125 - 27.125, 0.6875},
    // Type 1: 11 + 8 holes; the last lies 41.36 in from the front end, half width 22.378.
    {"type 1 hole 19", 1, Flown, Hole(19), 22.378 - 41.36, 2.985 - 1.125},
    // Type 3: 10 + 10 holes; hole 11 is 9 pitches of 1.6875 before the last at 35.4375.
    {"type 3 hole 11", 3, Flown, Hole(11), 18.5 - 20.25, 2 - 1.0625},
    {"type 3 hole 10", 3, Flown, Hole(10), 18.5 - 16.6875, 2 - 1.0625},
};

TEST(Bumper, LevelGeometryInFeet)
{
    for (const PointCase& c : kLevelEnglish) {
        SCOPED_TRACE(c.what);
        const auto b = Make(c.type, c.config);
        ExpectPoint(c.point(*b), c.x / 12, c.y / 12, 2e-6);
    }
}

// Type 0 in metres: half width 0.60563125, height 0.1524, front pin 0.13462, back pin
// 0.8255, centre of gravity 0.635, side offset 0.0381, first hole 0.0889.
const PointCase kLevelMetric[] = {
    {"front pin flown", 0, Flown, kFrontPin, 0.47101125, -0.0762},
    {"back pin stacked", 0, GroundStacked, kBackPin, 0.60563125 - 0.8255, 0.0762},
    {"centre of gravity", 0, Flown, kCog, -0.02936875, 0},
    {"hole 1 flown", 0, Flown, Hole(1), 0.51673125, 0.0381},
    {"hole 11 stacked", 0, GroundStacked, Hole(11), 0.60563125 - 1.13665, -0.0381},
    {"top back", 0, Flown, kTopBack, -0.60563125, 0.0762},
};

TEST(Bumper, LevelGeometryInMetres)
{
    for (const PointCase& c : kLevelMetric) {
        SCOPED_TRACE(c.what);
        const auto b = Make(c.type, c.config, Metric);
        ExpectPoint(c.point(*b), c.x, c.y, 1e-6);
    }
}

// Tilted up by 90 degrees at (10, 5) ft: the front end points to +y and "left of the
// axis" is -x, so a flown bumper's pins lie at +x.
const PointCase kTilted[] = {
    {"front pin flown", 0, Flown, kFrontPin, 10 + 3.0 / 12, 5 + 18.54375 / 12},
    {"back pin flown", 0, Flown, kBackPin, 10 + 3.0 / 12, 5 - 8.65625 / 12},
    {"hole 1 flown", 0, Flown, Hole(1), 10 - 1.5 / 12, 5 + 20.34375 / 12},
    {"centre of gravity", 0, Flown, kCog, 10, 5 - 1.15625 / 12},
    {"top front", 0, Flown, kTopFront, 10 - 3.0 / 12, 5 + 23.84375 / 12},
    {"bottom back", 0, Flown, kBottomBack, 10 + 3.0 / 12, 5 - 23.84375 / 12},
    {"front pin stacked", 0, GroundStacked, kFrontPin, 10 - 3.0 / 12, 5 + 18.54375 / 12},
    {"hole 1 stacked", 0, GroundStacked, Hole(1), 10 + 1.5 / 12, 5 + 20.34375 / 12},
};

TEST(Bumper, TiltedGeometryFollowsTheAxis)
{
    for (const PointCase& c : kTilted) {
        SCOPED_TRACE(c.what);
        auto b = Make(c.type, c.config);
        b->SetLocation(Point2D(10, 5));
        b->SetAngle(Angle::FromDegrees(90));
        ExpectPoint(c.point(*b), c.x, c.y, 1e-5);
    }
}

TEST(Bumper, TypesTakeTheirHoleCountsAndDimensions)
{
    struct Case {
        int type;
        int holes;
        float widthIn, weightLb, depthIn, heightIn, radiusIn;
    };
    const Case cases[] = {
        {0, 11, 47.6875f, 190, 58.25f, 6, 0.5f},
        {1, 19, 44.756f, 65, 47.4182f, 5.97f, 0.5f},
        {2, 9, 30.25f, 30, 27.33f, 3, 0.375f},
        {3, 20, 37, 44, 36.31f, 4, 0.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const auto b = Make(c.type);
        EXPECT_EQ(b->BumperType(), c.type);
        EXPECT_EQ(b->HoleCount(), c.holes);
        EXPECT_FLOAT_EQ(b->Width(), c.widthIn / 12);
        EXPECT_FLOAT_EQ(b->Weight(), c.weightLb);
        EXPECT_FLOAT_EQ(b->Depth(), c.depthIn / 12);
        EXPECT_FLOAT_EQ(b->Height(), c.heightIn / 12);
        EXPECT_FLOAT_EQ(b->HoleRadius(), c.radiusIn / 12);
        EXPECT_EQ(b->FrontHangPoint(), 1);
        EXPECT_EQ(b->BackHangPoint(), c.holes);
    }
}

TEST(Bumper, NewBumperIsEmpty)
{
    const Bumper b;
    EXPECT_EQ(b.BumperType(), 0);
    EXPECT_EQ(b.HoleCount(), 0);
    EXPECT_EQ(b.FrontHangPoint(), 0);
    EXPECT_EQ(b.BackHangPoint(), 0);
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Weight(), 0);
    EXPECT_EQ(b.Rigging(), RiggingCode::DualPoint);
    EXPECT_EQ(b.Units(), English);
    EXPECT_EQ(b.Location(), Point2D(0, 0));
    EXPECT_EQ(b.Angle().Radians(), 0);
    EXPECT_THROW(b.HoleLocation(1), std::out_of_range);
}

TEST(Bumper, HoleNumbersOutsideTheBarThrow)
{
    const auto b = Make(0);
    for (int i : {0, -1, 12, 100}) {
        SCOPED_TRACE(i);
        EXPECT_THROW(b->HoleLocation(i), std::out_of_range);
    }
    EXPECT_NO_THROW(b->HoleLocation(11));

    // Hang points are stored unchecked; a bad one surfaces in the cable distances.
    auto c = Make(2);
    c->SetBackHangPoint(10);
    EXPECT_EQ(c->BackHangPoint(), 10);
    EXPECT_THROW(c->XDistanceBetweenCables(), std::out_of_range);
    c->SetBackHangPoint(9);
    c->SetFrontHangPoint(0);
    EXPECT_THROW(c->YDistanceBetweenCables(), std::out_of_range);
}

TEST(Bumper, RiggingAndAngleRules)
{
    auto b = Make(0);
    b->SetAngle(Angle::FromDegrees(10));
    EXPECT_NEAR(b->Angle().Degrees(), 10, 1e-12);

    b->SetRigging(RiggingCode::SinglePoint);
    EXPECT_EQ(b->Rigging(), RiggingCode::SinglePoint);
    EXPECT_EQ(b->Angle().Radians(), 0);
    b->SetAngle(Angle::FromDegrees(20)); // a single-point bumper hangs level
    EXPECT_EQ(b->Angle().Radians(), 0);
    b->ForceAngle(Angle::FromDegrees(-15));
    EXPECT_NEAR(b->Angle().Degrees(), -15, 1e-12);

    // Dual point keeps the angle it has and takes new ones.
    b->SetRigging(RiggingCode::DualPoint);
    EXPECT_NEAR(b->Angle().Degrees(), -15, 1e-12);
    b->SetAngle(Angle::FromDegrees(20));
    EXPECT_NEAR(b->Angle().Degrees(), 20, 1e-12);
    b->ForceAngle(Angle::FromDegrees(5));
    EXPECT_NEAR(b->Angle().Degrees(), 5, 1e-12);
}

TEST(Bumper, SetBumperTypeKeepsOrResetsHangPoints)
{
    auto b = Make(0);
    b->SetFrontHangPoint(3);
    b->SetBackHangPoint(9);
    b->SetBumperType(0);
    EXPECT_EQ(b->FrontHangPoint(), 3);
    EXPECT_EQ(b->BackHangPoint(), 9);

    b->SetBumperType(1);
    EXPECT_EQ(b->FrontHangPoint(), 1);
    EXPECT_EQ(b->BackHangPoint(), 19);

    // An unset hang point with the same type also takes the first and last hole.
    b->SetFrontHangPoint(0);
    b->SetBackHangPoint(7);
    b->SetBumperType(1);
    EXPECT_EQ(b->FrontHangPoint(), 1);
    EXPECT_EQ(b->BackHangPoint(), 19);

    // A type outside the table keeps the last known geometry.
    b->SetBumperType(9);
    EXPECT_EQ(b->BumperType(), 9);
    EXPECT_EQ(b->HoleCount(), 19);
    EXPECT_FLOAT_EQ(b->Width(), 44.756f / 12);
    EXPECT_EQ(b->BackHangPoint(), 19);
}

TEST(Bumper, GeometryChangesClampHangPoints)
{
    struct Case {
        int front, back, wantFront, wantBack;
    };
    const Case cases[] = {
        {3, 9, 3, 9},     // inside: untouched
        {5, 20, 5, 11},   // back beyond the last hole
        {14, 15, 10, 11}, // both beyond: front one before the back
        {14, 1, 11, 1},   // front beyond, the back on the first hole
        {11, 11, 11, 11}, // the same hole is allowed
        {8, 3, 8, 3},     // points on holes never move, whatever their order
        {5, 1, 5, 1},     // (a front point moved to hole 0 would make every query throw)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.front << "," << c.back);
        auto b = Make(0);
        b->SetFrontHangPoint(c.front);
        b->SetBackHangPoint(c.back);
        b->SetUnits(English);
        EXPECT_EQ(b->FrontHangPoint(), c.wantFront);
        EXPECT_EQ(b->BackHangPoint(), c.wantBack);
    }
}

TEST(Bumper, UnitChangesConvertLocationAndDimensions)
{
    auto b = Make(0);
    b->SetLocation(Point2D(10, 5));

    b->SetUnits(English); // the same units: the location stays
    EXPECT_EQ(b->Location(), Point2D(10, 5));

    b->SetUnits(Metric);
    EXPECT_EQ(b->Units(), Metric);
    EXPECT_FLOAT_EQ(b->Location().x, 3.048f);
    EXPECT_FLOAT_EQ(b->Location().y, 1.524f);
    EXPECT_FLOAT_EQ(b->Width(), 1.2112625f);
    EXPECT_FLOAT_EQ(b->Weight(), 86.1678f);
    EXPECT_FLOAT_EQ(b->Depth(), 1.47955f);
    EXPECT_FLOAT_EQ(b->Height(), 0.1524f);
    EXPECT_FLOAT_EQ(b->HoleRadius(), 0.0127f);
    ExpectPoint(b->FrontPin(), 3.048 + 0.47101125, 1.524 - 0.0762, 1e-6);

    b->SetUnits(Metric);
    EXPECT_FLOAT_EQ(b->Location().x, 3.048f);

    b->SetUnits(English);
    EXPECT_NEAR(b->Location().x, 10, 1e-4);
    EXPECT_NEAR(b->Location().y, 5, 1e-4);
    EXPECT_FLOAT_EQ(b->Width(), 47.6875f / 12);
    EXPECT_FLOAT_EQ(b->Weight(), 190);
}

TEST(Bumper, CableDistances)
{
    struct Case {
        double degrees;
        int front, back;
        double xIn, yIn;
    };
    // Holes 1 and 11 of type 0 lie 41.25 in apart, holes 1 and 7 22.5 in.
    const Case cases[] = {
        {0, 1, 11, 41.25, 0},
        {90, 1, 11, 0, 41.25},
        {-90, 1, 11, 0, 41.25},
        {30, 1, 7, 22.5 * std::sqrt(3.0) / 2, 11.25},
        {180, 7, 1, 22.5, 0}, // reversed hang points: still a distance
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        auto b = Make(0);
        b->SetLocation(Point2D(-4, 7));
        b->SetAngle(Angle::FromDegrees(c.degrees));
        b->SetFrontHangPoint(c.front);
        b->SetBackHangPoint(c.back);
        EXPECT_NEAR(b->XDistanceBetweenCables(), c.xIn / 12, 1e-5);
        EXPECT_NEAR(b->YDistanceBetweenCables(), c.yIn / 12, 1e-5);
    }
}

void ExpectSameBumper(const Bumper& a, const Bumper& b)
{
    EXPECT_EQ(a.BumperType(), b.BumperType());
    EXPECT_EQ(a.Configuration(), b.Configuration());
    EXPECT_EQ(a.Units(), b.Units());
    EXPECT_EQ(a.Rigging(), b.Rigging());
    EXPECT_EQ(a.FrontHangPoint(), b.FrontHangPoint());
    EXPECT_EQ(a.BackHangPoint(), b.BackHangPoint());
    EXPECT_EQ(a.Angle().Radians(), b.Angle().Radians());
    EXPECT_EQ(a.Location(), b.Location());
    EXPECT_EQ(a.Width(), b.Width());
    EXPECT_EQ(a.Height(), b.Height());
    EXPECT_EQ(a.Depth(), b.Depth());
    EXPECT_EQ(a.Weight(), b.Weight());
    EXPECT_EQ(a.HoleRadius(), b.HoleRadius());
    EXPECT_EQ(a.HoleCount(), b.HoleCount());
    for (int i = 1; i <= a.HoleCount(); ++i)
        EXPECT_EQ(a.HoleLocation(i), b.HoleLocation(i)) << "hole " << i;
    EXPECT_EQ(a.FrontPin(), b.FrontPin());
    EXPECT_EQ(a.BackPin(), b.BackPin());
    EXPECT_EQ(a.CenterOfGravity(), b.CenterOfGravity());
    EXPECT_EQ(a.TopFront(), b.TopFront());
    EXPECT_EQ(a.BottomBack(), b.BottomBack());
}

TEST(Bumper, CopiesAreExactAndIndependent)
{
    struct Case {
        int type;
        ConfigurationCode config;
        UnitsCode units;
    };
    const Case cases[] = {{0, Flown, English}, {1, GroundStacked, Metric}, {3, Flown, Metric}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        auto source = Make(c.type, c.config, c.units);
        source->SetAngle(Angle::FromDegrees(12.5));
        source->SetFrontHangPoint(2);
        source->SetBackHangPoint(5);
        // A metric location must reach the copy unconverted.
        source->SetLocation(Point2D(2.5f, -1.25f));

        const auto copy = source->CloneOf();
        ExpectSameBumper(*source, *copy);
        EXPECT_EQ(copy->Location(), Point2D(2.5f, -1.25f));

        copy->SetLocation(Point2D(9, 9));
        copy->SetAngle(Angle::FromDegrees(-3));
        copy->SetFrontHangPoint(1);
        copy->SetBackHangPoint(3);
        copy->SetConfiguration(c.config == Flown ? GroundStacked : Flown);
        copy->SetUnits(c.units == English ? Metric : English);
        EXPECT_EQ(source->Location(), Point2D(2.5f, -1.25f));
        EXPECT_NEAR(source->Angle().Degrees(), 12.5, 1e-12);
        EXPECT_EQ(source->FrontHangPoint(), 2);
        EXPECT_EQ(source->BackHangPoint(), 5);
        EXPECT_EQ(source->Configuration(), c.config);
        EXPECT_EQ(source->Units(), c.units);
    }
}

TEST(Bumper, SinglePointCopyHangsLevel)
{
    auto source = Make(2, Flown, Metric);
    source->SetRigging(RiggingCode::SinglePoint);
    source->ForceAngle(Angle::FromDegrees(7)); // the prediction's levelling tilt
    source->SetFrontHangPoint(4);

    const auto copy = source->CloneOf();
    EXPECT_EQ(copy->Rigging(), RiggingCode::SinglePoint);
    EXPECT_EQ(copy->Angle().Radians(), 0);
    EXPECT_EQ(copy->FrontHangPoint(), 4);
    EXPECT_EQ(copy->BackHangPoint(), 9);
    EXPECT_EQ(copy->Width(), source->Width());
}

// A stacked bumper is never levelled by the prediction, so the angle it stands at is part
// of the venue: copies (snapshots, the printed sheet) and file reads keep it.
TEST(Bumper, AStackedSinglePointBumperKeepsItsAngle)
{
    auto source = Make(0, GroundStacked, Metric);
    source->SetAngle(Angle::FromDegrees(-4.5));
    source->SetRigging(RiggingCode::SinglePoint);
    const double given = source->Angle().Degrees();
    EXPECT_NEAR(given, -4.5, 1e-12);
    source->SetAngle(Angle::FromDegrees(20)); // still not for a caller to tilt
    EXPECT_EQ(source->Angle().Degrees(), given);

    const auto copy = source->CloneOf();
    EXPECT_EQ(copy->Rigging(), RiggingCode::SinglePoint);
    EXPECT_EQ(copy->Angle().Radians(), source->Angle().Radians());
}

} // namespace
} // namespace polvane
