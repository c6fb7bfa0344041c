#pragma once

#include <vector>

#include "engine/CalculationResults.h"
#include "engine/Prediction.h"

namespace polvane {

class Cells;
struct PredictionWorkspace;

// The cell sum of the prediction, per frequency column of a workspace: each cell's
// pressure with the phase of its path difference, at the column's frequency and a sixth of
// an octave either side, added as powers over the sweep.
class PolarColumns {
public:
    // The power table and maxima of every frequency column in `ws`, from the sources and
    // aims in `cellResults`. `itemCounter` follows the cell being prepared, for the
    // prediction's failure text.
    static void Sum(const Prediction::Sweep& sweep, float speedOfSound, const Cells& cells,
                    const std::vector<CellResult>& cellResults, int& itemCounter,
                    PredictionWorkspace& ws);
};

} // namespace polvane
