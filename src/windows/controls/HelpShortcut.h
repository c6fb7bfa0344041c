#pragma once

#include <functional>

#include <QObject>

class QWidget;

namespace polvane {

// F1 for a dialog, whichever of its controls has the focus: the key press is used up before
// any control sees it and the action runs once per press (not for its repeats).
class HelpShortcut : public QObject {
public:
    // Owned by the dialog, so it goes with it.
    HelpShortcut(QWidget& dialog, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& dialog_;
    std::function<void()> action_;
};

} // namespace polvane
