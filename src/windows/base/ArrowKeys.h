#pragma once

#include <functional>

#include <QObject>

class QAbstractButton;
class QLineEdit;

namespace polvane {

// Up and Down in a number box do what its up and down arrows do (the keypad's arrows
// too); with Shift, Ctrl or Alt held they are left to the box.
class ArrowKeys : public QObject {
public:
    // step is told +1 for Up and -1 for Down. Owned by owner, or by the box when none is
    // given.
    ArrowKeys(QLineEdit& box, std::function<void(int)> step, QObject* owner = nullptr);
    // Up and Down click the buttons, as the mouse does (a disabled one does nothing).
    static void Attach(QLineEdit& box, QAbstractButton& up, QAbstractButton& down);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit& box_;
    std::function<void(int)> step_;
};

} // namespace polvane
