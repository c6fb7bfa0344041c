#pragma once

namespace polvane {

// The array's rigging pins: slide pins, or fixed ones.
enum class PinStyleCode : int {
    Slide = 0,
    Fixed = 1,
};

} // namespace polvane
