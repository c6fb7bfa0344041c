#pragma once

#include <string>

#include "model/Units.h"

namespace polvane {

class Bumper;

// What a venue file may hold beyond being a number: the coordinates the windows allow, and
// hang points on the bumper's holes. Both venue readers refuse a file that breaks them, so
// that nothing they load sends the prediction outside the venue it was made for.
class VenueLimits {
public:
    // 600 ft, or 182.88 m for a metric venue.
    static float MaxDistance(UnitsCode units);
    // std::range_error naming `what` when x lies beyond MaxDistance either side of the array.
    static void CheckDistance(float x, UnitsCode units, const std::string& what);
    // std::range_error naming `what` when the hole is not one of the bumper's.
    static void CheckHole(int hole, const Bumper& bumper, const std::string& what);
};

} // namespace polvane
