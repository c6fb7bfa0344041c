#include "windows/controls/HelpShortcut.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "windows/controls/KeyCodes.h"

namespace polvane {

HelpShortcut::HelpShortcut(QWidget& dialog, std::function<void()> action)
    : QObject(&dialog), dialog_(dialog), action_(std::move(action))
{
    // A control that takes every key (a text box) would otherwise keep F1 from the dialog.
    qApp->installEventFilter(this);
}

bool HelpShortcut::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (target == nullptr || (target != &dialog_ && !dialog_.isAncestorOf(target)))
        return false;
    auto& key = static_cast<QKeyEvent&>(*event);
    if (KeyCodes::Code(key) != KeyCodes::kF1)
        return false;
    if (!key.isAutoRepeat())
        action_();
    return true;
}

} // namespace polvane
