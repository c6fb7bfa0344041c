#pragma once

#include <memory>
#include <string>
#include <utility>

#include "model/Angle.h"
#include "model/Point2D.h"

namespace polvane {

// A seating area of the side section: a straight, possibly raked segment from its front
// point to its back point, in the venue's length unit.
class Plane {
public:
    Plane() = default;
    Plane(const Plane&) = delete;
    Plane& operator=(const Plane&) = delete;

    // A new plane with the same points and name.
    std::unique_ptr<Plane> CloneOf() const;

    // The plane's own points: writing through the references moves the plane.
    const Point2D& FrontPoint() const { return front_; }
    Point2D& FrontPoint() { return front_; }
    void SetFrontPoint(const Point2D& p) { front_ = p; }
    const Point2D& BackPoint() const { return back_; }
    Point2D& BackPoint() { return back_; }
    void SetBackPoint(const Point2D& p) { back_ = p; }
    void SetPoints(const Point2D& front, const Point2D& back);

    // Back x minus front x; setting it moves the back point, the front point stays.
    float Length() const { return back_.x - front_.x; }
    void SetLength(float length) { back_.x = front_.x + length; }
    // Back y minus front y; setting it moves the back point, the front point stays.
    float Height() const { return back_.y - front_.y; }
    void SetHeight(float height) { back_.y = front_.y + height; }

    // UTF-8.
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // The direction from the front point to the back point.
    Angle RakeAngle() const;
    float Hypotenuse() const { return front_.DistanceTo(back_); }
    // Rise over run. An area with both ends at the same x gives an infinite slope, or NaN
    // when it has no height either (IEEE division; callers that care test for it).
    float Slope() const;
    // Where the area's line crosses x = 0.
    float YIntercept() const;

    // True when c lies between a and b, both included, in either order.
    static bool IsBetween(float a, float b, float c);
    // True when the point lies in the box spanned by the front and back points.
    bool IsWithinBounds(const Point2D& point) const;

private:
    Point2D front_;
    Point2D back_;
    std::string name_;
};

} // namespace polvane
