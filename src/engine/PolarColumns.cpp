#include "engine/PolarColumns.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

#include "engine/PolarSum.h"
#include "engine/PredictionMath.h"
#include "engine/PredictionWorkspace.h"
#include "model/Angle.h"
#include "model/Cells.h"
#include "model/ProductTables.h"

namespace polvane {

namespace {

constexpr double kTwoPi = 2.0 * Angle::kPi;
// Running sums of every cell are kept up to this many floats (64 MB); a larger sweep or
// frequency list sums without them.
constexpr std::size_t kMaxKeptSums = std::size_t{16} << 20;

} // namespace

void PolarColumns::Sum(const Prediction::Sweep& sweep, float speedOfSound, const Cells& cells,
                       const std::vector<CellResult>& cellResults, int& itemCounter,
                       PredictionWorkspace& ws)
{
    const int n = static_cast<int>(cellResults.size());
    const int count = sweep.maxIndex + 1;
    const int padded = (count + PolarSum::kAngleBlock - 1) / PolarSum::kAngleBlock *
                       PolarSum::kAngleBlock;
    const auto un = static_cast<std::size_t>(n);
    const auto upadded = static_cast<std::size_t>(padded);
    const auto ucount = static_cast<std::size_t>(count);
    const std::size_t columnSums = un * PolarSum::kSums * upadded;
    const bool keepSums =
        ws.columns > 0 && columnSums <= kMaxKeptSums / static_cast<std::size_t>(ws.columns);

    PredictionWorkspace::SweepKey sweepKey;
    sweepKey.lo = std::bit_cast<std::uint32_t>(sweep.lo);
    sweepKey.step = std::bit_cast<std::uint32_t>(sweep.step);
    sweepKey.speed = std::bit_cast<std::uint32_t>(speedOfSound);
    sweepKey.count = count;
    sweepKey.cells = n;
    sweepKey.lanes = PolarSum::Lanes();
    for (const float f : ws.frequencies)
        sweepKey.frequencies.push_back(std::bit_cast<std::uint32_t>(f));

    // The cells' own terms; the first one that differs from the last run's is where the
    // sums start again.
    ws.gain.resize(un);
    ws.apertureHeight.resize(un);
    std::vector<PredictionWorkspace::CellKey> keys(un);
    for (int c = 0; c < n; ++c) {
        itemCounter = c + 1;
        const Cell& cell = cells.Item(c + 1);
        const auto uc = static_cast<std::size_t>(c);
        // The attenuation is a level: its pressure gain is 10^(dB / 20).
        ws.gain[uc] =
            static_cast<float>(std::pow(10.0, static_cast<double>(cell.Attenuation()) / 20.0));
        // A cell without a line-source aperture radiates the same in every direction: an
        // aperture factor of 0 gives A = g.
        const float aperture = cell.ApertureHeight();
        ws.apertureHeight[uc] = aperture == ProductTables::kNoAperture ? 0.0f : aperture;
        const CellResult& cr = cellResults[uc];
        keys[uc] = {std::bit_cast<std::uint32_t>(cr.Source.x),
                    std::bit_cast<std::uint32_t>(cr.Source.y),
                    std::bit_cast<std::uint32_t>(ws.gain[uc]),
                    std::bit_cast<std::uint32_t>(ws.apertureHeight[uc]),
                    std::bit_cast<std::uint64_t>(cr.Aim.Radians())};
    }
    const bool sameSweep = ws.sweepKey == sweepKey && ws.padded == padded;
    int first = 0;
    if (sameSweep && keepSums && ws.sumsKept)
        while (first < n && keys[static_cast<std::size_t>(first)] ==
                                ws.cellKeys[static_cast<std::size_t>(first)])
            ++first;
    // Until the new rows and sums are all written, nothing of the old ones may be trusted.
    ws.sweepKey = {};
    ws.cellKeys.clear();

    if (!sameSweep) {
        ws.padded = padded;
        ws.theta.assign(upadded, 0.0f);
        ws.cosTheta.assign(upadded, 0.0f);
        ws.sinTheta.assign(upadded, 0.0f);
        for (int j = 0; j < count; ++j) {
            const auto theta = static_cast<float>(
                (static_cast<double>(sweep.step) * j + sweep.lo) /
                PredictionMath::kDegreesPerRadian);
            ws.theta[static_cast<std::size_t>(j)] = theta;
            ws.cosTheta[static_cast<std::size_t>(j)] =
                static_cast<float>(std::cos(static_cast<double>(theta)));
            ws.sinTheta[static_cast<std::size_t>(j)] =
                static_cast<float>(std::sin(static_cast<double>(theta)));
        }
    }

    // Terms that do not depend on the frequency, per cell and sweep angle; the angles
    // past the sweep only fill the last vector block.
    ws.aimSine.resize(un * upadded);
    ws.pathBase.resize(un * upadded);
    const Point2D ref = cellResults.front().Source;
    for (int c = first; c < n; ++c) {
        itemCounter = c + 1;
        const CellResult& cr = cellResults[static_cast<std::size_t>(c)];
        const double aim = cr.Aim.Radians();
        const float dx = cr.Source.x - ref.x;
        const float dy = cr.Source.y - ref.y;
        float* aimSine = &ws.aimSine[static_cast<std::size_t>(c) * upadded];
        float* pathBase = &ws.pathBase[static_cast<std::size_t>(c) * upadded];
        for (int j = 0; j < padded; ++j) {
            const auto uj = static_cast<std::size_t>(j);
            // The difference is taken in double, where the small offset survives.
            aimSine[j] = j < count ? static_cast<float>(aim - ws.theta[uj] +
                                                        PredictionMath::kAimOffset)
                                   : 0.0f;
            pathBase[j] = j < count ? dx * ws.cosTheta[uj] + dy * ws.sinTheta[uj] : 0.0f;
        }
        PolarSum::Sines(aimSine, padded);
    }

    // The cell sum, per frequency column: pressures with the phase of the path
    // differences at f and a sixth of an octave either side, added as powers.
    const std::size_t ringSums = PolarSum::kSums * upadded;
    ws.sums.resize(keepSums ? columnSums * static_cast<std::size_t>(ws.columns) : 2 * ringSums);
    ws.terms.resize(un);
    ws.power.resize(static_cast<std::size_t>(ws.columns) * ucount);
    ws.maxima.assign(static_cast<std::size_t>(ws.columns), 0.0f);
    for (int col = 0; col < ws.columns; ++col) {
        const float f =
            PredictionMath::UsableFrequency(ws.frequencies[static_cast<std::size_t>(col)]);
        const auto k = static_cast<float>(kTwoPi * f / speedOfSound);
        for (int c = 0; c < n; ++c) {
            const auto uc = static_cast<std::size_t>(c);
            ws.terms[uc] = {&ws.aimSine[uc * upadded], &ws.pathBase[uc * upadded], ws.gain[uc],
                            static_cast<float>(Angle::kPi * f * ws.apertureHeight[uc] / speedOfSound)};
        }
        const float* last = nullptr;
        if (keepSums) {
            float* sums = &ws.sums[static_cast<std::size_t>(col) * columnSums];
            PolarSum::Add(ws.terms.data(), first, n, padded, k, sums);
            last = sums + (un - 1) * ringSums;
        } else {
            // Without room for every cell's sums, two rows: the sums so far and the next.
            float* ring = ws.sums.data();
            PolarSum::Add(ws.terms.data(), 0, 1, padded, k, ring);
            for (int c = 1; c < n; ++c) {
                PolarSum::Add(ws.terms.data() + c - 1, 1, 2, padded, k, ring);
                std::copy(ring + ringSums, ring + 2 * ringSums, ring);
            }
            last = ring;
        }
        float* power = &ws.power[static_cast<std::size_t>(col) * ucount];
        float maximum = 0.0f;
        for (int j = 0; j < count; ++j) {
            const auto at = [last, upadded, j](int sum) {
                return last[static_cast<std::size_t>(sum) * upadded + static_cast<std::size_t>(j)];
            };
            const float re1 = at(0), im1 = at(1), re2 = at(2), im2 = at(3), re3 = at(4),
                        im3 = at(5);
            float p = re1 * re1 + im1 * im1 + re2 * re2 + im2 * im2 + re3 * re3 + im3 * im3;
            // Frequencies or apertures beyond single precision give no usable sum.
            if (!std::isfinite(p))
                p = 0.0f;
            power[j] = p;
            maximum = PredictionMath::MaxSingle(maximum, p);
        }
        ws.maxima[static_cast<std::size_t>(col)] = maximum;
    }
    ws.sumsKept = keepSums;
    if (keepSums)
        ws.cellKeys = std::move(keys);
    ws.sweepKey = std::move(sweepKey);
}

} // namespace polvane
