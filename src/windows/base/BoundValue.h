#pragma once

#include <functional>
#include <optional>
#include <string>

namespace polvane {

// One model value behind an edit box: how a typed number is clamped, where it is stored,
// and how the stored value is shown.
struct BoundValue {
    std::function<float(float)> bound; // empty: the value has no bound
    std::function<void(float)> store;
    std::function<std::string()> shown;

    // The number as a single (beyond its range, the largest single of its sign), clamped.
    float Clamp(double value) const;
    // The number typed into a box ("12.50 m" and "12,5" read 12.5), clamped; nothing when
    // the text holds no number.
    std::optional<float> Read(const std::string& text) const;
};

} // namespace polvane
