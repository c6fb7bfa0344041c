#pragma once

#include "model/Units.h"

namespace polvane {

class Angle;

// A point of the side section, in the venue's length unit: x away from the array towards
// the audience, y upwards.
class Point2D {
public:
    float x = 0.0f;
    float y = 0.0f;

    constexpr Point2D() = default;
    constexpr Point2D(float px, float py) : x(px), y(py) {}

    void SetXY(float px, float py)
    {
        x = px;
        y = py;
    }

    Point2D OffsetFromXY(float dx, float dy) const { return {x + dx, y + dy}; }
    // The point h further along the direction of the angle.
    Point2D OffsetFromAH(const Angle& angle, float h) const;

    // Units 1 converts feet to metres, units 0 metres to feet, any other code does nothing.
    // The point does not know its unit: call it only when the venue's unit really changes.
    void ConvertUnits(UnitsCode units);

    Point2D MidPointWith(const Point2D& p) const { return {(x + p.x) / 2, (y + p.y) / 2}; }
    float DistanceTo(const Point2D& p) const;

    friend bool operator==(const Point2D&, const Point2D&) = default;
};

} // namespace polvane
