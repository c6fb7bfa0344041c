#include "windows/base/EditBox.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "shell/session/UpdateGuard.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "windows/base/ToolWindow.h"

namespace polvane {

EditBox::EditBox(QLineEdit& box, ToolWindow& window, std::string name, UpdateScope scope, BoundValue value)
    : box_(box), window_(window), name_(std::move(name)), scope_(scope),
      value_(std::move(value))
{
    box_.installEventFilter(this);
    connect(&box_, &QLineEdit::textChanged, this, [this] {
        window_.Guard(name_ + "_Change", [this] {
            // Typing marks the box; a refill from a refresh shows the model's value again,
            // so it clears the mark.
            dirty_ = !UpdateGuard::IsUpdating();
        });
    });
}

void EditBox::Commit(bool selectText)
{
    const std::optional<float> typed = value_.Read(box_.text().toStdString());
    if (!typed) {
        // No number, no change: the box shows the value it holds again.
        Refill();
        if (selectText)
            box_.selectAll();
        return;
    }
    value_.store(*typed);
    window_.VenueEdited(scope_);
    if (selectText)
        box_.selectAll();
    dirty_ = false;
}

void EditBox::Refill()
{
    box_.setText(QString::fromStdString(value_.shown()));
    dirty_ = false;
}

void EditBox::Restore()
{
    Refill();
    box_.selectAll();
}

bool EditBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &box_)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            window_.Guard(name_ + "_KeyPress", [this] { Commit(true); });
            return true;
        }
        if (key == Qt::Key_Escape) {
            window_.Guard(name_ + "_KeyPress", [this] { Restore(); });
            return true;
        }
        return false;
    }
    case QEvent::FocusIn:
        window_.Guard(name_ + "_GotFocus", [this] { box_.selectAll(); });
        // A click that gave the focus would place the caret afterwards; select again then.
        // Not when the focus has moved on meanwhile: a box without the focus shows no selection.
        QMetaObject::invokeMethod(
            &box_,
            [box = &box_] {
                if (box->hasFocus())
                    box->selectAll();
            },
            Qt::QueuedConnection);
        return false;
    case QEvent::FocusOut:
        window_.Guard(name_ + "_LostFocus", [this] {
            if (dirty_)
                Commit(false);
        });
        return false;
    default:
        return false;
    }
}

} // namespace polvane
