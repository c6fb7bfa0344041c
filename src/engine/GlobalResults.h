#pragma once

#include "engine/CalculationResults.h"

namespace polvane {

// The one shared copy of the calculation results that the windows, the status bar and
// the rigging sheet read. The update hub, start-up, Auto-Configure's initial design and
// printing write it.
class GlobalResults {
public:
    static const CalculationResults& Current();
    static void Store(CalculationResults results);
    // Back to an empty record.
    static void Reset();
};

} // namespace polvane
