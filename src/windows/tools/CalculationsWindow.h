#pragma once

#include "model/ConfigurationCode.h"
#include "windows/base/ToolWindow.h"

class QLabel;

namespace polvane {

struct CalculationResults;

// The headline figures of the shared calculation results, read-only: throws, total weight,
// coverage angles, array and trim height and the largest level drop, in the venue's units.
class CalculationsWindow : public ToolWindow {
    Q_OBJECT

public:
    explicit CalculationsWindow(ToolWindowContext& context, QWidget* parent = nullptr);

    void UpdateInterface() override;

    // The value label of that name ("lblFarThrow"); null for a name it does not have.
    QLabel* Value(const char* name) const;

    // The trim height: the lowest point of a flown array, the highest of a stacked one.
    static float TrimHeight(const CalculationResults& results, ConfigurationCode configuration);
    // The largest level drop, followed in God mode by the evenness as a whole percentage.
    static std::string MaxLevelDropText(const CalculationResults& results, bool godMode);
};

} // namespace polvane
