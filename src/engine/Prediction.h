#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/CalculationResults.h"

namespace polvane {

class Environment;
struct PredictionWorkspace;

// The prediction of a venue: the array's geometry and rigging, where each cell aims, the
// throws and coverage angles, then the polar response, the levels along the seating areas
// and at the listening points, and the far-field distance.
//
// It reads the venue and changes it in one place: a bumper hung from a single point is
// turned so that the array's centre of gravity hangs below the hang hole.
class Prediction {
public:
    // In engineering mode the levels at the listening points are worked out too.
    explicit Prediction(Environment& venue, bool engineeringMode = false)
        : venue_(venue), engineeringMode_(engineeringMode)
    {
    }

    // A fresh record for the venue. `quick` only adds the two early returns that reject
    // an Auto-Configure candidate (an unbalanced dual-point array, aims outside the
    // limits); the fields after the return stay empty. Any failure is rethrown as a
    // ProcedureFailure naming the prediction and the loop state where it arose.
    CalculationResults Run(bool quick);

    // The evenness score of the full prediction at each of `frequencies` as the centre
    // frequency, without aggregation: the geometry and the frequency-independent terms
    // once, then the sum and the seating-area levels per frequency. Fails as Run does.
    std::vector<float> EvennessScores(const std::vector<float>& frequencies);

    // The angles the polar response is swept over, in degrees.
    struct Sweep {
        float lo = 0.0f;
        float hi = 0.0f;
        float step = 0.0f;
        int maxIndex = 0; // M: the polar response has entries 0..M
    };

private:
    // A copy of the venue held within the prediction's reach, or none where it is so already.
    std::unique_ptr<Environment> HeldCopy() const;

    // Returns false when the quick mode rejects the candidate (ArrayGeometry).
    bool RunGeometry(bool quick);
    void RunSound();
    Sweep ReadSweep() const;
    float SpeedOfSound() const;
    void RunPolar(const Sweep& sweep, float speedOfSound, PredictionWorkspace& ws);
    void RunAreaLevels(const Sweep& sweep);
    void RunListeningPoints(const Sweep& sweep, bool havePerFrequency,
                            const PredictionWorkspace& ws);
    std::string FailureText() const;

    Environment& venue_;
    const bool engineeringMode_;
    CalculationResults r_;
    bool flown_ = true;
    bool pointsFlag_ = false;

    // Loop state for the failure text.
    int areaCounter_ = 0;
    int itemCounter_ = 0;
    float runningMaxLevel_ = -1e38f;
};

} // namespace polvane
