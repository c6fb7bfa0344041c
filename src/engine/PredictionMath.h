#pragma once

#include <cmath>
#include <limits>

#include "model/Angle.h"
#include "model/Point2D.h"

namespace polvane {

// The small sums the pieces of the prediction share, in the single precision it works in.
class PredictionMath {
public:
    static constexpr double kDegreesPerRadian = 57.29577951308232;
    // Keeps the aperture factor's argument off an exact zero on the cell's own axis.
    static constexpr double kAimOffset = 0.000001;
    static constexpr float kFloatMax = std::numeric_limits<float>::max();

    static float MaxSingle(float a, float b) { return a >= b ? a : b; }
    static float MinSingle(float a, float b) { return a <= b ? a : b; }

    // The direction from p1 to p2 in degrees, -180 to 180.
    static float DirectionDegrees(const Point2D& p1, const Point2D& p2)
    {
        Angle a;
        a.ConstructFromPoints(p1, p2);
        return static_cast<float>(a.Degrees());
    }

    // The model's distance, taken again in double where the single-precision squares
    // overflow.
    static float Distance(const Point2D& a, const Point2D& b)
    {
        const float d = a.DistanceTo(b);
        if (std::isfinite(d))
            return d;
        const double dd =
            std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
        return dd < kFloatMax ? static_cast<float>(dd) : kFloatMax;
    }

    // A frequency that cannot be computed with is taken as 0 Hz.
    static float UsableFrequency(float hz) { return std::isfinite(hz) ? hz : 0.0f; }
};

} // namespace polvane
