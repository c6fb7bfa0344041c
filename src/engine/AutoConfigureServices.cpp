#include "engine/AutoConfigureServices.h"

#include <algorithm>
#include <thread>

namespace polvane {

bool AutoConfigureServices::EngineeringMode() { return false; }

void AutoConfigureServices::ShareResults(const CalculationResults&) {}

int AutoConfigureServices::WorkerCount()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

std::string AutoConfigureServices::FormatCount(std::int64_t count)
{
    std::string digits = std::to_string(count < 0 ? -count : count);
    std::string out;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[static_cast<std::size_t>(i)];
    }
    return count < 0 ? "-" + out : out;
}

} // namespace polvane
