#include "windows/base/BoundValue.h"

#include <algorithm>
#include <limits>

#include "shell/options/OptionText.h"

namespace polvane {

float BoundValue::Clamp(double value) const
{
    constexpr double kLargest = std::numeric_limits<float>::max();
    const float single = static_cast<float>(std::clamp(value, -kLargest, kLargest));
    return bound ? bound(single) : single;
}

float BoundValue::Read(const std::string& text) const { return Clamp(OptionText::LeadingNumber(text)); }

} // namespace polvane
