#pragma once

#include "engine/CalculationResults.h"

namespace polvane {

class Bumper;
class Environment;

// The first part of the prediction: the array's geometry and rigging. Where each cell sits
// and aims, the nearest seating area ahead of it, the centre of gravity, the hang line and
// its loads, the bounds of the rigging, the array and the venue, the throws and the
// coverage angles.
//
// A flown bumper hung from a single point is turned so that the array's centre of gravity
// hangs below the hang hole: the one change a prediction makes to the venue. A stacked
// array is not hung, whatever rigging it carries, and keeps its bumper angle.
class ArrayGeometry {
public:
    // Writes into `results`; `areaCounter` and `itemCounter` follow the loops for the
    // prediction's failure text. `flown` is the array's configuration.
    ArrayGeometry(Environment& venue, bool flown, CalculationResults& results, int& areaCounter,
                  int& itemCounter)
        : venue_(venue), r_(results), areaCounter_(areaCounter), itemCounter_(itemCounter),
          flown_(flown)
    {
    }

    // Returns false when the quick mode rejects an Auto-Configure candidate (an unbalanced
    // dual-point array, aims outside the limits); the fields after the return stay empty.
    bool Run(bool quick);

private:
    void RunCells(const Bumper& bumper, float& weight, float& sx, float& sy);

    Environment& venue_;
    CalculationResults& r_;
    int& areaCounter_;
    int& itemCounter_;
    bool flown_;
};

} // namespace polvane
