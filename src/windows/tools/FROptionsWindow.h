#pragma once

#include <memory>

#include "windows/base/BoundValue.h"
#include "windows/base/EditBox.h"
#include "windows/base/SpinStepper.h"
#include "windows/base/ToolWindow.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace polvane {

// The analysed frequency (one band of the frequency table, or all of them together), the
// listeners' ear height and the air temperature of the open venue. The temperature shows in
// Celsius for a metric venue and in Fahrenheit for an English one; a typed value may name
// the other scale with a trailing "c" or "f".
class FROptionsWindow : public ToolWindow {
    Q_OBJECT

public:
    explicit FROptionsWindow(ToolWindowContext& context, QWidget* parent = nullptr);
    ~FROptionsWindow() override;

    void UpdateInterface() override;

private:
    void FrequencyChosen(int index);
    // "22.0° C" or "71.6° F", by the venue's units.
    std::string TemperatureText() const;
    // A committed text: a trailing "c" or "f" after at least two other characters names
    // the scale, otherwise the venue's units do.
    void StoreTypedTemperature(float value);
    // A stepped value, always in the venue's own scale.
    void StoreTemperature(float value, bool celsius);
    bool IsMetric() const;

    QComboBox* cboFrequency_;
    QLineEdit* txtEarHeight_;
    QSpinBox* spnEarHeight_;
    QLineEdit* txtTemperature_;
    QSpinBox* spnTemperature_;

    std::unique_ptr<EditBox> earHeight_;
    std::unique_ptr<SpinStepper> earHeightStep_;
    std::unique_ptr<EditBox> temperature_;
    std::unique_ptr<SpinStepper> temperatureStep_;
};

} // namespace polvane
