#pragma once

namespace polvane {

class Environment;

// What the prediction may be given. The windows and the files keep coordinates within a few
// hundred feet, but some values have no bound (the ear height) and a venue may be built in
// code; far beyond any venue, the prediction's single-precision sums would overflow.
class PredictionInputs {
public:
    // Far beyond every bound of the program, in feet or metres, yet far from overflowing.
    static constexpr float kReach = 1.0e5f;

    // True when every coordinate, length and the ear height lie within kReach and the hang
    // points on the bumper's holes.
    static bool WithinReach(const Environment& venue);
    // Clamps what WithinReach finds wrong: coordinates to kReach, a value that is no
    // number to 0, hang points to the nearest hole.
    static void HoldWithinReach(Environment& venue);
};

} // namespace polvane
