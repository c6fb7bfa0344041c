#pragma once

#include <cstdint>
#include <vector>

#include "engine/PolarSum.h"

namespace polvane {

// Working tables of the polar sum, kept per thread and reused so that a run allocates
// nothing once they have grown to the venue's size. They also keep the running sums after
// each cell: a run whose first cells are the last run's, bit for bit (Auto-Configure
// changing a lower cell's splay), starts from the sums after the unchanged ones and gives
// exactly what a run from the first cell would.
struct PredictionWorkspace {
    // What one cell's rows and sums were made from.
    struct CellKey {
        std::uint32_t x = 0, y = 0, gain = 0, aperture = 0;
        std::uint64_t aim = 0;
        bool operator==(const CellKey&) const = default;
    };
    // What every row was made from.
    struct SweepKey {
        std::uint32_t lo = 0, step = 0, speed = 0;
        int count = -1;
        int cells = -1;
        int lanes = 0; // the sum's routine: the vector ones round differently
        std::vector<std::uint32_t> frequencies;
        bool operator==(const SweepKey&) const = default;
    };

    std::vector<CellKey> cellKeys;    // per cell, of the rows and sums below
    SweepKey sweepKey;                // of the rows and sums below
    bool sumsKept = false;            // whether `sums` holds every cell's running sums
    int padded = 0;                   // sweep angles rounded up to the vector block
    std::vector<float> theta;         // per sweep angle, radians
    std::vector<float> cosTheta;      // per sweep angle
    std::vector<float> sinTheta;      // per sweep angle
    std::vector<float> gain;          // per cell: 10^(attenuation / 20)
    std::vector<float> apertureHeight; // per cell; 0 for a cell without an aperture
    std::vector<float> aimSine;       // [n * padded + j]: sin(aim - theta + offset)
    std::vector<float> pathBase;      // [n * padded + j]: dx cos theta + dy sin theta
    std::vector<float> sums;          // [((column * N + n) * 6 + sum) * padded + j]
    std::vector<PolarSum::CellTerms> terms; // per cell, for the frequency being summed
    std::vector<float> power;         // [column * (M + 1) + j]
    std::vector<float> maxima;        // per column
    std::vector<float> frequencies;   // per column, Hz
    int columns = 0;
    int listedColumns = 0;  // the first columns are the venue's listed frequencies
    int polarColumn = -1;   // the column the single-frequency polar response reads
};

} // namespace polvane
