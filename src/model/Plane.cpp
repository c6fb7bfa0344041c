#include "model/Plane.h"

namespace polvane {

std::unique_ptr<Plane> Plane::CloneOf() const
{
    auto copy = std::make_unique<Plane>();
    copy->front_ = front_;
    copy->back_ = back_;
    copy->name_ = name_;
    return copy;
}

void Plane::SetPoints(const Point2D& front, const Point2D& back)
{
    front_ = front;
    back_ = back;
}

Angle Plane::RakeAngle() const
{
    Angle rake;
    rake.ConstructFromPoints(front_, back_);
    return rake;
}

float Plane::Slope() const
{
    return (back_.y - front_.y) / (back_.x - front_.x);
}

float Plane::YIntercept() const
{
    return front_.y - front_.x * Slope();
}

bool Plane::IsBetween(float a, float b, float c)
{
    return a <= b ? (a <= c && c <= b) : (b <= c && c <= a);
}

bool Plane::IsWithinBounds(const Point2D& point) const
{
    return IsBetween(front_.x, back_.x, point.x) && IsBetween(front_.y, back_.y, point.y);
}

} // namespace polvane
