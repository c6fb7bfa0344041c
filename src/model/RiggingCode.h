#pragma once

namespace polvane {

// How the bumper hangs: from a front and a back hang point, or from one pick point with
// the bumper held level.
enum class RiggingCode : int {
    DualPoint = 0,
    SinglePoint = 1,
};

} // namespace polvane
