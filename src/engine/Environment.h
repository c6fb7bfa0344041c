#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/CalcParameters.h"
#include "model/LineArray.h"
#include "model/ListeningPoints.h"
#include "model/Planes.h"
#include "model/Temperature.h"
#include "model/VenuePictures.h"

namespace polvane {

struct CalculationResults;
class AutoConfigureServices;
class CaptionLabel;
class ProgressController;

// The venue document: everything the user designs and the settings of the prediction.
// It owns the angle sweep, the line array, the seating areas, the listening points, the
// air temperature and the pictures. Lengths are in the venue's own unit throughout.
class Environment {
public:
    Environment();
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    ~Environment();

    bool AggregateFrequencies() const { return aggregateFrequencies_; }
    void SetAggregateFrequencies(bool on) { aggregateFrequencies_ = on; }
    Temperature& AmbientTemperature() { return temperature_; }
    const Temperature& AmbientTemperature() const { return temperature_; }
    float CenterFrequency() const { return centerFrequency_; }
    void SetCenterFrequency(float hz) { centerFrequency_ = hz; }
    float EarHeight() const { return earHeight_; }
    void SetEarHeight(float height) { earHeight_ = height; }
    const std::string& Notes() const { return notes_; }
    void SetNotes(std::string notes) { notes_ = std::move(notes); }

    // A deep copy in the source's units. The Auto-Configure settings and the pictures are
    // not copied.
    std::unique_ptr<Environment> CloneOf() const;

    int GetMaxCellSplays() const { return 7; }

    polvane::LineArray& LineArray() { return *lineArray_; }
    const polvane::LineArray& LineArray() const { return *lineArray_; }
    void SetLineArray(std::unique_ptr<polvane::LineArray> lineArray);
    Planes& SeatingAreas() { return *seatingAreas_; }
    const Planes& SeatingAreas() const { return *seatingAreas_; }
    // The seating areas stay linked to the venue's listening points, whichever is replaced.
    void SetSeatingAreas(std::unique_ptr<Planes> areas);
    polvane::ListeningPoints& ListeningPoints() { return *listeningPoints_; }
    const polvane::ListeningPoints& ListeningPoints() const { return *listeningPoints_; }
    void SetListeningPoints(std::unique_ptr<polvane::ListeningPoints> points);
    VenuePictures& Pictures() { return *pictures_; }
    const VenuePictures& Pictures() const { return *pictures_; }

    // The frequencies averaged when aggregating, in Hz.
    void SetFrequencyList(std::vector<float> frequencies) { frequencies_ = std::move(frequencies); }
    const std::vector<float>& FrequencyList() const { return frequencies_; }
    int FrequencyCount() const { return static_cast<int>(frequencies_.size()); }

    // 0 English (feet, pounds), 1 metric (metres, kilograms). A change converts every
    // length of the venue.
    UnitsCode Units() const { return units_; }
    void SetUnits(UnitsCode units);

    // Empties the venue as a new one starts: no areas, cells or points, English units,
    // brand 0 on a level, dual-point bumper at the origin, the sweep -135 to 90 by 1.
    void Clear();

    // Moves in everything a venue file defines (units, temperature, frequencies, ear height,
    // notes, sweep, line array, seating areas, listening points) and hands this venue's
    // former parts to `other`. Pictures and Auto-Configure settings stay. Used by the file
    // loaders (VenueFile, OldVenueFile) once a file has been read whole into a scratch venue.
    void TakeContentOf(Environment&& other) noexcept;

    // Auto-Configure's limits, in degrees: how far the top cell may aim above the upper
    // coverage angle and the bottom cell below the lower one.
    void SetAutoCalcBaselines(float overthrow, float underthrow);
    float AutoCalcOverthrow() const { return overthrow_; }
    float AutoCalcUnderthrow() const { return underthrow_; }
    void SetAutoCalcBumperAdjust(bool on) { bumperAdjust_ = on; }
    bool AutoCalcBumperAdjust() const { return bumperAdjust_; }

    // The angle sweep of the polar response, in degrees.
    polvane::CalcParameters& CalcParameters() { return sweep_; }
    const polvane::CalcParameters& CalcParameters() const { return sweep_; }
    void CopyCalcParameters(const polvane::CalcParameters& sweep);

    // Auto-Configure: designs the splays from the seating areas, then, with refinement on,
    // searches combinations of allowed splays for `limitMs` or until `cancel` is set.
    void AutoCalculate(int limitMs, const bool& cancel, ProgressController& progress,
                       CaptionLabel& percentLabel, CaptionLabel& timeLabel,
                       CaptionLabel* combosLabel, AutoConfigureServices& services);

    // The prediction. `quick` only adds the early returns that reject an Auto-Configure
    // candidate (an unbalanced array, aims outside the limits). In engineering mode the
    // levels at the listening points are worked out too.
    CalculationResults GenerateCalculations(bool quick, bool engineeringMode = false);
    // The evenness score of a full prediction at each frequency as the centre frequency,
    // in one pass over the geometry; the venue's own frequency settings are not read.
    std::vector<float> EvennessScores(const std::vector<float>& frequencies);

private:
    bool aggregateFrequencies_ = false;
    bool bumperAdjust_ = false;
    polvane::CalcParameters sweep_;
    std::unique_ptr<polvane::LineArray> lineArray_;
    std::unique_ptr<polvane::ListeningPoints> listeningPoints_;
    std::unique_ptr<Planes> seatingAreas_;
    float centerFrequency_ = 1000.0f;
    float overthrow_ = 0.0f;
    float underthrow_ = 0.0f;
    float earHeight_ = 0.0f;
    std::vector<float> frequencies_;
    std::string notes_;
    UnitsCode units_ = UnitsCode::English;
    Temperature temperature_;
    std::unique_ptr<VenuePictures> pictures_;
};

} // namespace polvane
