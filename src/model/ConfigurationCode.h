#pragma once

namespace polvane {

// How the array stands: flown from its bumper, or ground stacked on it.
enum class ConfigurationCode : int {
    Flown = 0,
    GroundStacked = 1,
};

} // namespace polvane
