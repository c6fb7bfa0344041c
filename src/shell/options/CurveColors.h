#pragma once

#include <cstdint>

namespace polvane {

// The fixed, opaque colours of the listening points' response curves, 1-based.
class CurveColors {
public:
    static constexpr int kCount = 8;
    static int Count() { return kCount; }
    // As ARGB; an index outside 1..8 throws std::out_of_range.
    static std::uint32_t Color(int index);
};

} // namespace polvane
