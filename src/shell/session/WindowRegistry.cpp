#include "shell/session/WindowRegistry.h"

namespace polvane {

void WindowRegistry::Register(ToolWindowId id, RefreshableWindow* window)
{
    if (window == nullptr)
        windows_.erase(id);
    else
        windows_[id] = window;
}

void WindowRegistry::Unregister(ToolWindowId id) { windows_.erase(id); }

void WindowRegistry::Unregister(ToolWindowId id, const RefreshableWindow* window)
{
    const auto found = windows_.find(id);
    if (found != windows_.end() && found->second == window)
        windows_.erase(found);
}

RefreshableWindow* WindowRegistry::Find(ToolWindowId id) const
{
    const auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : found->second;
}

} // namespace polvane
