#include "windows/ToolWindowHost.h"

#include <stdexcept>

#include <QMdiArea>
#include <QMdiSubWindow>

#include "shell/WindowRegistry.h"
#include "windows/ToolWindow.h"

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
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowTitle(window->windowTitle());
    if (!window->IsSizable()) {
        // A fixed frame has a close box only: it cannot be sized, maximised or minimised
        // to a title bar.
        frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    }
    frame->hide();
    window_ = window;
    frame_ = frame;
    // Opened without a stored place, a window has its default size rather than none.
    window->GiveDefaultSize();
    context_.registry.Register(window->Id(), window);
    return *window;
}

void ToolWindowHost::Unload()
{
    if (Window() != nullptr && frame_ != nullptr)
        frame_->close();
}

} // namespace polvane
