#pragma once

namespace polvane {

enum class MeasurementSystem { English, Metric };

// The first-run question of which measurement system new venues use; the welcome window
// asks it, modally.
class WelcomePrompt {
public:
    virtual MeasurementSystem AskMeasurementSystem() = 0;

protected:
    ~WelcomePrompt() = default;
};

} // namespace polvane
