#include "engine/PolarExport.h"

#include <stdexcept>
#include <string>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"

namespace polvane {

namespace {

// Puts the venue's frequency setting and sweep back however the export ends. Both the
// aggregation switch and the centre frequency are kept: the export sets the centre
// frequency even when the venue aggregates, and the user would find it changed on
// switching aggregation off.
class VenueSettingsKept {
public:
    explicit VenueSettingsKept(Environment& venue)
        : venue_(venue), aggregate_(venue.AggregateFrequencies()),
          centerFrequency_(venue.CenterFrequency()), sweep_(venue.CalcParameters())
    {
    }
    ~VenueSettingsKept()
    {
        venue_.SetAggregateFrequencies(aggregate_);
        venue_.SetCenterFrequency(centerFrequency_);
        venue_.CopyCalcParameters(sweep_);
    }
    VenueSettingsKept(const VenueSettingsKept&) = delete;
    VenueSettingsKept& operator=(const VenueSettingsKept&) = delete;

private:
    Environment& venue_;
    bool aggregate_;
    float centerFrequency_;
    CalcParameters sweep_;
};

} // namespace

std::vector<PolarExportRecord> PolarExport::Distill(Environment& venue,
                                                    const std::vector<float>& frequencies)
{
    const VenueSettingsKept kept(venue);
    venue.SetAggregateFrequencies(false);
    venue.CalcParameters().SetLowerAngle(kLowerAngle);
    venue.CalcParameters().SetUpperAngle(kUpperAngle);
    venue.CalcParameters().SetAngleStep(kAngleStep);

    std::vector<PolarExportRecord> records;
    records.reserve(frequencies.size());
    for (const float frequency : frequencies) {
        venue.SetCenterFrequency(frequency);
        const CalculationResults results = venue.GenerateCalculations(false);
        if (results.PolarLevels.size() != PolarExportRecord::kAngleCount)
            throw std::runtime_error("The polar response at " + std::to_string(frequency) +
                                     " Hz has " + std::to_string(results.PolarLevels.size()) +
                                     " angles, not 72");
        PolarExportRecord& record = records.emplace_back();
        record.frequency = frequency;
        for (int k = 0; k < PolarExportRecord::kAngleCount; ++k)
            record.attenuation[static_cast<std::size_t>(k)] =
                0.0f - results.PolarLevels[static_cast<std::size_t>(k)]; // never -0
    }
    return records;
}

} // namespace polvane
