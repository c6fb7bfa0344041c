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

} // namespace polvane
