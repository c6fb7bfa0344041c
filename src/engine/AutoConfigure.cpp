#include "engine/AutoConfigure.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <exception>
#include <optional>

#include "engine/AutoConfigureServices.h"
#include "engine/CalculationResults.h"
#include "engine/CandidateWorkers.h"
#include "engine/CaptionLabel.h"
#include "engine/Environment.h"
#include "engine/ProgressController.h"
#include "engine/SweepCursor.h"
#include "model/Units.h"

namespace polvane {

namespace {

constexpr std::int64_t kProgressIntervalMs = 200;
constexpr float kTargetHeightFeet = 7.0f;

} // namespace

double AutoConfigure::TriangleArea(const Point2D& p1, const Point2D& p2, const Point2D& p3)
{
    const double a = p1.DistanceTo(p2);
    const double b = p2.DistanceTo(p3);
    const double c = p3.DistanceTo(p1);
    const double q = (-a + b + c) * (a + b + c) * (a - b + c) * (a + b - c) / 16.0;
    // Rounding can take a flat triangle a hair below zero.
    return q > 0.0 ? std::sqrt(q) : 0.0;
}

float AutoConfigure::TargetHeight(UnitsCode units)
{
    return units == UnitsCode::Metric ? kTargetHeightFeet * kMetresPerFoot : kTargetHeightFeet;
}

std::string AutoConfigure::FormatTimeRemaining(std::int64_t remainingMs)
{
    double s = static_cast<double>(remainingMs) / 1000.0;
    double m = std::floor(s / 60.0);
    s -= 60.0 * m;
    const double h = std::floor(m / 60.0);
    m -= 60.0 * h;
    const auto whole = [](double v) { return std::to_string(static_cast<long long>(std::floor(v))); };
    if (h > 0)
        return whole(h) + "h " + whole(m) + "m " + whole(s) + "s";
    if (m > 0)
        return whole(m) + "m " + whole(s) + "s";
    return whole(s) + "s";
}

std::string AutoConfigure::FormatPercent(double fraction)
{
    char buf[64];
    const double percent = std::isfinite(fraction) ? fraction * 100.0 : 0.0;
    const auto result = std::to_chars(buf, buf + sizeof buf, percent, std::chars_format::fixed, 2);
    return std::string(buf, result.ptr) + "%";
}

std::string AutoConfigure::FormatCount(std::int64_t count) { return std::to_string(count); }

std::vector<int> AutoConfigure::ShareCells(const std::vector<float>& triangles, int cells,
                                           float& carry)
{
    float total = 0.0f;
    for (float a : triangles)
        total += a;
    if (total == 0.0f)
        total = 0.000001f;
    std::vector<int> shares;
    shares.reserve(triangles.size());
    for (float a : triangles) {
        const float exact = a / total * static_cast<float>(cells);
        int share = static_cast<int>(exact);
        carry = carry + exact - static_cast<float>(share);
        if (carry > 0.99f) {
            share += 1;
            carry -= 1.0f;
        } else if (carry < -0.99f) {
            share -= 1;
            carry += 1.0f;
        }
        shares.push_back(share);
    }
    return shares;
}

CalculationResults AutoConfigure::DesignInitialSplays(bool engineeringMode)
{
    carry_ = 0.0f;
    aims_.assign(static_cast<std::size_t>(venue_.LineArray().Cells().Count()), Angle());
    CalculationResults results;
    for (int pass = 0; pass < 3; ++pass) {
        results = venue_.GenerateCalculations(false, engineeringMode);
        DesignPass(results);
    }
    return results;
}

void AutoConfigure::DesignPass(const CalculationResults& results)
{
    LineArray& array = venue_.LineArray();
    Cells& cells = array.Cells();
    const int n = cells.Count();
    const bool flown = array.Configuration() == ConfigurationCode::Flown;
    const Planes& areas = venue_.SeatingAreas();

    // Nothing to share out or nothing to aim at: the splays stay as they are.
    if (n == 0 || areas.Count() == 0 || static_cast<int>(results.CellResults.size()) != n)
        return;
    const Point2D r = results.CenterOfGravity;

    std::vector<float> triangle;
    triangle.reserve(static_cast<std::size_t>(areas.Count()));
    for (int i = 1; i <= areas.Count(); ++i) {
        const Plane& area = areas.Item(i);
        triangle.push_back(static_cast<float>(TriangleArea(r, area.FrontPoint(), area.BackPoint())));
    }
    const std::vector<int> shares = ShareCells(triangle, n, carry_);

    const float lift = TargetHeight(venue_.Units());
    int slot = 0; // slots 1..N across all areas, in list order
    for (int i = 1; i <= areas.Count(); ++i) {
        const Plane& area = areas.Item(i);
        const int share = shares[static_cast<std::size_t>(i - 1)];
        const float a = triangle[static_cast<std::size_t>(i - 1)];
        const float perCell = share > 0 ? a / static_cast<float>(share) : 0.0f;

        const Point2D f = area.FrontPoint();
        const Point2D b = area.BackPoint();
        const float length = area.Length();
        const float slope = area.Slope();
        // Twice the height of R above the area's line, measured vertically and signed.
        const float denominator = -r.x * f.y - length * r.y + b.x * f.y + (r.x - f.x) * b.y;
        Point2D p = f;
        for (int c = 0; c < share && slot < n; ++c) {
            ++slot;
            const float step = (-2.0f * length * perCell) / denominator;
            Point2D q = p;
            if (std::isfinite(step)) {
                q.x = p.x + step;
                q.y = f.y + (q.x - f.x) * slope + lift;
            }
            if (!std::isfinite(q.y))
                q.y = p.y;
            const Point2D target = p.MidPointWith(q);
            const int cell = flown ? n - slot + 1 : slot;
            aims_[static_cast<std::size_t>(slot - 1)].ConstructFromPoints(
                results.CellResults[static_cast<std::size_t>(cell - 1)].Source, target);
            p = q;
        }
    }

    Bumper& bumper = array.Bumper();
    if (flown && venue_.AutoCalcBumperAdjust())
        bumper.SetAngle(aims_[static_cast<std::size_t>(n - 1)]);

    Angle running = bumper.Angle();
    for (int i = 1; i <= n; ++i) {
        Cell& cell = cells.Item(i);
        const Angle& aim = aims_[static_cast<std::size_t>(flown ? n - i : i - 1)];
        if (flown) {
            cell.SplayAngle().SetRadians(running.Radians() - aim.Radians());
            running.Subtract(cell.SplayAngle());
        } else {
            cell.SplayAngle().SetRadians(aim.Radians() - running.Radians());
            running.Add(cell.SplayAngle());
        }
    }
}

void AutoConfigure::Run(int limitMs, const bool& cancel, ProgressController& progress,
                        CaptionLabel& percentLabel, CaptionLabel& timeLabel,
                        CaptionLabel* combosLabel, AutoConfigureServices& services)
{
    tried_ = 0;
    services.ShareResults(DesignInitialSplays(services.EngineeringMode()));
    if (!services.RefinementEnabled() || venue_.LineArray().Cells().Count() == 0 ||
        venue_.SeatingAreas().Count() == 0)
        return;
    services.RefreshWindows();
    services.LetMessagesRun();

    Cells& cells = venue_.LineArray().Cells();
    const int n = cells.Count();

    const std::int64_t start = services.TickCount();
    const std::int64_t deadline = start + limitMs;
    std::int64_t nextProgress = start + kProgressIntervalMs;
    std::int64_t lastReading = start;

    std::vector<int> choices(static_cast<std::size_t>(n + 1));
    std::vector<int> initial(choices.size()), best(choices.size());
    for (int i = 1; i <= n; ++i) {
        const Cell& cell = cells.Item(i);
        choices[static_cast<std::size_t>(i)] = static_cast<int>(cell.GetPossibleSplays().size());
        initial[static_cast<std::size_t>(i)] = cell.GetSplayIndex();
        best[static_cast<std::size_t>(i)] = initial[static_cast<std::size_t>(i)];
    }
    // The venue itself is not touched while the workers run: every sweep's candidates
    // start from the bumper angle this prediction leaves.
    float bestScore = venue_.GenerateCalculations(false).EvennessScore;
    CandidateWorkers workers(venue_, services.WorkerCount());

    const auto report = [&] {
        const std::int64_t now = services.TickCount();
        lastReading = now;
        const double fraction = limitMs > 0 ? static_cast<double>(now - start) / limitMs : 1.0;
        progress.SetProgress(fraction);
        percentLabel.SetCaption(FormatPercent(fraction));
        timeLabel.SetCaption(FormatTimeRemaining(deadline - now));
        if (combosLabel != nullptr)
            combosLabel->SetCaption(FormatCount(tried_));
        services.LetMessagesRun();
        nextProgress += kProgressIntervalMs;
    };

    // After every combination taken back, and whenever a wait ends without one.
    const auto mustStop = [&] {
        lastReading = services.TickCount();
        return cancel || lastReading > deadline || tried_ >= bound_;
    };

    bool stopped = false;
    int k = 1;
    while (!stopped && k <= n) {
        const float sweepStart = bestScore;
        SweepCursor merged(k, choices, initial);
        if (merged.Valid()) {
            workers.StartSweep(merged, bound_ - tried_, venue_.LineArray().Bumper().Angle());
            // Blocks are taken back in the sweep's order, each combination as if this
            // thread had tried it: ties keep the earlier one.
            while (!stopped && !workers.SweepDone()) {
                // Until the next block is done, but no longer than to the next progress report
                // or the deadline.
                const std::int64_t waitMs =
                    std::max<std::int64_t>(0, std::min(nextProgress, deadline) + 1 - lastReading);
                workers.Wait(std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs));
                bool tookBack = false;
                while (!stopped) {
                    std::optional<CandidateWorkers::Block> block = workers.TakeNext();
                    if (!block)
                        break;
                    tookBack = true;
                    for (const float score : block->scores) {
                        ++tried_;
                        if (score < bestScore) {
                            bestScore = score;
                            best = merged.Indices();
                        }
                        merged.Next();
                        if (mustStop()) {
                            stopped = true;
                            break;
                        }
                    }
                    if (!stopped && block->failure)
                        std::rethrow_exception(block->failure);
                }
                if (!stopped && !tookBack)
                    stopped = mustStop();
                // The report shows everything taken back so far.
                if (!stopped && lastReading > nextProgress) {
                    report();
                    stopped = cancel;
                }
            }
        }
        if (stopped)
            break;
        initial = best;
        if (bestScore == sweepStart)
            ++k;
    }

    bestScore_ = bestScore;
    for (int i = 1; i <= n; ++i)
        if (best[static_cast<std::size_t>(i)] >= 1)
            cells.Item(i).SetSplayIndex(best[static_cast<std::size_t>(i)]);
}

} // namespace polvane
