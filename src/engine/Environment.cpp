#include "engine/Environment.h"

#include <stdexcept>
#include <utility>

#include "engine/AutoConfigure.h"
#include "engine/Prediction.h"
#include "model/Units.h"

namespace polvane {

Environment::Environment()
    : lineArray_(std::make_unique<polvane::LineArray>()),
      listeningPoints_(std::make_unique<polvane::ListeningPoints>()),
      seatingAreas_(std::make_unique<Planes>()),
      pictures_(std::make_unique<VenuePictures>())
{
    seatingAreas_->SetListeningPointsLink(listeningPoints_.get());
}

Environment::~Environment() = default;

void Environment::SetLineArray(std::unique_ptr<polvane::LineArray> lineArray)
{
    if (!lineArray)
        throw std::invalid_argument("a venue cannot be without its line array");
    lineArray_ = std::move(lineArray);
}

void Environment::SetSeatingAreas(std::unique_ptr<Planes> areas)
{
    if (!areas)
        throw std::invalid_argument("a venue cannot be without its list of seating areas");
    seatingAreas_ = std::move(areas);
    seatingAreas_->SetListeningPointsLink(listeningPoints_.get());
}

void Environment::SetListeningPoints(std::unique_ptr<polvane::ListeningPoints> points)
{
    if (!points)
        throw std::invalid_argument("a venue cannot be without its list of listening points");
    listeningPoints_ = std::move(points);
    // The areas renumber the points they are linked to: never leave them on the old list.
    seatingAreas_->SetListeningPointsLink(listeningPoints_.get());
}

void Environment::SetUnits(UnitsCode units)
{
    if (units == units_)
        return;
    units_ = units;
    for (int i = 1; i <= seatingAreas_->Count(); ++i) {
        Plane& area = seatingAreas_->Item(i);
        area.FrontPoint().ConvertUnits(units);
        area.BackPoint().ConvertUnits(units);
    }
    lineArray_->SetUnits(units);
    const float factor = units == UnitsCode::Metric ? kMetresPerFoot : kFeetPerMetre;
    if (units == UnitsCode::Metric || units == UnitsCode::English) {
        earHeight_ *= factor;
        for (int i = 1; i <= listeningPoints_->Count(); ++i) {
            ListeningPoint& p = listeningPoints_->Item(i);
            p.SetHorizontalPosition(p.HorizontalPosition() * factor);
        }
    }
}

void Environment::Clear()
{
    centerFrequency_ = 1000.0f;
    while (seatingAreas_->Count() > 0)
        seatingAreas_->Remove(1);
    SetUnits(UnitsCode::English);

    lineArray_->SetBrand(BrandCode::TarvicKv9);
    Bumper& bumper = lineArray_->Bumper();
    bumper.SetLocation(Point2D(0, 0));
    bumper.SetRigging(RiggingCode::DualPoint);
    bumper.SetFrontHangPoint(1);
    bumper.SetBackHangPoint(11);
    bumper.SetAngle(Angle::FromDegrees(0));

    sweep_.SetUpperAngle(90);
    sweep_.SetLowerAngle(-135);
    sweep_.SetAngleStep(1);

    while (lineArray_->Cells().Count() > 0)
        lineArray_->Cells().Remove(1);
    // Removing the points moves the reference number with them; clearing keeps it.
    const int reference = listeningPoints_->ReferencePointIndex();
    while (listeningPoints_->Count() > 0)
        listeningPoints_->Remove(1);
    listeningPoints_->SetReferencePointIndex(reference);
}

void Environment::TakeContentOf(Environment&& other) noexcept
{
    // Swapped rather than moved, so that `other` stays a whole venue.
    std::swap(aggregateFrequencies_, other.aggregateFrequencies_);
    std::swap(sweep_, other.sweep_);
    lineArray_.swap(other.lineArray_);
    listeningPoints_.swap(other.listeningPoints_);
    seatingAreas_.swap(other.seatingAreas_);
    seatingAreas_->SetListeningPointsLink(listeningPoints_.get());
    other.seatingAreas_->SetListeningPointsLink(other.listeningPoints_.get());
    std::swap(centerFrequency_, other.centerFrequency_);
    std::swap(earHeight_, other.earHeight_);
    frequencies_.swap(other.frequencies_);
    notes_.swap(other.notes_);
    std::swap(units_, other.units_);
    std::swap(temperature_, other.temperature_);
}

void Environment::AutoCalculate(int limitMs, const bool& cancel, ProgressController& progress,
                                CaptionLabel& percentLabel, CaptionLabel& timeLabel,
                                CaptionLabel* combosLabel, AutoConfigureServices& services)
{
    AutoConfigure(*this).Run(limitMs, cancel, progress, percentLabel, timeLabel, combosLabel,
                             services);
}

CalculationResults Environment::GenerateCalculations(bool quick, bool engineeringMode)
{
    return Prediction(*this, engineeringMode).Run(quick);
}

std::vector<float> Environment::EvennessScores(const std::vector<float>& frequencies)
{
    return Prediction(*this).EvennessScores(frequencies);
}

void Environment::SetAutoCalcBaselines(float overthrow, float underthrow)
{
    overthrow_ = overthrow;
    underthrow_ = underthrow;
}

void Environment::CopyCalcParameters(const polvane::CalcParameters& sweep)
{
    sweep_.SetUpperAngle(sweep.UpperAngle());
    sweep_.SetLowerAngle(sweep.LowerAngle());
    sweep_.SetAngleStep(sweep.AngleStep());
}

std::unique_ptr<Environment> Environment::CloneOf() const
{
    auto copy = std::make_unique<Environment>();
    copy->aggregateFrequencies_ = aggregateFrequencies_;
    copy->temperature_.SetCelsius(temperature_.Celsius());
    copy->sweep_ = sweep_;
    copy->centerFrequency_ = centerFrequency_;
    copy->earHeight_ = earHeight_;
    copy->SetLineArray(lineArray_->CloneOf());
    copy->notes_ = notes_;
    copy->SetSeatingAreas(seatingAreas_->CloneOf());
    copy->SetListeningPoints(listeningPoints_->CloneOf());
    copy->frequencies_ = frequencies_;
    copy->units_ = units_; // the copy's parts are already in these units: nothing converts
    return copy;
}

} // namespace polvane
