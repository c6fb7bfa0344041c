#include "windows/base/ToolWindowHost.h"

#include <stdexcept>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "shell/session/WindowRegistry.h"
#include "windows/base/ToolWindow.h"

namespace polvane {

ToolWindowHost::ToolWindowHost(ToolWindowContext& context, Factory create)
    : context_(context), create_(std::move(create))
{
}

ToolWindowHost::~ToolWindowHost() { delete frame_.data(); }

ToolWindow* ToolWindowHost::Window() const
{
    // A closed window stays alive until its deferred deletion, but is no longer loaded.
    if (window_ == nullptr || context_.registry.Find(window_->Id()) != window_.data())
        return nullptr;
    return window_.data();
}

PlaceableWindow& ToolWindowHost::Load()
{
    if (ToolWindow* loaded = Window())
        return *loaded;
    ToolWindow* window = create_(context_);
    if (window == nullptr)
        throw std::logic_error("The tool window could not be created");
    QMdiSubWindow* frame = context_.area.addSubWindow(window);
    window->WatchLayoutRequests();
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowTitle(window->windowTitle());
    if (!window->IsSizable()) {
        // A fixed frame has a close box only: it cannot be sized, maximised or minimised
        // to a title bar.
        frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    }
    PassFocusChangesOn(*frame);
    frame->hide();
    window_ = window;
    frame_ = frame;
    // Opened without a stored place, a window has its default size rather than none.
    window->GiveDefaultSize();
    context_.registry.Register(window->Id(), window);
    return *window;
}

void ToolWindowHost::PassFocusChangesOn(QMdiSubWindow& frame)
{
    // A sub-window answers every move of the focus into or inside it by making itself active
    // and repainting its whole title bar and borders, even when it is the active one
    // already: a click from one button to the next repainted the frame each time. It now
    // hears of the moves that can change it: into it from elsewhere, or onto the frame.
    // Should the toolkit name its handler differently, the handler is left as it is.
    if (!QObject::disconnect(qApp, SIGNAL(focusChanged(QWidget*,QWidget*)), &frame,
                             SLOT(_q_processFocusChanged(QWidget*,QWidget*))))
        return;
    QMdiSubWindow* watched = &frame;
    QObject::connect(qApp, &QApplication::focusChanged, watched, [watched](QWidget* old, QWidget* now) {
        if (now == nullptr || (now != watched && !watched->isAncestorOf(now)))
            return;
        const QMdiArea* area = watched->mdiArea();
        const bool active = area != nullptr && area->activeSubWindow() == watched;
        if (active && now != watched && old != nullptr && watched->isAncestorOf(old))
            return;
        QMetaObject::invokeMethod(watched, "_q_processFocusChanged", Qt::DirectConnection,
                                  Q_ARG(QWidget*, old), Q_ARG(QWidget*, now));
    });
}

void ToolWindowHost::Unload()
{
    if (Window() != nullptr && frame_ != nullptr)
        frame_->close();
}

} // namespace polvane
