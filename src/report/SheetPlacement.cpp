#include "report/SheetPlacement.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/CalculationResults.h"
#include "report/PrintBox.h"

namespace polvane {

float SheetPlacement::Distance(const Point2D& a, const Point2D& b) { return std::hypot(a.x - b.x, a.y - b.y); }

float SheetPlacement::SegmentDistance(const Point2D& p, const Point2D& a, const Point2D& b)
{
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float length2 = dx * dx + dy * dy;
    const float t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0f, 1.0f) : 0.0f;
    return Distance(p, Point2D(a.x + t * dx, a.y + t * dy));
}

float SheetPlacement::QuadDistance(const Point2D& p, const CellResult& c)
{
    return std::min({SegmentDistance(p, c.TopFront, c.BottomFront), SegmentDistance(p, c.BottomFront, c.BottomBack),
                     SegmentDistance(p, c.BottomBack, c.TopBack), SegmentDistance(p, c.TopBack, c.TopFront)});
}

bool SheetPlacement::CircleInBox(const PrintBox& box, const Point2D& c, float r)
{
    return c.x - r >= box.Left() && c.x + r <= box.Right() && c.y - r >= box.Bottom() && c.y + r <= box.Top();
}

Point2D SheetPlacement::InsideBox(const PrintBox& box, const Point2D& from, const Point2D& to)
{
    float t = 1;
    const auto limit = [&t](float start, float delta, float low, float high) {
        if (delta > 0 && start + t * delta > high)
            t = (high - start) / delta;
        else if (delta < 0 && start + t * delta < low)
            t = (low - start) / delta;
    };
    limit(from.x, to.x - from.x, box.Left(), box.Right());
    limit(from.y, to.y - from.y, box.Bottom(), box.Top());
    t = std::clamp(t, 0.0f, 1.0f);
    return Point2D(from.x + t * (to.x - from.x), from.y + t * (to.y - from.y));
}

SheetPlacement::Spread SheetPlacement::SpreadApart(float leftX, float leftWidth, float rightX, float rightWidth,
                                                   float low, float high, float gap)
{
    Spread s{leftX, rightX, leftWidth + gap + rightWidth <= high - low};
    const auto overlap = [&] { return (s.left + leftWidth / 2 + gap) - (s.right - rightWidth / 2); };
    if (const float o = overlap(); o > 0) {
        s.left -= o / 2;
        s.right += o / 2;
    }
    s.right = std::min(s.right, high - rightWidth / 2);
    s.left = std::max(s.left, low + leftWidth / 2);
    if (const float o = overlap(); o > 0) {
        if (s.right + rightWidth / 2 >= high)
            s.left -= o;
        else
            s.right += o;
    }
    return s;
}

bool SheetPlacement::Crosses(const ModelRect& r, const Point2D& a, const Point2D& b)
{
    float t0 = 0;
    float t1 = 1;
    const float d[2] = {b.x - a.x, b.y - a.y};
    const float start[2] = {a.x, a.y};
    const float low[2] = {r.left, r.bottom};
    const float high[2] = {r.right, r.top};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] == 0) {
            if (start[axis] < low[axis] || start[axis] > high[axis])
                return false;
            continue;
        }
        float ta = (low[axis] - start[axis]) / d[axis];
        float tb = (high[axis] - start[axis]) / d[axis];
        if (ta > tb)
            std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
        if (t0 > t1)
            return false;
    }
    return true;
}

bool SheetPlacement::IsClear(const PrintBox& box, const ModelRect& rect, const std::vector<ModelRect>& labels,
             const std::vector<std::optional<Point2D>>& circles, float radius,
             const std::vector<std::array<Point2D, 4>>& outlines, float outlineClear)
{
    if (rect.left < box.Left() || rect.right > box.Right() || rect.bottom < box.Bottom() || rect.top > box.Top())
        return false;
    for (const ModelRect& other : labels)
        if (rect.left <= other.right && other.left <= rect.right && rect.bottom <= other.top && other.bottom <= rect.top)
            return false;
    for (const auto& circle : circles) {
        if (!circle)
            continue;
        const Point2D nearest(std::clamp(circle->x, rect.left, rect.right), std::clamp(circle->y, rect.bottom, rect.top));
        if (Distance(nearest, *circle) < radius)
            return false;
    }
    const ModelRect room{rect.left - outlineClear, rect.bottom - outlineClear, rect.right + outlineClear,
                         rect.top + outlineClear};
    for (const auto& quad : outlines)
        for (std::size_t k = 0; k < quad.size(); ++k)
            if (Crosses(room, quad[k], quad[(k + 1) % quad.size()]))
                return false;
    return true;
}


std::vector<std::optional<Point2D>> SheetPlacement::PlaceNumbers(const PrintBox& box,
                                                                 const std::vector<CellResult>& cells,
                                                                 float radius, float gap)
{
    std::vector<std::optional<Point2D>> places(cells.size());
    std::vector<Point2D> placed;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const CellResult& cell = cells[i];
        for (int k = 0; k <= kMostStaggers; ++k) {
            const Point2D at = cell.Source.OffsetFromAH(cell.Aim, static_cast<float>(k) * (2 * radius + gap));
            if (!CircleInBox(box, at, radius))
                break;
            const bool clearOfNumbers = std::all_of(placed.begin(), placed.end(), [&](const Point2D& other) {
                return Distance(at, other) >= 2 * radius + gap;
            });
            bool clearOfCells = true;
            for (std::size_t j = 0; j < cells.size() && clearOfCells; ++j)
                clearOfCells = j == i || QuadDistance(at, cells[j]) >= radius;
            if (clearOfNumbers && clearOfCells) {
                places[i] = at;
                placed.push_back(at);
                break;
            }
        }
    }
    return places;
}

} // namespace polvane
