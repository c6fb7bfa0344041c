#include "windows/SpinStepper.h"

#include <cmath>

#include <QLineEdit>
#include <QSpinBox>

#include "shell/OptionText.h"
#include "shell/UpdateHub.h"
#include "shell/VenueLifecycle.h"
#include "windows/ToolWindow.h"

namespace polvane {

SpinStepper::SpinStepper(QSpinBox& spin, QLineEdit& box, ToolWindow& window, std::string name,
                         int scope, Rule rule, BoundValue value, bool focusBox)
    : spin_(spin), box_(box), window_(window), name_(std::move(name)),
      scope_(scope), rule_(rule), value_(std::move(value)), focusBox_(focusBox)
{
    spin_.setRange(-1, 1);
    spin_.setValue(0);
    connect(&spin_, &QSpinBox::valueChanged, this,
            [this](int value) { window_.Guard(name_ + "_Change", [this, value] { Changed(value); }); });
}

double SpinStepper::Step(double x, int direction, Rule rule)
{
    if (rule == Rule::B && std::isfinite(x) && std::floor(x) != x)
        return direction < 0 ? std::floor(x) : std::ceil(x);
    return x + direction;
}

void SpinStepper::Changed(int value)
{
    // 0 is the control's own return to rest.
    if (value != -1 && value != 1)
        return;
    const double stepped = Step(OptionText::LeadingNumber(box_.text().toStdString()), value, rule_);
    value_.store(value_.Clamp(stepped));
    spin_.setValue(0);
    window_.Context().hub.UpdateInterfaces(scope_, true);
    window_.Context().lifecycle.SetDirty();
    if (focusBox_) {
        box_.selectAll();
        box_.setFocus();
    }
}

} // namespace polvane
