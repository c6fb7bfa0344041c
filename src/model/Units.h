#pragma once

namespace polvane {

// Units code of a venue: lengths in feet and weights in pounds, or metres and kilograms.
enum class UnitsCode : int {
    English = 0,
    Metric = 1,
};

inline constexpr float kMetresPerFoot = 0.3048f;
inline constexpr float kFeetPerMetre = 3.28084f;

} // namespace polvane
