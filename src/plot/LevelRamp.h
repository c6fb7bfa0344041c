#pragma once

#include <array>
#include <cstdint>

namespace polvane {

// The colours of the predicted level along the seating areas: 256 opaque ARGB colours
// from red (the loudest) through yellow, green and cyan to blue (36 dB or more below it).
class LevelRamp {
public:
    static constexpr int kSize = 256;
    // Levels at or below this many dB under the loudest all get the last colour.
    static constexpr float kRangeDb = 36.0f;

    LevelRamp();

    // The colour at index 0..255; an index outside is taken to the nearer end.
    std::uint32_t Color(int index) const;
    // The ramp index of a level in dB relative to the loudest (0 or below); levels above
    // 0 count as 0, and a level that is no number as the quietest.
    static int IndexOf(float level);
    std::uint32_t ColorOf(float level) const { return Color(IndexOf(level)); }

private:
    std::array<std::uint32_t, kSize> colors_{};
};

} // namespace polvane
