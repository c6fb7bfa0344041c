#include "windows/base/BoundValue.h"

#include <algorithm>
#include <limits>

#include "windows/base/TypedNumber.h"

namespace polvane {

float BoundValue::Clamp(double value) const
{
    constexpr double kLargest = std::numeric_limits<float>::max();
    const float single = static_cast<float>(std::clamp(value, -kLargest, kLargest));
    return bound ? bound(single) : single;
}

std::optional<float> BoundValue::Read(const std::string& text) const
{
    const std::optional<double> typed = TypedNumber::Read(text);
    if (!typed)
        return std::nullopt;
    return Clamp(*typed);
}

} // namespace polvane
