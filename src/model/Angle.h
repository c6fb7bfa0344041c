#pragma once

#include <numbers>

namespace polvane {

class Point2D;

// Receives a notice after every write to the angle it watches.
class AngleListener {
public:
    virtual void AngleChanged() = 0;

protected:
    ~AngleListener() = default;
};

// An angle held in radians. Any real number may be stored; reads wrap it into
// [-pi, pi] in place. Writes notify the angle's listener, if it has one.
//
// Copies take the value only: a copy starts without a listener, and assigning to an
// angle is a write that keeps the target's own listener.
class Angle {
public:
    static constexpr double kPi = std::numbers::pi;
    static constexpr double kDegreesPerRadian = 57.29577951308232;

    Angle() = default;
    Angle(const Angle& other) : value_(other.value_) {}
    Angle& operator=(const Angle& other);

    static Angle FromDegrees(double degrees);
    static Angle FromRadians(double radians);

    void SetListener(AngleListener* listener) { listener_ = listener; }

    // True when this angle lies in [a, b], where b is taken one turn further when it
    // lies below a. Moves this angle's stored value up by a turn when it is below a.
    bool IsBetween(const Angle& a, const Angle& b);

    double Degrees() const { return Radians() * kDegreesPerRadian; }
    void SetDegrees(double degrees);
    double Radians() const;
    void SetRadians(double radians);

    // Of the stored value; the functions are periodic, so it is not wrapped first.
    double Sine() const;
    double Cosine() const;
    double Tangent() const;

    Angle LeftAngleOf() const { return FromRadians(value_ + kPi / 2); }
    Angle RightAngleOf() const { return FromRadians(value_ - kPi / 2); }
    Angle ReverseAngleOf() const { return FromRadians(value_ + kPi); }

    void AddDegrees(double degrees);
    void SubtractDegrees(double degrees);
    void AddRadians(double radians);
    void SubtractRadians(double radians);
    void Add(const Angle& other);
    void Subtract(const Angle& other);

    // The direction from p1 to p2.
    void ConstructFromPoints(const Point2D& p1, const Point2D& p2);
    // arctan(h / w), turned half a turn when w is negative.
    void ConstructFromWidthHeight(float w, float h);

private:
    void Store(double radians);
    static double Normalize(double radians);

    mutable double value_ = 0.0;
    AngleListener* listener_ = nullptr;
};

} // namespace polvane
