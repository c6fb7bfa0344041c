#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/ListeningPoints.h"
#include "model/Plane.h"
#include "model/Planes.h"

namespace polvane {
namespace {

TEST(Plane, LengthAndHeightMoveOnlyTheBackPoint)
{
    Plane plane;
    plane.SetPoints(Point2D(10, 0), Point2D(40, 5));
    EXPECT_FLOAT_EQ(plane.Length(), 30);
    EXPECT_FLOAT_EQ(plane.Height(), 5);

    plane.SetLength(20);
    EXPECT_EQ(plane.BackPoint(), Point2D(30, 5));
    plane.SetHeight(-3);
    EXPECT_EQ(plane.BackPoint(), Point2D(30, -3));
    EXPECT_EQ(plane.FrontPoint(), Point2D(10, 0));

    // Moving the front point alone leaves the back point where it is.
    plane.FrontPoint().x = 15;
    EXPECT_EQ(plane.BackPoint(), Point2D(30, -3));
    EXPECT_FLOAT_EQ(plane.Length(), 15);
}

TEST(Plane, PointsAreCopiedIn)
{
    Plane plane;
    Point2D front(1, 2);
    plane.SetFrontPoint(front);
    front.x = 99;
    EXPECT_EQ(plane.FrontPoint(), Point2D(1, 2));

    plane.BackPoint().SetXY(7, 8);
    EXPECT_EQ(plane.BackPoint(), Point2D(7, 8));
}

TEST(Plane, RakedAreaGeometry)
{
    Plane plane;
    plane.SetPoints(Point2D(10, 2), Point2D(40, 17));
    EXPECT_FLOAT_EQ(plane.Slope(), 0.5f);
    EXPECT_FLOAT_EQ(plane.YIntercept(), -3.0f);
    EXPECT_NEAR(plane.RakeAngle().Degrees(), 26.56505, 1e-4);
    EXPECT_FLOAT_EQ(plane.Hypotenuse(), std::sqrt(30.0f * 30.0f + 15.0f * 15.0f));

    // The rake is a fresh angle; changing it leaves the plane alone.
    Angle rake = plane.RakeAngle();
    rake.SetDegrees(0);
    EXPECT_EQ(plane.BackPoint(), Point2D(40, 17));
}

TEST(Plane, VerticalAreaHasAnInfiniteSlope)
{
    Plane plane;
    plane.SetPoints(Point2D(10, 0), Point2D(10, 5));
    EXPECT_TRUE(std::isinf(plane.Slope()));
    EXPECT_NEAR(plane.RakeAngle().Degrees(), 90, 1e-9);
}

TEST(Plane, IsBetweenEitherOrder)
{
    struct Case {
        float a, b, c;
        bool expected;
    };
    const Case cases[] = {
        {5, 1, 3, true},  {1, 5, 5, true},  {1, 5, 6, false}, {5, 1, 1, true},
        {5, 1, 0, false}, {5, 1, 6, false}, {2, 2, 2, true},  {-1, -4, -2, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Plane::IsBetween(c.a, c.b, c.c), c.expected)
            << "IsBetween(" << c.a << ", " << c.b << ", " << c.c << ")";
}

TEST(Plane, IsWithinBoundsInEitherDirection)
{
    struct Case {
        Point2D point;
        bool expected;
    };
    const Case cases[] = {
        {{10, 0}, true},  {{40, 5}, true},  {{25, 2.5f}, true}, {{25, 0}, true},
        {{25, 6}, false}, {{9, 1}, false},  {{41, 1}, false},   {{25, -0.1f}, false},
    };
    Plane forward;
    forward.SetPoints(Point2D(10, 0), Point2D(40, 5));
    Plane backward;
    backward.SetPoints(Point2D(40, 5), Point2D(10, 0));
    for (const Case& c : cases) {
        EXPECT_EQ(forward.IsWithinBounds(c.point), c.expected) << c.point.x << ", " << c.point.y;
        EXPECT_EQ(backward.IsWithinBounds(c.point), c.expected) << c.point.x << ", " << c.point.y;
    }
}

TEST(Plane, CloneIsDeepAndIndependent)
{
    Plane plane;
    plane.SetPoints(Point2D(1, 2), Point2D(3, 4));
    plane.SetName("Balcony");
    auto copy = plane.CloneOf();
    EXPECT_EQ(copy->FrontPoint(), Point2D(1, 2));
    EXPECT_EQ(copy->BackPoint(), Point2D(3, 4));
    EXPECT_EQ(copy->Name(), "Balcony");

    copy->FrontPoint().x = 50;
    copy->SetLength(10);
    copy->SetName("Floor");
    EXPECT_EQ(plane.FrontPoint(), Point2D(1, 2));
    EXPECT_EQ(plane.BackPoint(), Point2D(3, 4));
    EXPECT_EQ(plane.Name(), "Balcony");
}

// Three areas named A, B, C, linked to points: two on each area, one per area at the
// front and one further back.
struct LinkedAreas {
    LinkedAreas()
    {
        planes.SetListeningPointsLink(&points);
        for (const char* name : {"A", "B", "C"})
            planes.Add().SetName(name);
        for (int area = 1; area <= 3; ++area) {
            for (float position : {0.0f, 5.0f}) {
                std::string name = std::string("p").append(std::to_string(area)).append(1, '-');
                name.append(std::to_string(static_cast<int>(position)));
                ListeningPoint& p = points.Add(name);
                p.SetSeatingAreaIndex(area);
                p.SetHorizontalPosition(position);
            }
        }
    }

    std::vector<int> Areas() const
    {
        std::vector<int> areas;
        for (int i = 1; i <= points.Count(); ++i)
            areas.push_back(points.Item(i).SeatingAreaIndex());
        return areas;
    }

    std::string PlaneNames() const
    {
        std::string names;
        for (int i = 1; i <= planes.Count(); ++i)
            names += planes.Item(i).Name();
        return names;
    }

    // The name of the area each point lies on.
    std::string AreaNamesOfPoints() const
    {
        std::string names;
        for (int i = 1; i <= points.Count(); ++i)
            names += planes.Item(points.Item(i).SeatingAreaIndex()).Name();
        return names;
    }

    ListeningPoints points;
    Planes planes;
};

class LinkedPlanes : public testing::Test, protected LinkedAreas {};

TEST(LinkedPlanesTable, SwapKeepsEveryPointOnItsArea)
{
    struct Case {
        int i, j;
        std::string planeNames;
        std::vector<int> areas;
    };
    const Case cases[] = {
        {2, 3, "ACB", {1, 1, 3, 3, 2, 2}},
        {3, 2, "ACB", {1, 1, 3, 3, 2, 2}},
        {1, 3, "CBA", {3, 3, 2, 2, 1, 1}},
        {2, 2, "ABC", {1, 1, 2, 2, 3, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("Swap(" + std::to_string(c.i) + ", " + std::to_string(c.j) + ")");
        LinkedAreas v;
        v.planes.Swap(c.i, c.j);
        EXPECT_EQ(v.PlaneNames(), c.planeNames);
        EXPECT_EQ(v.Areas(), c.areas);
        EXPECT_EQ(v.AreaNamesOfPoints(), "AABBCC");
    }
}

TEST(LinkedPlanesTable, RemoveRenumbersThePoints)
{
    struct Case {
        int removed;
        std::string planeNames;
        std::vector<int> areas;
        std::string areaNamesOfPoints;
    };
    const Case cases[] = {
        // The first area's points go to the new first area (the former second).
        {1, "BC", {1, 1, 1, 1, 2, 2}, "BBBBCC"},
        {2, "AC", {1, 1, 1, 1, 2, 2}, "AAAACC"},
        {3, "AB", {1, 1, 2, 2, 2, 2}, "AABBBB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("Remove(" + std::to_string(c.removed) + ")");
        LinkedAreas v;
        v.planes.Remove(c.removed);
        EXPECT_EQ(v.PlaneNames(), c.planeNames);
        EXPECT_EQ(v.Areas(), c.areas);
        EXPECT_EQ(v.AreaNamesOfPoints(), c.areaNamesOfPoints);
        for (int i = 1; i <= v.points.Count(); ++i)
            EXPECT_FLOAT_EQ(v.points.Item(i).HorizontalPosition(), i % 2 == 1 ? 0.0f : 5.0f);
    }
}

TEST_F(LinkedPlanes, RemovingEveryAreaLeavesPointsOnAreaOne)
{
    planes.Remove(2);
    planes.Remove(1);
    planes.Remove(1);
    EXPECT_EQ(planes.Count(), 0);
    EXPECT_EQ(Areas(), (std::vector<int>{1, 1, 1, 1, 1, 1}));
}

TEST_F(LinkedPlanes, AddAtAnIndexShiftsTheLaterAreasButNoPointsNumber)
{
    const Point2D front(1, 2);
    const Point2D back(3, 4);
    Plane& added = planes.Add(2, &front, &back);
    added.SetName("N");
    EXPECT_EQ(PlaneNames(), "ANBC");
    EXPECT_EQ(&planes.Item(2), &added);
    EXPECT_EQ(added.FrontPoint(), front);
    EXPECT_EQ(added.BackPoint(), back);
    // The points keep their numbers, so those of the later areas now name the area before.
    EXPECT_EQ(Areas(), (std::vector<int>{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(AreaNamesOfPoints(), "AANNBB");

    planes.Add(1).SetName("F");
    EXPECT_EQ(PlaneNames(), "FANBC");
    EXPECT_EQ(Areas(), (std::vector<int>{1, 1, 2, 2, 3, 3}));

    // Only one point given leaves the other at 0.
    planes.Add(-1, nullptr, &back).SetName("E");
    planes.Add(planes.Count() + 1).SetName("L");
    EXPECT_EQ(PlaneNames(), "FANBCEL");
    EXPECT_EQ(planes.Item(6).FrontPoint(), Point2D(0, 0));
    EXPECT_EQ(planes.Item(6).BackPoint(), back);
    EXPECT_EQ(Areas(), (std::vector<int>{1, 1, 2, 2, 3, 3}));
}

TEST_F(LinkedPlanes, BadIndicesThrowAndChangeNothing)
{
    EXPECT_THROW(planes.Item(0), std::out_of_range);
    EXPECT_THROW(planes.Item(4), std::out_of_range);
    EXPECT_THROW(planes.Swap(1, 4), std::out_of_range);
    EXPECT_THROW(planes.Swap(0, 1), std::out_of_range);
    EXPECT_THROW(planes.Remove(0), std::out_of_range);
    EXPECT_THROW(planes.Remove(4), std::out_of_range);
    EXPECT_THROW(planes.Add(5), std::out_of_range);
    EXPECT_THROW(planes.SetItem(4, std::make_unique<Plane>()), std::out_of_range);
    EXPECT_THROW(planes.SetItem(1, nullptr), std::invalid_argument);
    EXPECT_EQ(PlaneNames(), "ABC");
    EXPECT_EQ(Areas(), (std::vector<int>{1, 1, 2, 2, 3, 3}));
}

TEST_F(LinkedPlanes, SetItemReplacesThePlaneInPlace)
{
    auto replacement = std::make_unique<Plane>();
    replacement->SetName("R");
    planes.SetItem(2, std::move(replacement));
    EXPECT_EQ(PlaneNames(), "ARC");
    EXPECT_EQ(Areas(), (std::vector<int>{1, 1, 2, 2, 3, 3}));
}

TEST_F(LinkedPlanes, CloneIsDeepAndUnlinked)
{
    planes.Item(1).SetPoints(Point2D(10, 0), Point2D(40, 5));
    auto copy = planes.CloneOf();
    EXPECT_EQ(copy->ListeningPointsLink(), nullptr);
    ASSERT_EQ(copy->Count(), 3);
    EXPECT_EQ(copy->Item(1).BackPoint(), Point2D(40, 5));
    EXPECT_NE(&copy->Item(1), &planes.Item(1));

    copy->Item(1).FrontPoint().x = 99;
    copy->Item(2).SetName("Z");
    copy->Swap(1, 3);
    copy->Remove(1);
    EXPECT_EQ(planes.Item(1).FrontPoint(), Point2D(10, 0));
    EXPECT_EQ(PlaneNames(), "ABC");
    EXPECT_EQ(Areas(), (std::vector<int>{1, 1, 2, 2, 3, 3}));
}

TEST(Planes, WorkWithoutALink)
{
    Planes planes;
    planes.Add().SetName("A");
    planes.Add().SetName("B");
    planes.Add(1).SetName("C");
    planes.Swap(1, 3);
    planes.Remove(2);
    ASSERT_EQ(planes.Count(), 2);
    EXPECT_EQ(planes.Item(1).Name(), "B");
    EXPECT_EQ(planes.Item(2).Name(), "C");
}

} // namespace
} // namespace polvane
