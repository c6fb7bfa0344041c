#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/CalculationResults.h"
#include "model/Angle.h"
#include "model/Point2D.h"
#include "model/Units.h"

namespace polvane {

class AutoConfigureServices;
class CaptionLabel;
class Environment;
class ProgressController;

// Chooses the splays of the venue's array (and, for a flown array when allowed, the
// bumper angle): an initial design that shares the cells among the seating areas, then,
// with refinement on, a timed search over combinations of the cells' allowed splays. The
// search runs here; the services' worker threads only score its candidates.
class AutoConfigure {
public:
    explicit AutoConfigure(Environment& venue) : venue_(venue) {}

    // The initial design, then the search until `limitMs` has passed, `cancel` is set or
    // every subset size is done; the best combination found is applied. The candidates
    // are scored on copies of the venue, each levelled (a single-point bumper) from the
    // bumper angle the sweep started with, so that its score depends on it alone.
    void Run(int limitMs, const bool& cancel, ProgressController& progress,
             CaptionLabel& percentLabel, CaptionLabel& timeLabel, CaptionLabel* combosLabel,
             AutoConfigureServices& services);

    // Three passes of the initial design, each from a fresh prediction; gives the last
    // pass's prediction (in engineering mode with the listening points' levels), which
    // the windows show.
    CalculationResults DesignInitialSplays(bool engineeringMode = false);

    // For tests: the search stops once it has tried this many combinations.
    void SetCombinationBound(std::int64_t bound) { bound_ = bound; }
    // How many combinations the last Run tried, in the search's order.
    std::int64_t CombinationsTried() const { return tried_; }
    // The evenness score of the design the last Run chose.
    float BestScore() const { return bestScore_; }

    // How many cells each seating area gets, in proportion to its triangle; the fraction of
    // a cell left over is carried on from area to area (and from pass to pass).
    static std::vector<int> ShareCells(const std::vector<float>& triangles, int cells,
                                       float& carry);

    // Heron's formula on single-precision side lengths, in double precision.
    static double TriangleArea(const Point2D& p1, const Point2D& p2, const Point2D& p3);

    // The remaining-time caption: "1h 2m 3s", "4m 5s" or "6s".
    static std::string FormatTimeRemaining(std::int64_t remainingMs);
    // elapsed / limit as a percentage with two decimals, e.g. "12.50%".
    static std::string FormatPercent(double fraction);
    // The count of combinations tried in plain digits, as every number the program writes,
    // whatever the desktop's locale: "704673".
    static std::string FormatCount(std::int64_t count);

    // How far above its area each cell's target point lies: 7 feet in either unit
    // system, so the design of a hall does not depend on its units.
    static float TargetHeight(UnitsCode units);

private:
    void DesignPass(const CalculationResults& results);

    Environment& venue_;
    float carry_ = 0.0f;
    std::vector<Angle> aims_; // one per slot 1..N, kept across the passes
    std::int64_t bound_ = std::numeric_limits<std::int64_t>::max();
    std::int64_t tried_ = 0;
    float bestScore_ = 0.0f;
};

} // namespace polvane
