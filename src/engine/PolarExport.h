#pragma once

#include <array>
#include <vector>

namespace polvane {

class Environment;

// One frequency of the polar export: the attenuation in dB (0 or more) at each angle of the
// sweep -355 to 0 degrees by 5, the k-th angle belonging to the direction 5k degrees.
struct PolarExportRecord {
    static constexpr int kAngleCount = 72;
    float frequency = 0.0f;
    std::array<float, kAngleCount> attenuation{};
};

// The array's vertical polar response at every frequency, for the outside polar-data
// program's file.
class PolarExport {
public:
    static constexpr float kLowerAngle = -355.0f;
    static constexpr float kUpperAngle = 0.0f;
    static constexpr float kAngleStep = 5.0f;

    // Predicts the venue at each frequency over the export's sweep. The venue's frequency
    // setting (aggregation and centre frequency) and its sweep are put back afterwards,
    // also when a prediction fails; the shared calculation results are not touched.
    static std::vector<PolarExportRecord> Distill(Environment& venue,
                                                  const std::vector<float>& frequencies);
};

} // namespace polvane
