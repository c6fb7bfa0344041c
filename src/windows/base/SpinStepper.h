#pragma once

#include <functional>
#include <string>

#include <QObject>
#include <QString>

#include "shell/session/UpdateScope.h"
#include "windows/base/BoundValue.h"

class QLineEdit;
class QSpinBox;

namespace polvane {

class ToolWindow;

// A spin control used as a stepper beside an edit box: it rests at 0; its up arrow (+1) or
// down arrow (-1) steps the number in the box by the window's rule, clamps it and stores it,
// then the control is set back to 0 (which steps nothing), the window's scope is refreshed
// and the venue marked changed. The window keeps it as a member, as it does its edit boxes.
// In text-only mode (a dialog that changes no model) the stepped number is only written back
// into the box as text; nothing is refreshed or marked changed.
// Up and Down in the box step it as the arrows do. A box whose text holds no number is not
// stepped: it shows again the value it holds.
class SpinStepper : public QObject {
public:
    // A: one up or down whatever the number. B: a whole number steps by one, any other goes
    // to the next whole number in the direction of the step.
    enum class Rule { A, B };

    // name is the spin control's name in failure reports ("updAngle"); focusBox selects the
    // box's text and gives it the focus after each step.
    SpinStepper(QSpinBox& spin, QLineEdit& box, ToolWindow& window, std::string name, UpdateScope scope,
                Rule rule, BoundValue value, bool focusBox);
    // Text only. guard runs the change handler under its procedure name and reports its
    // failure.
    using HandlerGuard = std::function<bool(const std::string&, const std::function<void()>&)>;
    SpinStepper(QSpinBox& spin, QLineEdit& box, HandlerGuard guard, std::string name, Rule rule,
                bool focusBox);
    // Text only, with a step of the dialog's own (the number after one step, direction -1 or
    // +1) and the text its box shows again when it holds no number (none: the box is left
    // as it is).
    using StepRule = std::function<double(double, int)>;
    SpinStepper(QSpinBox& spin, QLineEdit& box, HandlerGuard guard, std::string name, StepRule step,
                std::function<QString()> held, bool focusBox);

    // The number after one step (direction -1 or +1) by the rule.
    static double Step(double x, int direction, Rule rule);
    // Makes a spin control step by its arrows only: it takes no focus and ignores the mouse
    // wheel, the arrow keys and typing, so that a wheel turned over it, or keys meant for
    // something else, never change the venue.
    static void ArrowsOnly(QSpinBox& spin);

private:
    void Connect(HandlerGuard guard);
    void Changed(int value);
    void ShowHeld();

    QSpinBox& spin_;
    QLineEdit& box_;
    ToolWindow* window_; // null in text-only mode
    std::string name_;
    UpdateScope scope_;
    StepRule step_;
    std::function<QString()> held_; // text-only mode
    BoundValue value_;
    bool focusBox_;
};

} // namespace polvane
