#include "files/VenueLimits.h"

#include <charconv>
#include <stdexcept>

#include "model/Bumper.h"
#include "model/Units.h"

namespace polvane {

namespace {

std::string ShortText(float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

float VenueLimits::MaxDistance(UnitsCode units) { return units == UnitsCode::Metric ? 182.88f : 600.0f; }

void VenueLimits::CheckDistance(float x, UnitsCode units, const std::string& what)
{
    const float limit = MaxDistance(units);
    if (!(x >= -limit && x <= limit))
        throw std::range_error(what + " is " + ShortText(x) + "; the program allows -" +
                               ShortText(limit) + " to " + ShortText(limit) +
                               (units == UnitsCode::Metric ? " metres" : " feet"));
}

void VenueLimits::CheckRange(long long value, long long first, long long last,
                             const std::string& what, const std::string& of)
{
    if (value < first || value > last)
        throw std::range_error(what + " is " + std::to_string(value) + "; the program allows " +
                               std::to_string(first) + " to " + std::to_string(last) + " " + of);
}

void VenueLimits::CheckHole(int hole, const Bumper& bumper, const std::string& what)
{
    const int holes = bumper.HoleCount();
    if (holes > 0 && (hole < 1 || hole > holes))
        throw std::range_error(what + " is " + std::to_string(hole) +
                               ", but the bumper of this array has holes 1 to " +
                               std::to_string(holes));
}

void VenueLimits::CheckHangPointOrder(int front, int back, const std::string& frontWhat,
                                      const std::string& backWhat)
{
    if (front >= back)
        throw std::range_error(frontWhat + " is " + std::to_string(front) + ", but the front hang point " +
                               "must lie before the back one (" + backWhat + " is " +
                               std::to_string(back) + ")");
}

} // namespace polvane
