#pragma once

#include <functional>

#include "model/Units.h"

namespace polvane {

// Values that the application shell owns and the core reads: the open venue's units (for
// the formatting and bounding helpers), the snap-to-grid size and the engineering-mode
// switch. The shell installs them at start-up; tests set them and put them back.
class CoreSettings {
public:
    // The units code of the open venue.
    static UnitsCode OpenVenueUnits();
    // Installs where the open venue's units are read from; an empty function reads English.
    static void SetOpenVenueUnitsSource(std::function<UnitsCode()> source);

    static float SnapToGridSize();
    static void SetSnapToGridSize(float size);

    static bool EngineeringMode();
    static void SetEngineeringMode(bool on);

    // Puts every value back as at start: English units, a grid of 1, standard mode.
    static void Reset();
};

} // namespace polvane
