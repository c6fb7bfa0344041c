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
    frame->hide();
    window_ = window;
    frame_ = frame;
    context_.registry.Register(window->Id(), window);
    return *window;
}

void ToolWindowHost::Unload()
{
    if (Window() != nullptr && frame_ != nullptr)
        frame_->close();
}

} // namespace polvane
