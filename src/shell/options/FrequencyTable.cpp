#include "shell/options/FrequencyTable.h"

#include <array>
#include <stdexcept>
#include <string>

namespace polvane {

float FrequencyTable::Frequency(int index)
{
    static constexpr std::array<float, kCount> kFrequencies = {
        100,  125,  160,  200,  250,  315,  400,  500,   630,   800,   1000, 1250,
        1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000,
    };
    if (index < 1 || index > kCount)
        throw std::out_of_range("Frequency number " + std::to_string(index) +
                                " is not in 1 to 23");
    return kFrequencies[static_cast<std::size_t>(index - 1)];
}

} // namespace polvane
