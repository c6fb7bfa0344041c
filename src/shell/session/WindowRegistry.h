#pragma once

#include <map>

#include "shell/session/ToolWindowId.h"

namespace polvane {

class RefreshableWindow;

// The loaded tool windows: a window registers itself when it loads and unregisters when
// it unloads; a window counts as loaded exactly while it is registered.
class WindowRegistry {
public:
    // Replaces any window registered under the id. A null window unregisters it.
    void Register(ToolWindowId id, RefreshableWindow* window);
    void Unregister(ToolWindowId id);
    // Unregisters the id only when it is still this window.
    void Unregister(ToolWindowId id, const RefreshableWindow* window);

    bool IsLoaded(ToolWindowId id) const { return windows_.count(id) != 0; }
    // The window, or null when it is not loaded.
    RefreshableWindow* Find(ToolWindowId id) const;

private:
    std::map<ToolWindowId, RefreshableWindow*> windows_;
};

} // namespace polvane
