#include "windows/tools/ListeningPointsGraph.h"

#include <algorithm>
#include <cmath>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "plot/PictureFingerprint.h"
#include "plot/PlotCanvas.h"
#include "shell/options/CurveColors.h"
#include "shell/options/FrequencyTable.h"

namespace polvane {

namespace {

// The frequencies the prediction gave a point's levels at: the venue's frequency list, or
// its centre frequency alone when it has no list. Levels that match neither (results of
// an older list) are taken as the bands of the frequency table.
std::vector<float> LevelFrequencies(const Environment& venue, std::size_t levels)
{
    const std::vector<float>& listed = venue.FrequencyList();
    if (levels == listed.size())
        return listed;
    if (listed.empty() && levels == 1)
        return {venue.CenterFrequency()};
    std::vector<float> bands;
    for (int band = 1; band <= FrequencyTable::Count(); ++band)
        bands.push_back(FrequencyTable::Frequency(band));
    return bands;
}

} // namespace

std::string ListeningPointsGraph::DrawnFrom(const CalculationResults& results, const Environment& venue,
                                            const std::vector<bool>& ticked)
{
    const int entries = static_cast<int>(ticked.size());
    PictureFingerprint key;
    key.Add(entries);
    for (int entry = 0; entry < entries; ++entry) {
        const auto index = static_cast<std::size_t>(entry);
        key.Add(static_cast<bool>(ticked[index]));
        if (!ticked[index] || index >= results.PointLevels.size())
            continue;
        const std::vector<float>& levels = results.PointLevels[index].Levels;
        key.Add(levels).Add(LevelFrequencies(venue, levels.size()));
    }
    return key.Take();
}

void ListeningPointsGraph::Draw(PlotCanvas& canvas, const CalculationResults& results,
                                const Environment& venue, const std::vector<bool>& ticked)
{
    const std::size_t entries = ticked.size();
    plotted_.assign(entries, false);
    curvePoints_.assign(entries, {});
    // Levels beyond the value axis run off the plot, not over the scale's labels.
    canvas.SetPlotClip(true);
    for (std::size_t entry = 0; entry < entries; ++entry) {
        if (!ticked[entry])
            continue;
        plotted_[entry] = true;
        // Results older than the list give only the points they have.
        if (entry >= results.PointLevels.size())
            continue;
        const std::vector<float>& levels = results.PointLevels[entry].Levels;
        const std::vector<float> frequencies = LevelFrequencies(venue, levels.size());
        const std::size_t count = std::min(levels.size(), frequencies.size());
        std::vector<QPointF>& points = curvePoints_[entry];
        for (std::size_t i = 0; i < count; ++i) {
            if (!std::isfinite(levels[i]) || !(frequencies[i] > 0.0f))
                continue;
            points.emplace_back(canvas.ConvertX(frequencies[i]), canvas.ConvertY(levels[i]));
        }
        const int colour = static_cast<int>(entry % static_cast<std::size_t>(CurveColors::Count())) + 1;
        // Every level is marked, so a point analysed at one frequency shows too; several
        // are joined by a curve.
        canvas.DrawCurve(points, canvas.CurvePen(colour));
        canvas.DrawMarks(points, canvas.CurvePen(colour));
    }
    canvas.SetPlotClip(false);
}

ListeningPointsGraph::Hit ListeningPointsGraph::Nearest(QPointF pixel, const QRectF& plot, double reach) const
{
    Hit hit;
    double nearest = reach;
    // Only what is drawn can be pointed at: levels off the plot are clipped away.
    for (std::size_t entry = 0; entry < curvePoints_.size(); ++entry) {
        if (!plotted_[entry])
            continue;
        for (const QPointF& point : curvePoints_[entry]) {
            if (!plot.contains(point))
                continue;
            const double distance = std::hypot(point.x() - pixel.x(), point.y() - pixel.y());
            // On a tie the point met first keeps the name.
            if (distance < nearest) {
                nearest = distance;
                hit = Hit{static_cast<int>(entry) + 1, point};
            }
        }
    }
    return hit;
}

} // namespace polvane
