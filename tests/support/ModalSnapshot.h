#pragma once

#include <functional>

#include <QApplication>
#include <QDialog>
#include <QIcon>
#include <QRect>
#include <QTimer>
#include <QWidget>

namespace polvane {

// How the modal window that a call shows looked once it was up (its frame's flags, its
// place on the screen, its icon); the window is then cancelled so that the call returns.
struct ModalSnapshot {
    bool shown = false;
    Qt::WindowFlags flags;
    QRect geometry;
    QIcon icon;

    static ModalSnapshot Take(const std::function<void()>& showModal)
    {
        ModalSnapshot seen;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&seen] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible())
                return;
            seen = {true, modal->windowFlags(), modal->geometry(), modal->windowIcon()};
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        });
        poll.start();
        showModal();
        return seen;
    }
};

} // namespace polvane
