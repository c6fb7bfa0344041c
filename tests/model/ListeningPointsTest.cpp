#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "model/ListeningPoints.h"

namespace polvane {
namespace {

void Fill(ListeningPoints& points, int count)
{
    for (int i = 1; i <= count; ++i) {
        ListeningPoint& p = points.Add(std::string("P").append(std::to_string(i)));
        p.SetSeatingAreaIndex(i);
        p.SetHorizontalPosition(static_cast<float>(i) * 2.5f);
    }
}

TEST(ListeningPoints, AddAppendsANamedPointAtTheOrigin)
{
    ListeningPoints points;
    EXPECT_EQ(points.ReferencePointIndex(), 0);
    ListeningPoint& first = points.Add("Mix position");
    ListeningPoint& second = points.Add("");
    ASSERT_EQ(points.Count(), 2);
    EXPECT_EQ(&points.Item(1), &first);
    EXPECT_EQ(&points.Item(2), &second);
    EXPECT_EQ(first.Name(), "Mix position");
    EXPECT_EQ(second.Name(), "");
    EXPECT_EQ(second.SeatingAreaIndex(), 0);
    EXPECT_EQ(second.HorizontalPosition(), 0.0f);
}

TEST(ListeningPoints, AddGivesAListWithoutAReferenceOne)
{
    struct Case {
        int before, reference; // points already there and the reference number they carry
        int expected;          // the reference number after one more point is added
    };
    const Case cases[] = {
        {0, 0, 1}, // the first point added becomes the reference
        {2, 1, 1}, // a reference that names a point is kept
        {2, 2, 2},
        {2, 0, 3}, // none chosen: the new point
        {0, 3, 1}, // naming a point the list no longer has: the new point
        {2, 5, 3},
        {2, -1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("before " + std::to_string(c.before) + ", reference " +
                     std::to_string(c.reference));
        ListeningPoints points;
        Fill(points, c.before);
        points.SetReferencePointIndex(c.reference);
        points.Add("new");
        EXPECT_EQ(points.ReferencePointIndex(), c.expected);
    }
    // A whole list added one by one keeps its first point as the reference.
    ListeningPoints points;
    Fill(points, 3);
    EXPECT_EQ(points.ReferencePointIndex(), 1);
}

TEST(ListeningPoints, RemoveKeepsTheReferenceOnTheSamePoint)
{
    struct Case {
        int count, reference, removed;
        int expected;
        const char* expectedName; // the point the reference names afterwards; null: none
    };
    const Case cases[] = {
        {4, 3, 1, 2, "P3"}, // a point before the reference
        {4, 3, 2, 2, "P3"},
        {4, 2, 4, 2, "P2"}, // a point after the reference
        {4, 2, 2, 2, "P3"}, // the reference itself: the point taking its place
        {4, 1, 1, 1, "P2"},
        {4, 4, 4, 3, "P3"}, // the reference itself, last: the new last point
        {1, 1, 1, 0, nullptr},
        {3, 0, 1, 0, nullptr}, // no reference chosen (set so by hand) stays so
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("count " + std::to_string(c.count) + ", reference " +
                     std::to_string(c.reference) + ", removing " + std::to_string(c.removed));
        ListeningPoints points;
        Fill(points, c.count);
        points.SetReferencePointIndex(c.reference);
        points.Remove(c.removed);
        EXPECT_EQ(points.Count(), c.count - 1);
        EXPECT_EQ(points.ReferencePointIndex(), c.expected);
        if (c.expectedName != nullptr) {
            EXPECT_EQ(points.Item(points.ReferencePointIndex()).Name(), c.expectedName);
        }
    }
}

TEST(ListeningPoints, RemoveMovesLaterPointsDown)
{
    ListeningPoints points;
    Fill(points, 3);
    ListeningPoint& third = points.Item(3);
    points.Remove(2);
    ASSERT_EQ(points.Count(), 2);
    EXPECT_EQ(points.Item(1).Name(), "P1");
    EXPECT_EQ(&points.Item(2), &third);
    EXPECT_EQ(third.SeatingAreaIndex(), 3);
    EXPECT_FLOAT_EQ(third.HorizontalPosition(), 7.5f);
}

TEST(ListeningPoints, BadIndicesThrowAndChangeNothing)
{
    ListeningPoints points;
    EXPECT_THROW(points.Item(1), std::out_of_range);
    EXPECT_THROW(points.Remove(1), std::out_of_range);
    Fill(points, 2);
    points.SetReferencePointIndex(2);
    EXPECT_THROW(points.Item(0), std::out_of_range);
    EXPECT_THROW(points.Item(3), std::out_of_range);
    EXPECT_THROW(points.Remove(3), std::out_of_range);
    EXPECT_THROW(points.SetItem(3, std::make_unique<ListeningPoint>()), std::out_of_range);
    EXPECT_THROW(points.SetItem(1, nullptr), std::invalid_argument);
    EXPECT_EQ(points.Count(), 2);
    EXPECT_EQ(points.ReferencePointIndex(), 2);
    EXPECT_EQ(points.Item(1).Name(), "P1");
}

TEST(ListeningPoints, SetItemReplacesThePoint)
{
    ListeningPoints points;
    Fill(points, 2);
    auto replacement = std::make_unique<ListeningPoint>();
    replacement->SetName("New");
    ListeningPoint* raw = replacement.get();
    points.SetItem(1, std::move(replacement));
    EXPECT_EQ(&points.Item(1), raw);
    EXPECT_EQ(points.Item(2).Name(), "P2");
}

TEST(ListeningPoints, CloneIsDeepAndIndependent)
{
    ListeningPoints points;
    Fill(points, 3);
    points.SetReferencePointIndex(2);
    auto copy = points.CloneOf();
    ASSERT_EQ(copy->Count(), 3);
    EXPECT_EQ(copy->ReferencePointIndex(), 2);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_NE(&copy->Item(i), &points.Item(i));
        EXPECT_EQ(copy->Item(i).Name(), points.Item(i).Name());
        EXPECT_EQ(copy->Item(i).SeatingAreaIndex(), points.Item(i).SeatingAreaIndex());
        EXPECT_EQ(copy->Item(i).HorizontalPosition(), points.Item(i).HorizontalPosition());
    }

    copy->Item(1).SetName("Changed");
    copy->Item(1).SetSeatingAreaIndex(9);
    copy->Item(1).SetHorizontalPosition(99);
    copy->Remove(1);
    copy->Add("Extra");
    EXPECT_EQ(points.Count(), 3);
    EXPECT_EQ(points.ReferencePointIndex(), 2);
    EXPECT_EQ(points.Item(1).Name(), "P1");
    EXPECT_EQ(points.Item(1).SeatingAreaIndex(), 1);
    EXPECT_FLOAT_EQ(points.Item(1).HorizontalPosition(), 2.5f);
}

TEST(ListeningPoint, CloneCopiesAllThreeFields)
{
    ListeningPoint point;
    point.SetName("Rear");
    point.SetSeatingAreaIndex(2);
    point.SetHorizontalPosition(12.5f);
    auto copy = point.CloneOf();
    EXPECT_EQ(copy->Name(), "Rear");
    EXPECT_EQ(copy->SeatingAreaIndex(), 2);
    EXPECT_FLOAT_EQ(copy->HorizontalPosition(), 12.5f);
    copy->SetName("Front");
    EXPECT_EQ(point.Name(), "Rear");
}

} // namespace
} // namespace polvane
