#pragma once

namespace polvane {

class PlaceableWindow;

// How the main window loads and unloads one kind of tool window. A loaded window is
// registered with the WindowRegistry, and a window that closes saves its own place and
// unregisters itself.
class ToolWindowSlot {
public:
    // The window, created and registered first when it is not loaded; not shown.
    virtual PlaceableWindow& Load() = 0;
    // Closes the window as the user would; does nothing when it is not loaded.
    virtual void Unload() = 0;

protected:
    ~ToolWindowSlot() = default;
};

} // namespace polvane
