#include "shell/options/CurveColors.h"

#include <array>
#include <stdexcept>
#include <string>

#include "shell/options/ArgbColor.h"

namespace polvane {

std::uint32_t CurveColors::Color(int index)
{
    static constexpr std::array<std::uint32_t, kCount> kColors = {
        ArgbColor::MakeARGB(255, 0, 0, 0),     ArgbColor::MakeARGB(255, 0, 0, 255),
        ArgbColor::MakeARGB(255, 0, 192, 192), ArgbColor::MakeARGB(255, 0, 255, 0),
        ArgbColor::MakeARGB(255, 192, 192, 0), ArgbColor::MakeARGB(255, 255, 128, 0),
        ArgbColor::MakeARGB(255, 255, 0, 0),   ArgbColor::MakeARGB(255, 224, 0, 224),
    };
    if (index < 1 || index > kCount)
        throw std::out_of_range("Curve colour number " + std::to_string(index) +
                                " is not in 1 to 8");
    return kColors[static_cast<std::size_t>(index - 1)];
}

} // namespace polvane
