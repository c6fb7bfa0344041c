#include "model/Angle.h"

#include <cmath>

#include "model/Point2D.h"

namespace polvane {

namespace {
constexpr double kTwoPi = 2.0 * Angle::kPi;
// Up to this many turns the wrap steps a turn at a time, so that ordinary values wrap to
// exactly the same bits as they always have; beyond it the remainder is taken at once.
constexpr double kSteppedLimit = 64.0 * kTwoPi;
} // namespace

Angle& Angle::operator=(const Angle& other)
{
    if (this != &other)
        Store(other.value_);
    return *this;
}

Angle Angle::FromDegrees(double degrees)
{
    Angle a;
    a.value_ = degrees / kDegreesPerRadian;
    return a;
}

Angle Angle::FromRadians(double radians)
{
    Angle a;
    a.value_ = radians;
    return a;
}

double Angle::Normalize(double v)
{
    if (!std::isfinite(v))
        return v;
    if (std::fabs(v) > kSteppedLimit) {
        v = std::remainder(v, kTwoPi); // in [-pi, pi]
        return v;
    }
    if (v > kPi) {
        while (v > kPi)
            v -= kTwoPi;
    } else if (v < -kPi) {
        while (v < -kPi)
            v += kTwoPi;
    }
    return v;
}

double Angle::Radians() const
{
    value_ = Normalize(value_);
    return value_;
}

void Angle::Store(double radians)
{
    value_ = radians;
    if (listener_ != nullptr)
        listener_->AngleChanged();
}

bool Angle::IsBetween(const Angle& a, const Angle& b)
{
    const double lo = a.Radians();
    double hi = b.Radians();
    if (value_ < lo)
        value_ += kTwoPi;
    if (hi < lo)
        hi += kTwoPi;
    return lo <= value_ && value_ <= hi;
}

void Angle::SetDegrees(double degrees) { Store(degrees / kDegreesPerRadian); }
void Angle::SetRadians(double radians) { Store(radians); }

double Angle::Sine() const { return std::sin(value_); }
double Angle::Cosine() const { return std::cos(value_); }
double Angle::Tangent() const { return std::tan(value_); }

void Angle::AddDegrees(double degrees) { Store(value_ + degrees / kDegreesPerRadian); }
void Angle::SubtractDegrees(double degrees) { Store(value_ - degrees / kDegreesPerRadian); }
void Angle::AddRadians(double radians) { Store(value_ + radians); }
void Angle::SubtractRadians(double radians) { Store(value_ - radians); }
void Angle::Add(const Angle& other) { Store(value_ + other.Radians()); }
void Angle::Subtract(const Angle& other) { Store(value_ - other.Radians()); }

void Angle::ConstructFromPoints(const Point2D& p1, const Point2D& p2)
{
    double v = 0.0;
    if (p2.x != p1.x) {
        v = std::atan(static_cast<double>(p2.y - p1.y) / static_cast<double>(p2.x - p1.x));
        if (p2.x < p1.x)
            v -= kPi;
    } else if (p2.y > p1.y) {
        v = kPi / 2;
    } else if (p2.y < p1.y) {
        v = -kPi / 2;
    }
    Store(v);
}

void Angle::ConstructFromWidthHeight(float w, float h)
{
    double v = std::atan(static_cast<double>(h) / static_cast<double>(w));
    if (w < 0)
        v += kPi;
    Store(v);
}

} // namespace polvane
