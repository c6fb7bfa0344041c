#include "windows/base/ArrowKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>

namespace polvane {

ArrowKeys::ArrowKeys(QLineEdit& box, std::function<void(int)> step, QObject* owner)
    : QObject(owner != nullptr ? owner : &box), box_(box), step_(std::move(step))
{
    box_.installEventFilter(this);
}

void ArrowKeys::Attach(QLineEdit& box, QAbstractButton& up, QAbstractButton& down)
{
    new ArrowKeys(box, [&up, &down](int direction) { (direction > 0 ? up : down).click(); });
}

bool ArrowKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &box_ || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Up && key->key() != Qt::Key_Down) ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    step_(key->key() == Qt::Key_Up ? 1 : -1);
    return true;
}

} // namespace polvane
