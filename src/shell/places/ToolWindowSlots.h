#pragma once

#include <map>

#include "shell/session/ToolWindowId.h"

namespace polvane {

class ToolWindowSlot;
class WindowPositions;
class WindowRegistry;
struct ToolWindowInfo;

// How each tool window is loaded and unloaded, for the main window, its arrangements and
// its layout files. A window without a slot cannot be loaded and is passed over.
class ToolWindowSlots {
public:
    ToolWindowSlots(WindowRegistry& windows, WindowPositions& positions)
        : windows_(windows), positions_(positions)
    {
    }

    void Set(ToolWindowId id, ToolWindowSlot* slot) { slots_[id] = slot; }
    // Null when the window has no slot.
    ToolWindowSlot* Of(ToolWindowId id) const;
    WindowRegistry& Windows() const { return windows_; }
    // Saves a loaded tool window's place as hidden and unloads it; a window that is not
    // open keeps its stored place, marked hidden, so the next start leaves it closed too.
    void Close(const ToolWindowInfo& info) const;
    // Tools > a window: an open window is shown, another loaded at its stored place (or
    // where it is) and refreshed. False when the window has no slot.
    bool Open(ToolWindowId id) const;
    // At start-up: the windows stored as open are loaded at their places. The listening
    // points window is restored in either mode, the other two engineering windows only in
    // engineering mode. True when any tool window is loaded.
    bool RestoreStored(bool engineeringMode) const;

private:
    WindowRegistry& windows_;
    WindowPositions& positions_;
    std::map<ToolWindowId, ToolWindowSlot*> slots_;
};

} // namespace polvane
