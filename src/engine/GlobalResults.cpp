#include "engine/GlobalResults.h"

#include <utility>

namespace polvane {

namespace {
CalculationResults& Shared()
{
    static CalculationResults results;
    return results;
}
} // namespace

const CalculationResults& GlobalResults::Current() { return Shared(); }
void GlobalResults::Store(CalculationResults results) { Shared() = std::move(results); }
void GlobalResults::Reset() { Shared() = CalculationResults{}; }

} // namespace polvane
