#include "windows/base/SpinStepper.h"

#include <cmath>

#include <QEvent>
#include <QLineEdit>
#include <QSpinBox>

#include "model/Format.h"
#include "shell/session/UpdateGuard.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "windows/base/ArrowKeys.h"
#include "windows/base/ToolWindow.h"
#include "windows/base/TypedNumber.h"

namespace polvane {

namespace {

// Keeps the wheel and the keys from a spin control and its text part.
class ArrowsOnlyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            event->ignore();
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void SpinStepper::ArrowsOnly(QSpinBox& spin)
{
    auto* filter = new ArrowsOnlyFilter(&spin);
    spin.setFocusPolicy(Qt::NoFocus);
    spin.installEventFilter(filter);
    for (QLineEdit* text : spin.findChildren<QLineEdit*>()) {
        text->setFocusPolicy(Qt::NoFocus);
        text->setReadOnly(true);
        text->installEventFilter(filter);
    }
}

SpinStepper::SpinStepper(QSpinBox& spin, QLineEdit& box, ToolWindow& window, std::string name,
                         UpdateScope scope, Rule rule, BoundValue value, bool focusBox)
    : spin_(spin), box_(box), window_(&window), name_(std::move(name)),
      scope_(scope), step_([rule](double x, int direction) { return Step(x, direction, rule); }),
      value_(std::move(value)), focusBox_(focusBox)
{
    Connect([this](const std::string& procedure, const std::function<void()>& action) {
        return window_->Guard(procedure, action);
    });
}

SpinStepper::SpinStepper(QSpinBox& spin, QLineEdit& box, HandlerGuard guard, std::string name,
                         Rule rule, bool focusBox)
    : SpinStepper(spin, box, std::move(guard), std::move(name),
                  [rule](double x, int direction) { return Step(x, direction, rule); }, {}, focusBox)
{
}

SpinStepper::SpinStepper(QSpinBox& spin, QLineEdit& box, HandlerGuard guard, std::string name, StepRule step,
                         std::function<QString()> held, bool focusBox)
    : spin_(spin), box_(box), window_(nullptr), name_(std::move(name)), scope_(UpdateScope::All),
      step_(std::move(step)), held_(std::move(held)), focusBox_(focusBox)
{
    Connect(std::move(guard));
}

void SpinStepper::Connect(HandlerGuard guard)
{
    spin_.setRange(-1, 1);
    spin_.setValue(0);
    ArrowsOnly(spin_);
    new ArrowKeys(box_, [this](int direction) {
        // As a click on the arrow: the control moves off its rest and its change handler steps.
        if (spin_.isEnabled())
            spin_.setValue(direction);
    }, this);
    connect(&spin_, &QSpinBox::valueChanged, this, [this, guard = std::move(guard)](int value) {
        guard(name_ + "_Change", [this, value] { Changed(value); });
    });
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
    const std::optional<double> typed = TypedNumber::Read(box_.text().toStdString());
    if (!typed) {
        spin_.setValue(0);
        ShowHeld();
    } else if (const double stepped = step_(*typed, value); window_ == nullptr) {
        box_.setText(QString::fromStdString(Format::ShortestText(value_.Clamp(stepped))));
        spin_.setValue(0);
    } else {
        value_.store(value_.Clamp(stepped));
        spin_.setValue(0);
        window_->VenueEdited(scope_);
    }
    if (focusBox_) {
        box_.selectAll();
        box_.setFocus();
    }
}

void SpinStepper::ShowHeld()
{
    if (window_ != nullptr) {
        // The model's value, shown as a refresh shows it: the box is not marked as typed.
        const UpdateGuard guard;
        box_.setText(QString::fromStdString(value_.shown()));
    } else if (held_) {
        box_.setText(held_());
    }
}

} // namespace polvane
