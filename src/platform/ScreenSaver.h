#pragma once

namespace polvane {

// The desktop's screen saver, as far as a long calculation needs it: whether it would
// start when the user is idle, and switching that off for a while and on again.
class ScreenSaver {
public:
    virtual ~ScreenSaver() = default;

    // True when the screen saver would start on its own; false while it is deactivated,
    // or when the desktop has none the program can reach.
    virtual bool IsActive() = 0;
    virtual void Deactivate() = 0;
    // Undoes Deactivate; does nothing when it was not deactivated.
    virtual void Activate() = 0;
};

} // namespace polvane
