#include "model/Point2D.h"

#include <cmath>

#include "model/Angle.h"
#include "model/Units.h"

namespace polvane {

Point2D Point2D::OffsetFromAH(const Angle& angle, float h) const
{
    return {static_cast<float>(x + h * angle.Cosine()), static_cast<float>(y + h * angle.Sine())};
}

void Point2D::ConvertUnits(UnitsCode units)
{
    if (units == UnitsCode::Metric) {
        x *= kMetresPerFoot;
        y *= kMetresPerFoot;
    } else if (units == UnitsCode::English) {
        x *= kFeetPerMetre;
        y *= kFeetPerMetre;
    }
}

float Point2D::DistanceTo(const Point2D& p) const
{
    const float dy = p.y - y;
    const float dx = p.x - x;
    return std::sqrt(dy * dy + dx * dx);
}

} // namespace polvane
