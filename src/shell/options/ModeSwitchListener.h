#pragma once

namespace polvane {

// Told after the options switched between standard and engineering mode (the switch is
// already stored and handed to the core): the main window checks its mode menu items,
// shows or hides the engineering Tools items and arranges the preset layout.
class ModeSwitchListener {
public:
    virtual void ModeSwitched(bool engineeringMode) = 0;

protected:
    ~ModeSwitchListener() = default;
};

} // namespace polvane
