#pragma once

#include <string>

#include "model/Units.h"

namespace polvane {

class Bumper;

// What a venue file may hold beyond being a number: the coordinates, cell and listening-point
// counts the windows allow, listening points on the file's own seating areas, and hang points
// on the bumper's holes. Both venue readers refuse a file that breaks them, so that nothing
// they load sends the prediction outside the venue it was made for or lies beyond what the
// windows can show.
class VenueLimits {
public:
    // The cell grid has 24 rows. Fewer than the 4 cells the windows keep at least is allowed:
    // stored files may hold such columns.
    static constexpr int kMaxCells = 24;
    // The listening-points window adds no more than 20.
    static constexpr int kMaxListeningPoints = 20;

    // 600 ft, or 182.88 m for a metric venue.
    static float MaxDistance(UnitsCode units);
    // std::range_error naming `what` when x lies beyond MaxDistance either side of the array.
    static void CheckDistance(float x, UnitsCode units, const std::string& what);
    // std::range_error naming `what` and the range when the value lies outside first..last;
    // `of` says what the range counts ("cells").
    static void CheckRange(long long value, long long first, long long last, const std::string& what,
                           const std::string& of);
    // std::range_error naming `what` when the hole is not one of the bumper's.
    static void CheckHole(int hole, const Bumper& bumper, const std::string& what);
    // std::range_error naming `frontWhat` when a dual-point bumper's front hang point does
    // not lie before its back one (`backWhat`): no window makes such a pair, and the bumper's
    // loads and cable distances assume it.
    static void CheckHangPointOrder(int front, int back, const std::string& frontWhat,
                                    const std::string& backWhat);
};

} // namespace polvane
