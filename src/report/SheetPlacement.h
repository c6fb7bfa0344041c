#pragma once

#include <array>
#include <optional>
#include <vector>

#include "model/Point2D.h"

namespace polvane {

struct CellResult;
class PrintBox;

// Where the rigging sheet's labels and cell numbers may stand: the plane geometry of texts,
// circles and outlines in a box's model units.
class SheetPlacement {
public:
    // A text's extent in model units.
    struct ModelRect {
        float left;
        float bottom;
        float right;
        float top;
    };
    // Two labels on one line, each centred on its own x where it can be. Labels that would
    // run into each other move apart by half their overlap each; then each is held between
    // low and high, one held at an edge pushing the other on. Widths and the gap between the
    // labels in model units; `fits` is false when the two cannot stand side by side between
    // the limits.
    struct Spread {
        float left;
        float right;
        bool fits;
    };
    static Spread SpreadApart(float leftX, float leftWidth, float rightX, float rightWidth, float low, float high,
                              float gap);

    static float Distance(const Point2D& a, const Point2D& b);
    // The distance from p to the segment from a to b.
    static float SegmentDistance(const Point2D& p, const Point2D& a, const Point2D& b);
    // The distance from p to the nearest side of a cell's outline.
    static float QuadDistance(const Point2D& p, const CellResult& c);
    static bool CircleInBox(const PrintBox& box, const Point2D& c, float r);
    // The end of a line from `from` (inside the box) towards `to`, cut where it leaves the box.
    static Point2D InsideBox(const PrintBox& box, const Point2D& from, const Point2D& to);
    // Whether the segment from a to b runs through the rectangle (clipped against it).
    static bool Crosses(const ModelRect& r, const Point2D& a, const Point2D& b);
    // Whether a label's rectangle lies inside the box, clear of the labels placed before, of
    // the numbers' circles and, by `outlineClear` (model units), of the outlines.
    static bool IsClear(const PrintBox& box, const ModelRect& rect, const std::vector<ModelRect>& labels,
                        const std::vector<std::optional<Point2D>>& circles, float radius,
                        const std::vector<std::array<Point2D, 4>>& outlines, float outlineClear);

    // How many circle widths a number may stand out along its aim line.
    static constexpr int kMostStaggers = 6;
    // Where each cell's number stands: on its source where there is room, otherwise out
    // along its own aim line a circle's width at a time, so that close neighbours stagger
    // instead of running into a chain. A place must lie inside the box, clear of the numbers
    // placed before and of the other cells' outlines. A cell with no such place gets none.
    static std::vector<std::optional<Point2D>> PlaceNumbers(const PrintBox& box, const std::vector<CellResult>& cells,
                                                            float radius, float gap);
};

} // namespace polvane
