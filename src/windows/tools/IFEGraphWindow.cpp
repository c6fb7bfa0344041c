#include "windows/tools/IFEGraphWindow.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "model/Format.h"
#include "model/ProcedureFailure.h"
#include "shell/options/FrequencyTable.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"

namespace polvane {

namespace {

// Puts the venue's frequency settings back however the calculation ends.
class FrequencySettingsKeeper {
public:
    explicit FrequencySettingsKeeper(Environment& venue)
        : venue_(venue), aggregates_(venue.AggregateFrequencies()),
          centre_(std::round(venue.CenterFrequency()))
    {
        if (aggregates_)
            venue_.SetAggregateFrequencies(false);
    }
    FrequencySettingsKeeper(const FrequencySettingsKeeper&) = delete;
    FrequencySettingsKeeper& operator=(const FrequencySettingsKeeper&) = delete;
    ~FrequencySettingsKeeper()
    {
        if (aggregates_)
            venue_.SetAggregateFrequencies(true);
        else
            venue_.SetCenterFrequency(centre_);
    }

private:
    Environment& venue_;
    bool aggregates_;
    float centre_;
};

} // namespace

IFEGraphWindow::IFEGraphWindow(ToolWindowContext& context, QWidget* parent)
    : DrawingWindow(ToolWindowId::IFEGraph, context, PlotCanvas::Kind::EvennessGraph, "picGraph", parent)
{
}

void IFEGraphWindow::UpdateInterface()
{
    // The analysed frequency and the display options change neither the venue nor the
    // prediction's settings.
    const std::optional<UpdateScope> scope = Context().hub.RefreshingScope();
    UpdateInterface(scope != UpdateScope::AnalysedFrequency && scope != UpdateScope::Display);
}

void IFEGraphWindow::UpdateInterface(bool recalculate)
{
    if (recalculate) {
        try {
            values_ = Calculate(Context().lifecycle.Venue());
        } catch (const std::exception& failure) {
            throw ProcedureFailure(Procedure("Calculate"), failure.what());
        }
        calculated_ = true;
    }
    Redraw();
}

std::vector<float> IFEGraphWindow::Calculate(Environment& venue)
{
    std::vector<float> bands;
    for (int band = 1; band <= FrequencyTable::Count(); ++band)
        bands.push_back(FrequencyTable::Frequency(band));
    // Every band's full prediction in one pass; the venue's frequency settings end as
    // they would after one prediction per band.
    FrequencySettingsKeeper keeper(venue);
    venue.SetCenterFrequency(bands.back());
    std::vector<float> values = venue.EvennessScores(bands);
    for (float& value : values)
        value = Format::SPLECToPercent(value) * 100.0f;
    return values;
}

void IFEGraphWindow::DrawContent()
{
    if (!calculated_)
        return;
    const PlotCanvas& canvas = Canvas();
    std::vector<QPointF> points;
    const int bands = std::min(static_cast<int>(values_.size()), FrequencyTable::Count());
    for (int band = 1; band <= bands; ++band) {
        const float value = values_[static_cast<std::size_t>(band - 1)];
        // A value the prediction could not give leaves a gap rather than a stray line.
        if (!std::isfinite(value))
            continue;
        points.emplace_back(canvas.ConvertX(FrequencyTable::Frequency(band)), canvas.ConvertY(value));
    }
    Plot().DrawPolyline(points, canvas.Pen(PlotCanvas::PenRole::GraphLines));
}

} // namespace polvane
